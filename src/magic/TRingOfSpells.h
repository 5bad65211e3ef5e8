// TRingOfSpells: the ring of four spells (global `ringOfSpells`) — recipes, the casting state
// machine, mana payment, the spells' effects, drawing, flights and pointer tests.
#pragma once

#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "services/TUnsetHooks.h"
#include "services/TVolcanoEmiter.h"

#include <cstdint>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace vsm {

// Number of spells on the ring.
constexpr int RING_SPELLS = 4;

// Spell indices as the ring addresses them.
constexpr int SPELL_MAGIC_SAND = 0;
constexpr int SPELL_SPREAD = 1;
constexpr int SPELL_TIME = 2;
constexpr int SPELL_FIRE = 3;

// What the ring asks of the popups, which sit above it and show its errors; start-up fills the
// hook.
struct TRingSeams {
    // popupManager.AddEvent(name): posts a gameplay event for the information popups.
    std::function<void(const std::string&)> popupAddEvent;

    // Calls popupAddEvent(name); unset, prints one line the first time and drops the event.
    void PopupAddEvent(const std::string& name);

    TUnsetHooks unset;
};

// The hooks in force; ResetRingOfSpells leaves them untouched.
extern TRingSeams ringSeams;

// One payment: `amount` mana of ball colour `colour`, taken from sphere ball `ball` (0..4).
struct TManaEntry {
    int colour = 0;
    int amount = 0;
    int ball = -1;
};

// A recipe component: [ball colour, amount].
using TSpellComponent = std::array<int, 2>;
// A payment candidate: [ball colour, ball fill truncated toward zero, amount].
using TManaCandidate = std::array<int, 3>;

class TRingOfSpells {
  public:
    TRingOfSpells();

    int x = 13; // top-left corner of the ring on screen
    int y = 340;
    int positionSpell[RING_SPELLS][2] = {{66, 2}, {131, 38}, {67, 74}, {3, 38}}; // slot offsets
    ImagePtr bgImg;
    ImagePtr spellImg[RING_SPELLS]; // lit picture of each slot
    ImagePtr spellIco[RING_SPELLS]; // cursor icon of each spell, handle at its centre
    ImagePtr hintImg;               // hint panel, handle at its centre
    float alpha = 1.0f;             // target-marker pulse, 0.7..1.0
    int alphaDir = 0;               // 1 rising, 0 falling
    int angle = 1;                  // degrees of the circling cursor icons, 1..360
    int64_t timer = 0;              // clock value (MilliSecs64) at which the current spell took effect
    SoundPtr coloryzerSfx;
    SoundPtr timerSfx;
    SoundPtr manaSfx;
    int stage = 0; // 0 idle, 1 aiming, 2 mana flight, 3 spell flight, 4 delay, 5 settling
    int activedSpells[RING_SPELLS] = {};
    int usedSpell = 0;
    int usedSpellX = 0, usedSpellY = 0; // target cell
    std::vector<TSpellComponent> spellComponent[RING_SPELLS];
    int spellCompCount[RING_SPELLS] = {1, 1, 1, 1};
    int spellHardLevel[RING_SPELLS] = {5, 5, 5, 15};
    int activationLevel[RING_SPELLS] = {24, 10, 34, 4};
    int showActivatorError = 1;
    std::vector<VolcanoEmiterPtr> fsEmiters; // mana flights of the payment under way
    VolcanoEmiterPtr tbEmiter;               // flight from the slot to the target, or null
    float coloryzerAlpha = 1.0f;             // Spread Spell progress; 1 = none running
    float hintAlpha = 0.0f;

    // Loads the ring's pictures and sounds from the resources folder; a file that fails to load
    // leaves its slot empty (the loader reports it) and nothing is drawn or played for it.
    // Returns 0.
    int LoadResources();
    // Returns the ring to idle for a level start or restart and forgets the flights it watched.
    // Returns 0.
    int Clear();
    // The per-frame step: pulse, cursor angle, castable spells, the Spread Spell's recolouring
    // and the casting state machine, driven by the frame's mouse state. Returns 0.
    int Update();
    // Draws the ring, the lit slots, the hint and the target marker; advances the hint fade.
    // Returns 0.
    int Draw();
    // Draws the three spell icons circling the pointer; nothing while idle. Returns 0.
    int DrawCursor();

    // Starts a mana flight of ball colour `colour` to the slot being cast, from ball `ball`
    // when it holds that colour, else from the first ball of the colour; starts nothing when
    // the sphere has no ball of that colour. Returns 0.
    int FromSphereEmiter(int colour, int ball = -1);
    // Starts the white flight from the slot being cast to the target cell. Returns 0.
    int ToBoardEmiter();
    // Starts the white flight from the slot being cast to the level clock. Returns 0.
    int ToTimerEmiter();
    // Returns 1 when every mana flight of the payment has arrived (none: 1), else 0.
    int FSEmitersInPlace();
    // Returns 1 when the spell's flight has arrived or there is none, else 0.
    int TBEmiterInPlace();
    // Returns 1 and writes the cell under the pointer when it is a board cell; returns 0 (the
    // computed, possibly out-of-range cell still written) otherwise.
    int MouseInBoard(int& cx, int& cy);
    // Returns 1 and writes the slot under the pointer; returns 0 and leaves slot unchanged.
    int MouseInSpell(int& slot);
    // Makes the held piece's last cell the current mouse cell, so it sees no jump. Returns 0.
    int FlushBlockParticles();
    // Applies usedSpell at the target cell. Returns 0.
    int ActivateSpell();
    // Recomputes activedSpells from the sphere and the campaign position. Returns 0.
    int CheckSpells();
    // Returns the payments of a spell, fullest paying ball first, at most spellCompCount[spell]
    // entries; empty for an unknown spell or when no ball holds a recipe colour.
    std::vector<TManaEntry> GetManaList(int spell);

    // Returns 1 when the flight has arrived (all sparks launched and at least one landed and
    // dropped) or is null, else 0.
    static int EmiterArrived(const VolcanoEmiterPtr& e);
    // Returns the screen centre of slot i's hit box.
    int SlotCentreX(int i) const;
    int SlotCentreY(int i) const;

  private:
    // Pays the mana of usedSpell: one flight and one charge per entry; then stage 2. Returns 0.
    int _pay();
};

// The comparison of the payment sort: returns a[1] - b[1], the difference of the fills.
int SortManaList(const TManaCandidate& a, const TManaCandidate& b);

// The name of spell i as the hint shows it; "" for another index.
std::string SpellName(int i);

// The ring, created at start-up.
extern TRingOfSpells ringOfSpells;

// Rebuilds ringOfSpells as new (images and sounds dropped). Start-up calls it once before
// LoadResources; tests call it between cases.
void ResetRingOfSpells();

} // namespace vsm
