// TRingGame: the ring mini-game stage (global `ringGame`) — its level document, scene, rune
// sequence, spells won, summary and the stage state kept in the player's profile.
#pragma once

#include "overlays/TPopup.h"
#include "platform/Audio.h"
#include "platform/Graphics.h"
#include "ringgame/TRingSpell.h"
#include "services/TList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TAudioStream;
class TImageButton;

// Runes printed on the sheets, and the most runes a sequence can ask for.
constexpr int RING_RUNES = 20;
// The stage's phases: 1..5 the intro, then play and time over.
constexpr int RING_PHASE_PLAY = 6;
constexpr int RING_PHASE_OVER = 7;
// Results of ShowInGameMenuRG, also the frame results of Play that end the stage.
constexpr int RING_CONTINUE = 0;
constexpr int RING_TIME_OVER = 1;
constexpr int RING_MAIN_MENU = 2;
constexpr int RING_TERMINATE = 3;
// Points for each rune found.
constexpr int RING_POINTS_PER_HIT = 500;
// The profile key that marks a ring stage left before its end (1) or finished (0).
extern const char* const RING_IN_PROGRESS_KEY;

// One paper sheet: its centre and its slide-in.
struct TPapier {
    float x = 0;  // horizontal centre, moving while the sheets slide in
    int y = 0;    // vertical centre
    float sx = 0; // slide speed in pixels a frame, positive to the right
    int d = 0;    // frames of full-speed travel left before it brakes
};

class TRingGame {
  public:
    TRingGame();
    virtual ~TRingGame() = default;

    ImagePtr bg;
    ImagePtr ring;
    ImagePtr wahadlo; // pendulum, pivot 72 pixels above its top edge
    ImagePtr papier;
    ImagePtr swiatelko; // highlight over the sheet under the pointer
    ImagePtr runy;      // 20 runes as printed on the sheets
    ImagePtr runy2;     // 20 runes as shown in the ring
    ImagePtr bar;
    std::shared_ptr<TImageButton> menuButton;
    std::shared_ptr<TAudioStream> music;
    std::array<SoundPtr, 8> sfx;
    std::string musicName;
    float ringScale = 0;
    float ringRot = 0;
    float rotSpeed = 0;
    float ringAlfa = 0;
    float runeAlpha = 0;
    float runeScale = 0;
    float wahadloPos = 0;
    float wahadloRot = 0;
    int wahadloMaxRot = 0;
    float t = 0;         // pendulum phase in frames
    int64_t Timer = 0;   // clock at which the stage time started
    int64_t maxTime = 0; // stage length in milliseconds
    std::array<int, RING_RUNES> sequence{};
    int seqLen = 0; // index of the sequence's last rune
    int seqHits = 0;
    int seqPos = 0;
    int seqMaxLen = 0;                        // sequence length minus 1, always 0..19
    int selectedRune = 0;                     // sheet under the pointer, -1 for none
    int runeTime = 0;                         // milliseconds allowed for each rune after the first
    int64_t runeStart = 0;                    // clock at which the shown rune appeared
    std::vector<std::string> availableSpells; // spell kinds "1".."6"
    int recivedSpells = 0;
    std::array<TPapier, RING_RUNES> papiery;
    std::array<std::shared_ptr<TRingSpell>, 6> spells; // slot k - 1 holds kind k
    float progres = 0;
    int64_t delayTime = 0; // clock at which the last sequence was completed; -1 for none
    int faza = 0;
    TList<TPopup> popups; // hint popups still to show
    int z = 0;            // spell moved by SetSpellsPos

    // Reads the ring level document `name` of "data/ring_levels_lp.bca" and the level's hint
    // popups, replacing those of an earlier level. A sequence length outside 1..20 is held to it
    // and a spell kind other than 1..6 is left out, each with one diagnostic line. Returns 0.
    int Load(const std::string& name);
    // Draws a new sequence of n + 1 runes (n held to 0..19); neighbouring runes differ.
    int createSequence(int n, int flag);
    // Loads the stage's pictures and sounds, makes the menu button and the six spell icons; a
    // file that fails to load leaves its slot empty and that piece draws or plays nothing.
    int loadGfx();
    // Puts every field of a fresh stage start in place; the stage clock starts now.
    int resetParams();
    // One frame of the intro, the pendulum clock and the pointer. Returns 0.
    int Update();
    // Draws the scene; with noCursor 0 also the cursor. Returns 0.
    int Draw(int noCursor);
    // Awards one random spell of availableSpells (nothing when it is empty). Returns 0.
    int AddSpell();
    // Developer aid: arrows move spell z, P prints the places, Return picks the next spell.
    int SetSpellsPos();
    // Returns the rune (0..19) whose sheet's box holds the pointer, else -1.
    int checkRows();
    // Returns 1 when x <= px <= x + w and y <= py <= y + h, else 0.
    int checkBox(int px, int py, int x, int y, int w, int h);
    // Shows the current rune afresh from now on.
    int resetRune();
    // Judges the frame's click and the rune's time against the sequence. Returns 0.
    int updateSequence();
    // Closes the first hint popup when its button is pressed; the stage clock starts when the
    // last one closes. Returns 0.
    int UpdateInfo();
    // Runs the stage to its end. Returns 0 when it is over and the campaign goes on, 1 back to
    // the title screen; a terminate request ends the program after the state is stored, and
    // after a stage whose time is up in that frame has been finished and paid.
    int Play(int resume);
    // The end-of-stage scroll: pays 500 points a hit into points.total first. Returns 0 when it
    // has ended, 1 at once on a terminate request.
    int Summary();
    // Stores the hits, the elapsed time and the spells won in the profile and writes it.
    int SaveToProfile();
    // Restores the hits, spells won and elapsed time of a stage left before its end; a stored time
    // is kept within 0 and the stage's length, and counts below 0 read 0.
    int LoadFromProfile();
    // Puts the spells won in the last ring stage on the board of the quest level starting now.
    int CopySpells();
    // The stage's in-game menu. Returns RING_CONTINUE, RING_MAIN_MENU or RING_TERMINATE.
    int ShowInGameMenuRG();

    // Whether Play(1) is to restore the stored stage: not when the profile marks the last stage
    // as finished, nor when its stored time already fills the stage time.
    bool ResumableStage() const;

  private:
    // The summary's state machine and one drawn frame.
    struct SummaryState;
    void _summaryStep(SummaryState& s);
    void _summaryDraw(const SummaryState& s);
    // Stops and drops the stage music.
    void _stopMusic();
    // Adds 500 points a hit to points.total.
    void _payHits();
};

// The pendulum's amplitude in whole degrees for the elapsed part of the stage time: 30 at the
// start, 0 once the time is over or when the stage has no time at all.
int PendulumAmplitude(int64_t elapsed, int64_t maxTime);

// The ring stage, alive for the whole run.
extern TRingGame ringGame;

// Rebuilds `ringGame` in its start-up state (no pictures, no level).
void ResetRingGameGlobals();

} // namespace vsm
