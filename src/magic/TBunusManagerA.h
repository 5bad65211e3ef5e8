// TBunusManagerA: the bonus manager (global `bonusManagerAlt`) — tokens on the board, their
// placement, firing, captions, saving and the running teleport.
#pragma once

#include "magic/TBonusA.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "services/TList.h"

#include <cstdint>
#include <array>
#include <string>
#include <vector>

namespace vsm {

// How long a token of one kind spins before it fires, and how long its firing holds back the
// next piece, in ms.
struct TBonusTimes {
    int activateTime = 0;
    int blockFrezeTime = 0;
};
// Returns the times of kind 1..6; {0, 0} for any other kind.
TBonusTimes BonusTimesOf(int kind);

class TBunusManagerA {
  public:
    TBunusManagerA();

    ImagePtr images[7];   // token image of kind k at k; 0 empty
    ImagePtr captions[7]; // caption image of kind k at k; 0 the several-bonuses caption
    SoundPtr sfx[9];      // 1..8 used
    ImagePtr glows[4];
    TList<TBonusA> bonuses;                 // lying tokens, in the order added
    TList<TBonusA> queue;                   // activated tokens waiting to fire, in the order taken
    int matches = 0, scores = 0, combo = 0; // numbers of the pending caption
    int captionX = 0, captionY = 0;
    int captionType = 0;                           // kind whose caption is pending; 0 none
    float replacerAlpha = 1;                       // teleport progress; 1 or more = idle
    std::vector<std::array<int, 3>> replacerDavar; // teleport records: x, y, new rune id

    // Loads token, caption, glow images and sounds; a file that fails to load leaves its slot
    // empty (reported by the loader). Returns 0.
    int LoadResources();
    // Returns 1 and writes a random eligible cell (board cell, non-stone rune, no token) and
    // its colour class; returns 0 and writes nothing when no cell qualifies.
    int GetRandomPlace(int& x, int& y, int& color);
    // Returns the kind of the first lying token on (x, y), 0 when none.
    int FindBonus(int x, int y);
    // Returns the first lying token on (x, y), null when none.
    BonusPtr GetBonus(int x, int y);
    // Places one token of the kind (0: a random kind the level allows) on a random eligible
    // cell and counts it in level.recivedSpells; adds nothing when no kind or cell fits.
    // Returns 0.
    int AddBonus(int kind);
    // Places a token of kind 1..6 on the given cell without any test; another kind or a cell
    // outside 0..14 adds nothing. Returns 0.
    int AddBonusExt(int kind, int x, int y, int color);
    // Fires queued tokens whose time is up, shows the pending caption, runs the teleport.
    // Returns 0.
    int Update();
    // Draws the lying tokens, then the activated ones. Returns 0.
    int Draw();
    // Sets off every token lying on (x, y): queued, activated, counted in level.droppedSpells.
    // Returns 0.
    int Clear(int x, int y);
    // Removes the first token lying on (x, y) without setting it off. Returns 0.
    int ClearSilent(int x, int y);
    // Returns 1 while the queue holds a token, else 0.
    int BonusActive();
    // Stores the caption numbers and, when tokens are queued, places the caption over the last
    // one and takes its kind from the first. Returns 0.
    int AddCaption(int matches, int scores, int combo, int x, int y);
    // Drops every token, lying or queued. Returns 0.
    int ClearSpells();
    // Stops every running effect and teleport, lifts no running freeze, cancels the caption.
    // Returns 0.
    int ClearEfects();
    // Returns 1 when any board cell holds a stone, else 0.
    int StonesOnBoard();

    // Returns the saved form of the lying tokens, "kind:x:y:colour" each, in list order.
    std::vector<std::string> SaveTokens();
    // Restores saved tokens; an entry without exactly four integer fields, with a kind outside
    // 1..6 or a cell outside 0..14 is skipped with one diagnostic line. Returns the number of
    // tokens restored.
    int LoadTokens(const std::vector<std::string>& entries);
};

// The bonus manager, created at start-up.
extern TBunusManagerA bonusManagerAlt;
// Clock time of the last firing and the volume factor of a chain of firings.
extern int64_t bonusSndTimer;
extern float bonusSndModifier;

// Rebuilds bonusManagerAlt as new and resets the firing chain. Tests call it between cases;
// start-up calls it once before LoadResources.
void ResetBonusManager();

} // namespace vsm
