// TCreditsPage and TCreditsText: layout, typing and drawing of the credits pages.
#include "frontend/TCreditsPage.h"

#include "platform/System.h"
#include "services/TSpark.h"
#include "widgets/TDim.h"

namespace vsm {
namespace {

// The burst of one typed character, springing from the newest letter.
void TypingSparks(TText& text) {
    const float right = text.dim->x + text.Width();
    for (int i = 0; i < 7; ++i) {
        const ImagePtr image = SparkImage(Rand(1, 3));
        const int x = static_cast<int>(right - 15.0f + static_cast<float>(Rand(-5, 5)));
        const int y = static_cast<int>(text.dim->y + static_cast<float>(Rand(-10, 10)));
        const float scale = static_cast<float>(Rnd(0.5, 1.0));
        const int life = Rand(30, 70);
        SparkPtr spark = TSpark::Create(image, x, y, scale, life, 255, 200, 100, 1, 0);
        const float vx = static_cast<float>(Rnd(-0.1, 0.1));
        const float vy = static_cast<float>(Rnd(0.0, 0.2));
        spark->setVelocity(vx, vy);
    }
}

} // namespace

CreditsTextPtr TCreditsText::Create(const std::string& str, const BitmapFontPtr& font, int y) {
    auto line = std::make_shared<TCreditsText>();
    line->Timer = MilliSecs64();
    line->str = str;
    DimPtr dim = CreateDim(0, static_cast<float>(y), 0, 0, 0, 1, 1, 0);
    line->text = CreateText(str, dim, font, 1.0f, 0, 0, 0);
    dim->x = 400.0f - line->text->Width() / 2.0f;
    line->text->text = "";
    return line;
}

int TCreditsText::Draw() {
    if (text) text->Draw();
    return 0;
}

int TCreditsText::Update() {
    const int length = static_cast<int>(str.size());
    if (counter > length) return 1;
    const int64_t now = MilliSecs64();
    if (now - Timer <= Speed) return 0;
    Timer = now;
    ++counter;
    if (counter <= length && text) {
        text->text = str.substr(0, static_cast<size_t>(counter));
        TypingSparks(*text);
    }
    return 0;
}

int TCreditsPage::AddTitle(const std::string& s) {
    title = TCreditsText::Create(s, fonts[1], 0);
    return 0;
}

int TCreditsPage::AddField(const std::string& s) {
    fields.push_back(TCreditsText::Create(s, fonts[1], 0));
    return 0;
}

int TCreditsPage::Prepare() {
    const int n = static_cast<int>(fields.size());
    maxCount = n;
    const int height = n * textsize + titleSpace + textsize;
    const float titleY = static_cast<float>(300 - height / 2);
    if (title && title->text) title->text->dim->y = titleY;
    for (int i = 0; i < n; ++i) {
        if (fields[i] && fields[i]->text)
            fields[i]->text->dim->y = titleY + static_cast<float>(titleSpace + textsize + i * textsize);
    }
    return 0;
}

int TCreditsPage::Update(float alpha) {
    if (title && title->text) {
        title->text->alpha = alpha;
        title->Draw();
    }
    for (const CreditsTextPtr& field : fields) {
        if (!field || !field->text) continue;
        field->text->alpha = alpha;
        field->Draw();
    }
    if (counter > maxCount) return 0;
    if (counter == 0) {
        if (!title || title->Update() == 1) ++counter;
    } else {
        const CreditsTextPtr& field = fields[static_cast<size_t>(counter - 1)];
        if (!field || field->Update() == 1) ++counter;
    }
    return 0;
}

} // namespace vsm
