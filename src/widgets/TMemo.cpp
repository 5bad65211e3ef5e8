// TMemo: character-by-character drawing with wrapping at the rectangle's right edge.
#include "widgets/TMemo.h"

#include "platform/Utf8.h"
#include "widgets/TFont.h"

namespace vsm {

int TMemo::Draw() {
    if (!visible || !dim) return 0;
    FontPtr imageFont = font.ImageFont();
    auto bitmapFont = font.As<TFont>();
    if (!imageFont && !bitmapFont) return 0;
    SetAlpha(alpha);
    SetScale(dim->scalex, dim->scaley);
    if (imageFont) SetImageFont(imageFont);
    const float left = static_cast<float>(static_cast<int>(dim->Left()));
    const float right = dim->Right();
    float x = left;
    float y = static_cast<float>(static_cast<int>(dim->Top()));
    for (uint32_t code : DecodeUtf8(text)) {
        std::string character;
        AppendUtf8(character, code);
        LetterPtr letter = bitmapFont ? bitmapFont->GetLetter(character) : nullptr;
        if (bitmapFont && (!letter || !letter->dim)) continue;
        const float w = imageFont ? static_cast<float>(TextWidth(character)) : letter->dim->width;
        // A character that would end past the right edge starts a new line, even the first one
        // of its line.
        if (wordwrap == 1 && x + w > right) {
            x = left;
            y += imageFont ? static_cast<float>(TextHeight(text)) : letter->dim->height;
        }
        if (imageFont) {
            DrawText(character, x, y);
        } else {
            letter->alpha = alpha;
            letter->dim->scalex = dim->scalex;
            letter->dim->scaley = dim->scaley;
            letter->dim->x = x;
            letter->dim->y = y;
            letter->Draw();
        }
        x += w;
    }
    SetAlpha(1);
    SetScale(1, 1);
    return 0;
}

int TMemo::State() {
    return 0;
}

MemoPtr CreateMemo(const TObjectRef& font, const std::string& text, const DimPtr& dim, int wordwrap,
                   float alpha) {
    auto memo = std::make_shared<TMemo>();
    memo->font = font;
    memo->text = text;
    memo->dim = dim;
    memo->wordwrap = wordwrap;
    memo->alpha = alpha;
    return memo;
}

} // namespace vsm
