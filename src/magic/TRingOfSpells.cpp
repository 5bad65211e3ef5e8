// TRingOfSpells: recipes, the casting state machine, mana payment and the spells' effects.
#include "magic/TRingOfSpells.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "level/TTimeManager.h"
#include "magic/BonusActions.h"
#include "magic/TBunusManagerA.h"
#include "magic/TMagicSphere.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/Paths.h"
#include "services/Sound.h"
#include "services/TMouse.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace vsm {

TRingSeams ringSeams;

void TRingSeams::PopupAddEvent(const std::string& name) {
    if (popupAddEvent)
        popupAddEvent(name);
    else
        unset.Report("popup event", "the ring's popup events are dropped");
}
TRingOfSpells ringOfSpells;

namespace {

// Milliseconds the ring waits after each spell took effect before it settles.
constexpr int SPELL_DELAY[RING_SPELLS] = {500, 1000, 100, 1200};

bool ValidSpell(int i) {
    return i >= 0 && i < RING_SPELLS;
}

} // namespace

std::string SpellName(int i) {
    static const char* const names[RING_SPELLS] = {"Magic Sand Spell", "Spread Spell", "Time Spell",
                                                   "Fire Spell"};
    return ValidSpell(i) ? names[i] : "";
}

int SortManaList(const TManaCandidate& a, const TManaCandidate& b) {
    return a[1] - b[1];
}

TRingOfSpells::TRingOfSpells() {
    spellComponent[SPELL_MAGIC_SAND] = {{4, 5}, {13, 5}};
    spellComponent[SPELL_SPREAD] = {{10, 5}, {14, 5}};
    spellComponent[SPELL_TIME] = {{1, 5}};
    spellComponent[SPELL_FIRE] = {{2, 5}, {8, 5}};
}

void ResetRingOfSpells() {
    ringOfSpells = TRingOfSpells();
}

int TRingOfSpells::LoadResources() {
    static const char* const slotFiles[RING_SPELLS] = {"gfx/gui/aktywator.png", "gfx/gui/koloryzer.png",
                                                       "gfx/gui/heal.png", "gfx/gui/2fire.png"};
    static const char* const iconFiles[RING_SPELLS] = {"gfx/bonusy/mag_10.png", "gfx/bonusy/mag_13.png",
                                                       "gfx/bonusy/mag_11.png", "gfx/bonusy/mag_12.png"};
    bgImg = LoadImage(bDir + "gfx/gui/gui_czary.png");
    for (int i = 0; i < RING_SPELLS; ++i)
        spellImg[i] = LoadImage(bDir + slotFiles[i]);
    for (int i = 0; i < RING_SPELLS; ++i)
        spellIco[i] = LoadImage(bDir + iconFiles[i]);
    hintImg = LoadImage(bDir + "gfx/gui/hint.png");
    if (hintImg) MidHandleImage(hintImg);
    for (auto& ico : spellIco)
        if (ico) MidHandleImage(ico);
    manaSfx = LoadSound(bDir + "sfx/fx/fx-wziuu.ogg");
    coloryzerSfx = LoadSound(bDir + "sfx/fx/fx-kolory.ogg");
    timerSfx = LoadSound(bDir + "sfx/fx/fx-zegar.ogg");
    return 0;
}

int TRingOfSpells::Clear() {
    stage = 0;
    fsEmiters.clear();
    tbEmiter = nullptr;
    coloryzerAlpha = 1.0f;
    showActivatorError = 1;
    return 0;
}

int TRingOfSpells::CheckSpells() {
    for (int i = 0; i < RING_SPELLS; ++i) {
        int count = 0;
        for (int b = 0; b < SPHERE_BALLS; ++b)
            for (const TSpellComponent& c : spellComponent[i])
                if (magicSphere.ballsClr[b] != 0 && magicSphere.ballsClr[b] == c[0] &&
                    magicSphere.ballsFil[b] >= static_cast<float>(c[1]))
                    ++count;
        activedSpells[i] = count >= spellCompCount[i] ? 1 : 0;
        if (sequencer.seqNo <= activationLevel[i]) activedSpells[i] = 0;
    }
    return 0;
}

std::vector<TManaEntry> TRingOfSpells::GetManaList(int spell) {
    std::vector<TManaEntry> out;
    if (!ValidSpell(spell)) return out;
    struct Candidate {
        TManaCandidate c;
        int ball;
    };
    std::vector<Candidate> candidates;
    for (int b = 0; b < SPHERE_BALLS; ++b) {
        const int colour = magicSphere.ballsClr[b];
        if (colour == 0) continue;
        for (const TSpellComponent& comp : spellComponent[spell]) {
            if (comp[0] != colour) continue;
            candidates.push_back({{colour, static_cast<int>(magicSphere.ballsFil[b]), comp[1]}, b});
            break;
        }
    }
    // Stable: balls of equal fill keep ball order, so the lower index pays.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return SortManaList(a.c, b.c) > 0; });
    for (const Candidate& cand : candidates) {
        if (static_cast<int>(out.size()) >= spellCompCount[spell]) break;
        out.push_back({cand.c[0], cand.c[2], cand.ball});
    }
    return out;
}

int TRingOfSpells::_pay() {
    for (const TManaEntry& e : GetManaList(usedSpell)) {
        FromSphereEmiter(e.colour, e.ball);
        // Only the chosen ball pays: another ball of the same colour may hold less than the price.
        magicSphere.GetManaBall(e.ball, e.amount);
    }
    stage = 2;
    playSound2(manaSfx, nullptr, 0, 1.0f);
    return 0;
}

int TRingOfSpells::Update() {
    if (alphaDir == 1) {
        alpha += 0.0222222228f;
        if (alpha > 1.0f) {
            alpha = 1.0f;
            alphaDir = 0;
        }
    } else {
        alpha -= 0.0222222228f;
        if (alpha < 0.7f) {
            alpha = 0.7f;
            alphaDir = 1;
        }
    }
    angle += 3;
    if (angle > 360) angle = 1;

    CheckSpells();

    if (coloryzerAlpha < 1.0f) {
        BonusColoryzer(coloryzerAlpha, usedSpellX, usedSpellY, spellHardLevel[SPELL_SPREAD]);
        return 0;
    }

    switch (stage) {
    case 0:
        if (mouse.leftPressed != 0 && MouseInSpell(usedSpell) == 1 && activedSpells[usedSpell] == 1) {
            stage = 1;
            if (usedSpell == SPELL_TIME) _pay();
        }
        break;
    case 1:
        if (mouse.rightPressed != 0) {
            FlushBlockParticles();
            FlushMouse();
            stage = 0;
        }
        if (mouse.leftPressed != 0 && MouseInBoard(usedSpellX, usedSpellY) == 1) {
            if (usedSpell == SPELL_MAGIC_SAND && bonusManagerAlt.FindBonus(usedSpellX, usedSpellY) == 0) {
                if (showActivatorError == 1) ringSeams.PopupAddEvent("ACTIVATOR_ERROR");
                showActivatorError = 0;
            } else if (usedSpell == SPELL_SPREAD && (board.davarLayer[usedSpellX][usedSpellY] <= 0 ||
                                                     board.davarLayer[usedSpellX][usedSpellY] == 13)) {
                // Ignored: nothing to spread from.
            } else {
                _pay();
            }
        }
        break;
    case 2:
        if (FSEmitersInPlace() == 1) {
            fsEmiters.clear();
            if (usedSpell == SPELL_TIME)
                ToTimerEmiter();
            else
                ToBoardEmiter();
            stage = 3;
        }
        break;
    case 3:
        if (TBEmiterInPlace() == 1) {
            tbEmiter = nullptr;
            timer = MilliSecs64();
            ActivateSpell();
            stage = 4;
        }
        break;
    case 4:
        if (ValidSpell(usedSpell) && MilliSecs64() - timer > SPELL_DELAY[usedSpell]) stage = 5;
        break;
    case 5:
        if (bonusManagerAlt.queue.IsEmpty() && blocks.IsFreze() == 0) {
            stage = 0;
            FlushBlockParticles();
        }
        break;
    default:
        break;
    }
    return 0;
}

int TRingOfSpells::ActivateSpell() {
    const int x = usedSpellX;
    const int y = usedSpellY;
    switch (usedSpell) {
    case SPELL_MAGIC_SAND:
        bonusManagerAlt.Clear(x, y);
        break;
    case SPELL_SPREAD:
        coloryzerAlpha = 0.0f;
        playSound2(coloryzerSfx, nullptr, 0, 1.0f);
        break;
    case SPELL_TIME: {
        const int bonus = sequencer.seqNo >= spellHardLevel[SPELL_TIME] ? 30000 : 20000;
        timeManager.startSystemTime = std::min(MilliSecs64(), timeManager.startSystemTime + bonus);
        playSound2(timerSfx, nullptr, 0, 1.0f);
        break;
    }
    case SPELL_FIRE: {
        std::vector<int> diagonal;
        if (sequencer.seqNo >= 44)
            diagonal = {-1, 0, 1};
        else if (sequencer.seqNo >= spellHardLevel[SPELL_FIRE])
            diagonal = {-1, 1};
        else
            diagonal = {0};
        std::vector<std::pair<int, int>> centres;
        for (int d : diagonal) {
            const int cx = x + d;
            const int cy = y + d;
            if (cx < 0 || cx >= BOARD_CELLS || cy < 0 || cy >= BOARD_CELLS || board.grid[cx][cy] == 0)
                continue;
            centres.emplace_back(cx, cy);
        }
        const int64_t count = BonusRemoveCrosses(centres);
        playSound2(bonusManagerAlt.sfx[1], nullptr, 0, 1.0f);
        points.add(static_cast<int>(std::min<int64_t>(count * 50, INT_MAX)));
        break;
    }
    default:
        break;
    }
    return 0;
}

} // namespace vsm
