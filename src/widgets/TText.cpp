// TText: measuring and drawing a label in an image font or a bitmap font.
#include "widgets/TText.h"

#include "platform/Utf8.h"
#include "widgets/TFont.h"

namespace vsm {

namespace {

// Measures in the given image font and puts back the font the drawing context had selected.
int MeasureIn(const FontPtr& font, const std::string& text, bool height) {
    FontPtr selected = GetImageFont();
    SetImageFont(font);
    const int size = height ? TextHeight(text) : TextWidth(text);
    SetImageFont(selected);
    return size;
}

} // namespace

float TText::Height() {
    if (FontPtr imageFont = font.ImageFont()) return static_cast<float>(MeasureIn(imageFont, text, true));
    if (auto bitmapFont = font.As<TFont>()) return bitmapFont->Size;
    return 0;
}

float TText::Width() {
    if (FontPtr imageFont = font.ImageFont()) return static_cast<float>(MeasureIn(imageFont, text, false));
    auto bitmapFont = font.As<TFont>();
    if (!bitmapFont) return 0;
    float width = 0.0f;
    for (uint32_t code : DecodeUtf8(text)) {
        std::string character;
        AppendUtf8(character, code);
        if (LetterPtr letter = bitmapFont->GetLetter(character); letter && letter->dim)
            width += letter->dim->width;
    }
    return width;
}

int TText::Draw() {
    if (!visible || !dim) return 0;
    if (FontPtr imageFont = font.ImageFont()) {
        SetAlpha(alpha);
        SetImageFont(imageFont);
        SetColor(color ? color->r : 255, color ? color->g : 255, color ? color->b : 255);
        SetScale(dim->scalex, dim->scaley);
        DrawText(text, dim->Left(), dim->Top());
        SetAlpha(1);
        SetColor(255, 255, 255);
        SetScale(1, 1);
        return 0;
    }
    auto bitmapFont = font.As<TFont>();
    if (!bitmapFont) return 0;
    int pen = 0;
    for (uint32_t code : DecodeUtf8(text)) {
        std::string character;
        AppendUtf8(character, code);
        LetterPtr letter = bitmapFont->GetLetter(character);
        if (!letter || !letter->dim) continue;
        letter->alpha = alpha;
        letter->dim->scalex = dim->scalex;
        letter->dim->scaley = dim->scaley;
        letter->dim->x = dim->Left() + static_cast<float>(pen);
        letter->dim->y = dim->Top();
        letter->Draw();
        // Letters advance by their unscaled widths, so a scaled text keeps its spacing.
        pen = static_cast<int>(static_cast<float>(pen) + letter->dim->width);
    }
    return 0;
}

TextPtr CreateText(const std::string& text, const DimPtr& dim, const TObjectRef& font, float alpha,
                   int origin, float xoffset, float yoffset) {
    auto t = std::make_shared<TText>();
    t->text = text;
    t->dim = dim;
    t->font = font;
    t->alpha = alpha;
    if (dim) {
        dim->origin = origin;
        dim->xoffset = xoffset;
        dim->yoffset = yoffset;
    }
    return t;
}

} // namespace vsm
