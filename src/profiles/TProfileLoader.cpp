// TProfileLoader: the profile screen (global `profileLoader`) on which the player picks, creates,
// renames and deletes profiles and the very first player types a name.
#include "profiles/TProfileLoader.h"

#include "platform/EndFrame.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/OptionsDocument.h"
#include "profiles/SaveNotice.h"
#include "profiles/SavedCampaign.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "services/TMouse.h"
#include "services/TSpark.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TContainer.h"
#include "widgets/TImageButton.h"

#include <algorithm>
#include <cctype>

namespace vsm {

TProfileLoader profileLoader;

namespace {

TextPtr MakeText(const std::string& s, float x, float y, const BitmapFontPtr& font) {
    return CreateText(s, CreateDim(x, y, 0, 0, 0, 1, 1, 0), font, 1.0f, 0, 0, 0);
}

ButtonPtr MakeButton(const TImageSource& picture, float x, float y, int id) {
    return CreateImageButton(picture, CreateDim(x, y, 0, 0, 0, 1, 1, 0), id, 1.0f, 2);
}

void CentreOn400(TText& t) {
    t.dim->x = 400 - t.Width() / 2;
}

// The screen's lines are centred on the panel's middle, x 400, whatever the font's letter widths.
TextPtr MakeCentredText(const std::string& s, float y, const BitmapFontPtr& font) {
    TextPtr t = MakeText(s, 400, y, font);
    CentreOn400(*t);
    return t;
}

// Tells the player what the profiles folder refused; the dialog stays open to try again. A message
// box does not wrap its text, so the folder and the advice stand on lines of their own.
void SayNotWritten(const std::string& what) {
    Notify(what + "\n" + profile.path +
           ".\nCheck that the folder exists and can be written to, then try again.");
}

} // namespace

int TProfileLoader::Load() {
    font = fonts[0];
    menu = TMenu();
    menu2 = TMenu();
    menu3 = TMenu();
    menu.AddItem(MakeButton(bDir + "gfx/gui/profile-ok.png", 339, 485, 1));
    menu.AddItem(MakeButton(bDir + "gfx/gui/profile-cancel.png", 381, 485, 2));
    menu.AddItem(MakeButton(bDir + "gfx/gui/profile-new.png", 291, 513, 3));
    menu.AddItem(MakeButton(bDir + "gfx/gui/profile-rename.png", 348, 513, 4));
    menu.AddItem(MakeButton(bDir + "gfx/gui/profile-delete.png", 434, 513, 5));
    const ImagePtr ok = menu.GetItem(1)->image;
    const ImagePtr cancel = menu.GetItem(2)->image;
    menu2.AddItem(MakeButton(ok, 339, 380, 1));
    menu2.AddItem(MakeButton(cancel, 381, 380, 2));
    menu3.AddItem(MakeButton(ok, 381, 380, 1));
    textEnter = {MakeCentredText("enter your", 276, font), MakeCentredText("name", 299, font)};
    text = MakeText("", 400, 332, font);
    textExist = MakeCentredText("name exist", 445, font);
    textReally = {MakeCentredText("do you really", 276, font), MakeCentredText("want delete", 299, font)};
    textCant = {MakeCentredText("you can not", 276, font), MakeCentredText("delete last", 299, font),
                MakeCentredText("profile", 322, font)};
    textNomore = {MakeCentredText("you can not", 276, font), MakeCentredText("create more", 299, font),
                  MakeCentredText("profiles", 322, font)};
    textMoreAbove = MakeCentredText("- more -", 228, font);
    textMoreBelow = MakeCentredText("- more -", 452, font);
    // The caret is not worth a notification when it is missing: the screen works without it.
    kursor = LoadImage(bDir + "gfx/info/kursor.png");
    return 0;
}

std::string TProfileLoader::Current() {
    return profile.selectedProfile ? profile.selectedProfile->name : "";
}

void TProfileLoader::Choose(const std::string& name) {
    profile.SelectProfile(name);
    LoadProfile();
    TellIfNotSaved(false, SaveOptionsOnly() != 0);
}

void TProfileLoader::CentreText() {
    CentreOn400(*text);
}

void TProfileLoader::CheckName() {
    nameExist = 0;
    for (const std::string& name : listNames)
        if (name == text->text) nameExist = 1;
}

int TProfileLoader::UpdateList() {
    List.clear();
    listNames = profile.GetProfilesList();
    for (size_t i = 0; i < listNames.size(); ++i) {
        // The font has small letters only: a name copied in by hand with capitals shows them
        // small, where they would otherwise be blanks. The name itself is kept as it is.
        std::string shown = listNames[i];
        std::transform(shown.begin(), shown.end(), shown.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        List.push_back(MakeText(shown, 400, 254 + 22 * static_cast<float>(i), font));
    }
    ScrollList(0);
    return 0;
}

bool TProfileLoader::ListScrolls() const {
    return List.size() > static_cast<size_t>(PROFILE_ROWS);
}

bool TProfileLoader::RowShown(size_t i) const {
    if (!ListScrolls()) return true;
    const size_t top = static_cast<size_t>(listTop);
    return i >= top && i < top + PROFILE_ROWS - 1;
}

void TProfileLoader::KeepSelectedInView() {
    const auto at = std::find(listNames.begin(), listNames.end(), selected);
    if (at == listNames.end() || RowShown(static_cast<size_t>(at - listNames.begin()))) return;
    listTop = static_cast<int>(at - listNames.begin());
    ScrollList(0);
}

int TProfileLoader::ScrollList(int rows) {
    // Names copied into the folder by hand are not bounded by the ten the screen creates: past
    // the panel's rows the list scrolls instead of running over the buttons.
    const int count = static_cast<int>(List.size());
    const int shown = ListScrolls() ? PROFILE_ROWS - 1 : count;
    listTop = std::clamp(listTop + rows, 0, std::max(0, count - shown));
    for (int i = 0; i < count; ++i) {
        TText& t = *List[static_cast<size_t>(i)];
        t.dim->y = 254 + 22 * static_cast<float>(i - listTop);
        CentreOn400(t);
    }
    return 0;
}

int TProfileLoader::UpdateText() {
    kursorAlpha += 0.015f;
    if (kursorAlpha > 1) kursorAlpha = 0;
    const int c = GetChar();
    std::string& s = text->text;
    if (c == KEY_BACKSPACE) {
        if (!s.empty()) {
            s.pop_back();
            CheckName();
        }
        return 0;
    }
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (!letter && !(c == ' ' && !s.empty())) return 0;
    if (static_cast<int>(s.size()) < maxLength) {
        s.push_back(static_cast<char>(c));
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char ch) { return std::tolower(ch); });
    }
    CheckName();
    return 0;
}

int TProfileLoader::Update() {
    mouse.fetchState(0);
    // Read every frame, so that a key hit while no dialog listens is not remembered for later.
    bool enter = KeyHit(KEY_ENTER) > 0;
    bool escape = KeyHit(KEY_ESCAPE) > 0;
    int result = 0;
    auto answer = [&] {
        int a = menu2.State();
        if (enter) a = 1;
        if (escape) a = 2;
        return a;
    };
    auto acceptable = [&] { return nameExist == 0 && !text->text.empty(); };
    // A key that moved the screen into a new state does not also answer that state.
    auto moved = [&](int to) {
        State = to;
        enter = escape = false;
    };

    const int wheel = MouseZ();
    const int turned = wheel - wheelSeen;
    wheelSeen = wheel;
    if (State == PROFILES_LIST) {
        auto over = [](TText& t) {
            const float left = t.dim->Left(), top = t.dim->Top();
            return mouse.x > left && mouse.x < left + t.Width() && mouse.y > top &&
                   mouse.y < top + t.Height();
        };
        if (ListScrolls()) {
            ScrollList(-turned);
            if (mouse.leftPressed && listTop > 0 && over(*textMoreAbove)) ScrollList(-(PROFILE_ROWS - 1));
            if (mouse.leftPressed && RowShown(List.size() - 1) == false && over(*textMoreBelow))
                ScrollList(PROFILE_ROWS - 1);
        }
        if (mouse.leftPressed) {
            for (size_t i = 0; i < List.size(); ++i)
                if (RowShown(i) && over(*List[i])) selected = listNames[i];
        }
        switch (menu.State()) {
        case 1:
            Choose(selected);
            result = 1;
            break;
        case 2:
            result = 1;
            break;
        case 3:
            if (List.size() < 10) {
                moved(PROFILES_NEW);
                text->text.clear();
                FlushKeys();
            } else {
                moved(PROFILES_NO_MORE);
            }
            break;
        case 4:
            moved(PROFILES_RENAME);
            text->text = selected;
            FlushKeys();
            break;
        case 5:
            if (profile.profiles.size() > 1) {
                moved(PROFILES_DELETE);
                text->text = selected;
                CentreText();
            } else {
                moved(PROFILES_CANT_DELETE);
            }
            break;
        default:
            break;
        }
    }
    if (State == PROFILES_NEW) {
        UpdateText();
        CentreText();
        const int a = answer();
        if (a == 1 && acceptable()) {
            const int made = CreateNewProfile(text->text);
            if (made == 1) {
                Choose(text->text);
                UpdateList();
                selected = Current();
                KeepSelectedInView();
                moved(PROFILES_LIST);
            } else if (made == -1) {
                nameExist = 1; // a file of that name exists though it is not listed
            } else if (made == PROFILE_NOT_WRITTEN) {
                SayNotWritten("The profile \"" + text->text + "\" could not be saved in the folder");
            }
        } else if (a == 2) {
            moved(PROFILES_LIST);
        }
    }
    if (State == PROFILES_RENAME) {
        UpdateText();
        CentreText();
        const int a = answer();
        if (a == 1 && acceptable()) {
            const bool wasCurrent = Current() == selected;
            const int renamed = profile.RenameProfile(selected, text->text);
            if (renamed == PROFILE_NOT_WRITTEN)
                SayNotWritten("The profile \"" + selected + "\" could not be renamed to \"" + text->text +
                              "\" in the folder");
            if (renamed >= 0) {
                UpdateList();
                moved(PROFILES_LIST);
                if (renamed == 1) {
                    selected = text->text;
                    KeepSelectedInView();
                    // The store keeps the renamed player current; the options must name it so.
                    if (wasCurrent) TellIfNotSaved(false, SaveOptionsOnly() != 0);
                }
            }
        } else if (a == 2) {
            moved(PROFILES_LIST);
        }
    }
    if (State == PROFILES_DELETE) {
        const int a = answer();
        if (a == 1 && profile.profiles.size() > 1) {
            const bool wasCurrent = Current() == selected;
            const int deleted = profile.DeleteProfile(selected);
            if (deleted == PROFILE_NOT_WRITTEN)
                SayNotWritten("The profile \"" + selected + "\" could not be deleted from the folder");
            if (deleted >= 0) {
                UpdateList();
                moved(PROFILES_LIST);
                // Another player is now current: that player's state replaces the deleted one's
                // in memory, so nothing of it can be saved into the wrong file.
                if (deleted == 1 && wasCurrent) Choose(Current());
                selected = Current();
                KeepSelectedInView();
            }
        } else if (a == 2) {
            moved(PROFILES_LIST);
        }
    }
    if (State == PROFILES_FIRST_NAME) {
        UpdateText();
        CentreText();
        int a = menu3.State();
        if (enter) a = 1;
        if (a != 0 && acceptable()) {
            const int made = CreateNewProfile(text->text);
            if (made == 1) {
                LoadProfile();
                TellIfNotSaved(false, SaveOptionsOnly() != 0);
                moved(PROFILES_LIST);
                result = 1;
            } else if (made == -1) {
                nameExist = 1;
            } else if (made == PROFILE_NOT_WRITTEN) {
                SayNotWritten("The profile \"" + text->text + "\" could not be saved in the folder");
            }
        }
    }
    if (State == PROFILES_CANT_DELETE || State == PROFILES_NO_MORE) {
        if (enter || menu3.State() == 1) moved(PROFILES_LIST);
    }
    return result;
}

int TProfileLoader::Draw() {
    Cls();
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawImage(data.GetImage(DATA_TITLE_BACKGROUND), 0, 0);
    if (State == PROFILES_FIRST_NAME) {
        alpha = std::min(1.0f, alpha + 0.02f);
        SetAlpha(alpha);
        for (const TextPtr& t : textEnter)
            t->alpha = alpha;
    }
    DrawImage(data.GetImage(DATA_MENU_FRAME), MENU_WINDOW_X, MENU_WINDOW_Y);

    auto tinted = [](const TextPtr& t) {
        SetColor(255, 200, 200);
        t->Draw();
    };
    auto white = [](const TextPtr& t) {
        SetColor(255, 255, 255);
        t->Draw();
    };
    auto typing = [&] {
        tinted(text);
        if (kursorAlpha > 0.5f) {
            SetColor(255, 200, 200);
            DrawImage(kursor, static_cast<float>(static_cast<int>(text->dim->Left() + text->Width())),
                      text->dim->Top() + 7);
        }
        SetAlpha(1);
        white(textEnter[0]);
        white(textEnter[1]);
        if (nameExist == 1) white(textExist);
    };

    switch (State) {
    case PROFILES_LIST: {
        menu.Draw(1.0f);
        const ImagePtr highlight = data.GetImage(DATA_MENU_HIGHLIGHT);
        if (ListScrolls()) {
            if (listTop > 0) tinted(textMoreAbove);
            if (!RowShown(List.size() - 1)) tinted(textMoreBelow);
        }
        for (size_t i = 0; i < List.size(); ++i) {
            if (!RowShown(i)) continue;
            const TextPtr& t = List[i];
            if (listNames[i] != selected) {
                white(t);
                continue;
            }
            if (highlight && ImageWidth(highlight) > 0) {
                SetColor(255, 200, 200);
                SetAlpha(0.25f);
                SetScale(t->Width() / static_cast<float>(ImageWidth(highlight)) * 1.25f, 0.35f);
                DrawImage(highlight, 400, t->dim->Top() + 11);
                SetAlpha(1);
                SetScale(1, 1);
            }
            tinted(t);
        }
        break;
    }
    case PROFILES_NEW:
    case PROFILES_RENAME:
        menu2.Draw(1.0f);
        typing();
        break;
    case PROFILES_DELETE:
        menu2.Draw(1.0f);
        tinted(text);
        white(textReally[0]);
        white(textReally[1]);
        break;
    case PROFILES_FIRST_NAME:
        menu3.Draw(1.0f);
        typing();
        break;
    case PROFILES_CANT_DELETE:
        menu3.Draw(1.0f);
        for (const TextPtr& t : textCant)
            white(t);
        break;
    case PROFILES_NO_MORE:
        menu3.Draw(1.0f);
        for (const TextPtr& t : textNomore)
            white(t);
        break;
    default:
        break;
    }
    SetColor(255, 255, 255);
    UpdateSparks();
    mouse.Draw(1.0f, 1.0f);
    EndFrame();
    return 0;
}

int TProfileLoader::UpdateSparks() {
    if (Rand(0, 10) == 1) {
        int x, y;
        if (Rand(0, 2) != 0) {
            x = Rand(570, 800);
            y = Rand(170, 400);
        } else {
            x = Rand(130, 225);
            y = Rand(215, 475);
        }
        SparkPtr s = TSpark::Create(SparkImage(Rand(1, 3)), x, y, static_cast<float>(Rnd(0.3, 0.6)),
                                    Rand(50, 150), Rand(100, 150), Rand(100, 150), Rand(150, 220), 1, 1);
        const float vx = static_cast<float>(Rnd(-0.4, 0.4));
        s->setVelocity(vx, static_cast<float>(Rnd(-0.4, 0.4)));
    }
    const int tx = mouse.x + Rand(-2, 2);
    const int ty = mouse.y + Rand(-2, 2);
    SparkPtr trail = TSpark::Create(SparkImage(0), tx, ty, static_cast<float>(Rnd(0.2, 0.6)), Rand(20, 50),
                                    Rand(150, 200), Rand(100, 200), Rand(100, 200), 1, 0);
    const float vx = static_cast<float>(Rnd(-0.5, 0.5));
    trail->setVelocity(vx, static_cast<float>(Rnd(-0.5, 0.5)));
    TSpark::UpdateAll();
    return 0;
}

int TProfileLoader::show(int state) {
    UpdateList();
    State = state;
    if (State != PROFILES_FIRST_NAME) selected = Current();
    wheelSeen = MouseZ();
    KeepSelectedInView();
    for (;;) {
        if (Update() != 0) {
            mouse.leftPressed = 0;
            FlushKeys();
            return 0;
        }
        Draw();
        if (AppTerminate()) End();
    }
}

} // namespace vsm
