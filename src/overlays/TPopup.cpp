// TPopup: reading a popup from its document, its fade, OK press and drawing.
#include "overlays/TPopup.h"

#include "data/NumberText.h"
#include "data/TTSCFile.h"
#include "level/TLevelManager.h"
#include "magic/TBunusManagerA.h"
#include "overlays/TPopupManager.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/TGlobalSnd.h"
#include "widgets/TAnimButton.h"

#include <algorithm>

namespace vsm {

namespace {

constexpr int SOUND_CLICK_OUT = 2;
constexpr int kBonusKinds = 6;
// Half the OK button's width: the button is centred under the panel.
constexpr int kButtonHalfWidth = 28;

ImagePtr LoadPopupImage(const std::string& relative) {
    ImagePtr image = relative.empty() ? nullptr : LoadImage(bDir + relative);
    if (!image && !relative.empty()) Print("popup picture " + relative + " could not be loaded");
    return image;
}

} // namespace

PopupPtr TPopup::Create(const std::shared_ptr<TTSCFile>& doc, const TTSCGroup& group) {
    auto popup = std::make_shared<TPopup>();
    popup->active = 1;
    popup->alpha = 0;
    const std::string& path = group.Name;
    auto number = [&](const char* key) { return static_cast<double>(GetTSCNumberKey(doc, path, key, 0)); };

    popup->image = LoadPopupImage(GetTSCStringKey(doc, path, "Image", 0));
    const double panelX = number("X");
    const double panelY = number("Y");
    popup->x = NumberToInt(panelX);
    popup->y = NumberToInt(panelY);
    popup->event = GetTSCStringKey(doc, path, "Event", 0);
    popup->lines = std::clamp(NumberToInt(number("Lines")), 0, POPUP_MAX_LINES);
    popup->condition = NumberToInt(number("Condition"));
    const double spell = number("Spell");
    popup->spell = NumberToInt(spell);
    const double buttonY = number("ButtonY");
    const double textY = number("TextY");

    const int w = ImageWidth(popup->image);
    const int h = ImageHeight(popup->image);
    popup->bx = popup->x + w / 2 - kButtonHalfWidth;
    popup->by = buttonY == -1 ? NumberToInt(panelY + 0.72 * h) : popup->y + NumberToInt(buttonY);
    popup->ty = textY == -1 ? NumberToInt(panelY + 0.2 * h) : popup->y + NumberToInt(textY);
    for (int n = 1; n <= popup->lines; ++n)
        popup->text[n - 1] = GetTSCStringKey(doc, path, "Line" + std::to_string(n), 0);

    if (spell == -1) {
        popup->icon = LoadPopupImage(GetTSCStringKey(doc, path, "IconImg", 0));
        popup->iconX = NumberToInt(number("IconX"));
        popup->iconY = NumberToInt(number("IconY"));
    }
    return popup;
}

int TPopup::Update(const std::shared_ptr<TAnimButton>& button) {
    if (active && alpha < 1) alpha += 0.1f;
    if (!active && alpha > 0) alpha -= 0.1f;
    if (!active && alpha <= 0) return 1;

    // The button is moved before it is asked, so a press is judged where the player sees it.
    if (button && button->dim) {
        button->alpha = alpha;
        button->dim->x = static_cast<float>(bx);
        button->dim->y = static_cast<float>(by);
    }
    if (MouseDown(1) == 0) armed = 1;
    if (button && button->State() != 0 && armed) {
        if (active) globalSnd.play(SOUND_CLICK_OUT);
        active = 0;
    }

    const int w = ImageWidth(image);
    SetRotation(0);
    SetScale(1, 1);
    SetAlpha(alpha);
    DrawImage(image, static_cast<float>(x), static_cast<float>(y));

    SetColor(0, 0, 0);
    SetAlpha(0.8f * alpha);
    const FontPtr kept = GetImageFont();
    SetImageFont(popupManager.font);
    const int lineHeight = TextHeight("");
    for (int i = 0; i < lines; ++i) {
        const int left = x + w / 2 - TextWidth(text[i]) / 2;
        DrawText(text[i], static_cast<float>(left), static_cast<float>(ty + i * lineHeight));
    }
    SetImageFont(kept);
    SetColor(255, 255, 255);

    if (spell >= 1 && spell <= kBonusKinds) {
        DrawImage(bonusManagerAlt.images[spell], static_cast<float>(x + w / 2 - 2),
                  static_cast<float>(ty + lines * lineHeight + 20));
    }
    if (icon) DrawImage(icon, static_cast<float>(x + iconX), static_cast<float>(y + iconY));
    if (button) button->Draw();
    return 0;
}

int TPopup::CanGo(const std::string& name) {
    if (event != name) return 0;
    if (name == "MAKE_MATCH" || name == "RIGHT_UNUSED") return condition == level.matches ? 1 : 0;
    return 1;
}

} // namespace vsm
