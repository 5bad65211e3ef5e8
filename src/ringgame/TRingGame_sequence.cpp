// TRingGame: the rune sequence, the sheet hit test, the judging of clicks, the spells won and the
// hint popups.
#include "ringgame/TRingGame.h"

#include "data/NumberText.h"
#include "overlays/TPopupManager.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/Sound.h"
#include "services/TGlobalSnd.h"
#include "services/TMouse.h"
#include "widgets/TAnimButton.h"

#include <algorithm>

namespace vsm {

namespace {

// Left edges of the sheet boxes, in the order the rows are tested: inner left (runes 0..4), outer
// left (5..9), inner right (10..14), outer right (15..19).
constexpr int COLUMN_LEFT[4] = {185, 85, 565, 665};
constexpr int BOX_WIDTH = 50;
constexpr int BOX_HEIGHT = 60;
constexpr int64_t SEQUENCE_PAUSE_MS = 1000;

} // namespace

int TRingGame::createSequence(int n, int /*flag*/) {
    n = std::clamp(n, 0, RING_RUNES - 1);
    seqPos = 0;
    seqLen = n;
    sequence.fill(-1);
    // Each draw is compared with the rune before it, so neighbours differ and every rune can
    // come up.
    int previous = -1;
    for (int i = 0; i <= n; ++i) {
        int r = Rand(0, RING_RUNES - 1);
        if (r == previous) r = (r + 2) % RING_RUNES;
        sequence[i] = r;
        previous = r;
    }
    return 0;
}

int TRingGame::checkBox(int px, int py, int x, int y, int w, int h) {
    return x <= px && px <= x + w && y <= py && py <= y + h ? 1 : 0;
}

int TRingGame::checkRows() {
    const int px = mouse.x;
    const int py = mouse.y;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (checkBox(px, py, COLUMN_LEFT[c], 65 + 100 * r, BOX_WIDTH, BOX_HEIGHT)) return r + 5 * c;
        }
    }
    return -1;
}

int TRingGame::resetRune() {
    runeStart = MilliSecs64();
    runeScale = 3.0f;
    runeAlpha = 0.0f;
    return 0;
}

int TRingGame::updateSequence() {
    const int64_t now = MilliSecs64();
    if (runeStart + runeTime < now && seqPos != 0) {
        playSound2(sfx[3], nullptr, 0, 1.0f);
        resetRune();
        seqPos = 0;
        progres = 0;
    }
    if ((mouse.leftPressed || mouse.rightPressed) && delayTime < 0) {
        if (selectedRune >= 0 && selectedRune == sequence[seqPos]) {
            playSound2(sfx[2], nullptr, 0, 1.0f);
            resetRune();
            if (seqHits < INT32_MAX) ++seqHits;
            ++seqPos;
            progres = static_cast<float>(seqPos) / static_cast<float>(seqLen + 1);
            if (seqPos > seqLen) {
                seqPos = 0;
                delayTime = MilliSecs64();
                createSequence(seqMaxLen, 1);
                if (!availableSpells.empty()) {
                    AddSpell();
                    ++recivedSpells;
                    playSound2(sfx[1], nullptr, 0, 1.0f);
                }
            }
        } else if (selectedRune >= 0) {
            playSound2(sfx[0], nullptr, 0, 1.0f);
        }
    }
    if (delayTime > -1 && MilliSecs64() - delayTime > SEQUENCE_PAUSE_MS) {
        delayTime = -1;
        progres = 0;
    }
    return 0;
}

int TRingGame::AddSpell() {
    if (availableSpells.empty()) return 0;
    const int pick = Rand(0, static_cast<int>(availableSpells.size()) - 1);
    const int k = TextToInt(availableSpells[pick]);
    for (const auto& s : spells) {
        if (s && s->kind == k) {
            ++s->counter;
            s->MakeSparks(400, 260, ringScale, ringRot);
            break;
        }
    }
    return 0;
}

int TRingGame::UpdateInfo() {
    const PopupPtr first = popups.First();
    if (!first || !popupManager.button) return 0;
    // Only a press that began while the hint was shown closes it (the popup arms itself once the
    // button is seen up), so the click that closed one hint cannot close the next.
    if (popupManager.button->State() == 0 || !first->armed) return 0;
    globalSnd.play(2);
    popups.Remove(first);
    FlushMouse();
    if (!popups.IsEmpty())
        globalSnd.play(3);
    else
        Timer = MilliSecs64();
    return 0;
}

int TRingGame::SetSpellsPos() {
    const auto& s = spells[std::clamp(z, 0, 5)];
    if (s) {
        if (KeyDown(KEY_UP)) s->angle += 0.1f;
        if (KeyDown(KEY_DOWN)) s->angle -= 0.1f;
        if (KeyDown(KEY_LEFT)) s->range -= 0.1f;
        if (KeyDown(KEY_RIGHT)) s->range += 0.1f;
    }
    if (KeyHit(80)) {
        for (const auto& each : spells)
            if (each) Print(std::to_string(each->range) + " " + std::to_string(each->angle));
    }
    if (KeyHit(KEY_ENTER)) z = (z + 1) % 6;
    return 0;
}

} // namespace vsm
