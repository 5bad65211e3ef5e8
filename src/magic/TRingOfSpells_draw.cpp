// TRingOfSpells: drawing of the ring, its lit slots, the hint panel, the target marker and the
// aiming cursor.
#include "magic/TRingOfSpells.h"

#include "board/TBoardManager.h"
#include "board/TRuneManager.h"
#include "level/TLevelSequencer.h"
#include "services/TMouse.h"
#include "services/Trig.h"
#include "widgets/TContainer.h"

#include <algorithm>
#include <cmath>

namespace vsm {

namespace {

// Font of the hint texts in the shared container.
constexpr int HINT_FONT = 4004;

// The rune whose picture stands for a ball colour in the cost line; 0 for none.
int ManaIconRune(int colour) {
    switch (colour) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 4:
        return 4;
    case 8:
        return 16;
    case 10:
        return 20;
    case 13:
        return 26;
    case 14:
        return 28;
    default:
        return 0;
    }
}

void DrawCentred(const std::string& text, int cx, int ty) {
    DrawText(text, static_cast<float>(cx - TextWidth(text) / 2), static_cast<float>(ty));
}

} // namespace

int TRingOfSpells::Draw() {
    // Callers leave all sorts of state behind (tinted captions, scaled sparks); the ring is
    // always drawn plain.
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetScale(1, 1);
    SetRotation(0);
    SetAlpha(1);
    DrawImage(bgImg, static_cast<float>(x), static_cast<float>(y), 0);
    for (int i = 0; i < RING_SPELLS; ++i) {
        if (activedSpells[i] == 1 || (stage == 2 && i == usedSpell))
            DrawImage(spellImg[i], static_cast<float>(x + positionSpell[i][0]),
                      static_cast<float>(y + positionSpell[i][1]), 0);
    }

    int slot = 0;
    hintAlpha += MouseInSpell(slot) == 1 ? 0.05f : -0.05f;
    hintAlpha = std::clamp(hintAlpha, 0.0f, 1.0f);
    if (hintAlpha > 0.0f) {
        const int hx = x + 91;
        const int hy = y + 165;
        const std::vector<TManaEntry> mana = GetManaList(slot);
        SetAlpha(hintAlpha);
        DrawImage(hintImg, static_cast<float>(hx), static_cast<float>(hy), 0);
        SetImageFont(data.GetTTFont(HINT_FONT));
        SetColor(0, 0, 0);
        DrawCentred(SpellName(slot), hx, hy - 20);
        if (static_cast<int>(mana.size()) < spellCompCount[slot] ||
            sequencer.seqNo <= activationLevel[slot]) {
            DrawCentred("Not Available", hx, hy - 2);
        } else if (activedSpells[slot] == 0) {
            DrawCentred("Not Enough Mana", hx, hy - 2);
        } else {
            SetScale(1, 1);
            int width = TextWidth("Uses ");
            for (const TManaEntry& e : mana)
                width += 16 + TextWidth(std::to_string(e.amount)) - 2 + 5;
            int px = hx - width / 2;
            DrawText("Uses ", static_cast<float>(px), static_cast<float>(hy - 2));
            px += TextWidth("Uses ");
            for (const TManaEntry& e : mana) {
                SetColor(0, 0, 0);
                DrawText(std::to_string(e.amount), static_cast<float>(px), static_cast<float>(hy - 2));
                px += 10;
                SetColor(255, 255, 255);
                SetScale(0.5f, 0.5f);
                const int rune = ManaIconRune(e.colour);
                if (rune != 0) davar.Draw(rune, static_cast<float>(px), hy - 2);
                px += 21;
                SetScale(1, 1);
            }
        }
        SetColor(255, 255, 255);
        SetAlpha(1);
    }

    if ((stage == 2 || stage == 3) && usedSpell != SPELL_TIME && usedSpell >= 0 && usedSpell < RING_SPELLS) {
        SetScale(alpha, alpha);
        DrawImage(spellIco[usedSpell],
                  static_cast<float>(board.offsetX + usedSpellX * board.tileSize + board.tileSize / 2),
                  static_cast<float>(board.offsetY + usedSpellY * board.tileSize + board.tileSize / 2), 0);
        SetScale(1, 1);
    }
    return 0;
}

int TRingOfSpells::DrawCursor() {
    if (stage == 0 || usedSpell < 0 || usedSpell >= RING_SPELLS) return 0;
    SetAlpha(1);
    SetScale(0.6f, 0.6f);
    for (int k = 0; k < 3; ++k) {
        const double a = angle + 120.0 * k;
        DrawImage(spellIco[usedSpell], static_cast<float>(mouse.x + 23 + 13 * CosDeg(a)),
                  static_cast<float>(mouse.y + 23 + 13 * SinDeg(a)), 0);
    }
    SetScale(1, 1);
    return 0;
}

} // namespace vsm
