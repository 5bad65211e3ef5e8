// TLevelManager: the running board level — its document, background, music, statistics, goal
// and the end-of-level summary.
#pragma once

#include "platform/Audio.h"
#include "platform/Graphics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TTSCFile;
class TAudioStream;

// The end-of-level summary's stages in the order it runs them; summaryStage holds one.
enum SummaryStage : int {
    SUMMARY_PAUSE = 0,          // a second of stillness before the count
    SUMMARY_COUNT = 1,          // the free board cells are counted into the end bonus
    SUMMARY_DOORS_CLOSE = 2,    // the doors slide shut over the board
    SUMMARY_DOORS_SHUT = 3,     // a pause with the doors shut; the summary song starts
    SUMMARY_SCROLL_APPEAR = 4,  // the rolled scroll fades in
    SUMMARY_SCROLL_UNROLL = 5,  // the scroll unrolls, shedding sparks
    SUMMARY_SCROLL_OPEN = 6,    // a pause on the open scroll after the voice clip
    SUMMARY_BONUS_COUNT_UP = 7, // the end bonus moves into the shown total; a click skips it
    SUMMARY_AWAIT_CLICK = 8,    // waiting for the click that closes the scroll
    SUMMARY_SCROLL_ROLL_UP = 9, // the scroll rolls up
    SUMMARY_SCROLL_VANISH = 10, // the rolled scroll fades out
    SUMMARY_FADE_OUT = 11,      // the screen fades to black and the song fades away
    SUMMARY_DONE = 12,          // finished: summaryDone is set
};

class TLevelManager {
  public:
    int level = 0;                     // the document's Number
    std::string levelName;             // archive entry name or path of the level document
    std::shared_ptr<TTSCFile> lvlFile; // held only while Load runs
    ImagePtr bgImg;
    std::string bgName;               // the document's BackgroundImage
    std::string loadedBgName = "---"; // path last loaded into bgImg; "---" none yet
    std::shared_ptr<TAudioStream> musicStream;
    std::string loadedMusicName; // the document's Song
    ImagePtr newHiscoreImg;
    std::array<std::array<ImagePtr, 6>, 2> doorImg; // [0] left door tiles, [1] right door tiles
    ImagePtr levelCompletedImg;
    // The badge of the same place when an endless or time-attack game ends: no level was completed.
    ImagePtr gameOverImg;
    std::shared_ptr<TAudioStream> summaryMusic;
    float doorPos = 0;
    float fadeAlpha = 0;
    float scrollAlpha = 0;
    float levelCompletedAlpha = 0;
    float scrollViewPos = 0;
    int64_t summaryTimer = 0; // ms clock (MilliSecs64)
    int summaryDone = 0;
    int sX = 0; // end-bonus count cursor
    int sY = 0;
    int sCounter = 0;
    int sTimer = 0;
    int summaryStage = SUMMARY_PAUSE; // a SummaryStage
    int sparksCount = 0;
    int64_t musicFade = 0; // ms clock (MilliSecs64)
    int playSummaryMusic = 0;
    ChannelPtr summaryChn;
    SoundPtr summarySnd;
    SoundPtr summarySndStop;
    SoundPtr scrollOutSnd;
    SoundPtr scrollInSnd;
    SoundPtr bonusSnd;
    SoundPtr levelEnd;
    ChannelPtr levelEndChn;
    int bonusPoinstSndCounter = 0;
    std::array<ImagePtr, 2> heroineImg;
    float heroineAlpha = 0;
    int heroineAlphaDir = 0;
    int bonusPoints = 0;   // end bonus counted and not yet moved into pointsCounter
    int recivedSpells = 0; // bonus tokens that appeared this level
    int droppedSpells = 0; // bonus tokens collected this level
    int usedBlocks = 0;    // pieces placed this level
    int pointsCounter = 0; // total shown on the summary scroll
    int matches = 0;
    int combos = 0;
    int difficulty = 2;
    std::vector<std::string> availableSpells;
    int copySpellsFromRMG = 0;
    int goalType = 0;
    std::array<int, 2> boardMiddle{0, 0};
    int sparkDelay = 0;

    // Sets the level document's name; returns 0.
    int Set(const std::string& name);
    // Loads the document of levelName (archive, "lp-" alias, file, fallback) and configures the
    // board, pieces, sphere, clock and boss runes; flag 1 starts an endless or time-attack game.
    // A document found nowhere leaves every key at its default; a missing level archive ends the
    // program. Also puts the summary's stage and count cursor back to the start. Returns 0, or
    // -1 after a diagnostic line when the level can deal no known rune or no known piece: such a
    // level is refused and must not be played (the endless and time-attack loops then load the
    // fallback board "level_endless_01.tsc" instead).
    int Load(int flag);
    // Loads the summary's sounds and pictures; missing files leave empty slots. Returns 0.
    int loadSfx();
    // Starts the level music (looping), stopping a stream already playing first; returns 0.
    int playLvlMusic();
    // Pauses the level music when there is one; returns 0.
    int pauseMusic();
    // Resumes (or restarts) the level music when there is one; returns 0.
    int continueMusic();
    // Stops and releases the level music when there is one; returns 0.
    int stopAndFreeMusic();
    // Banks the level's points into the total, drops the held piece, clears sparks; returns 0.
    int finish();
    // Draws the background over the whole screen; returns 0.
    int Draw();
    // Loads the background (falling back to custom art, "gfx/slides/" and "gfx/slides/1a.jpg")
    // and, in a campaign, starts the level music paused; returns 0.
    int loadGfx();
    // Returns 1 when the level's goal is met (or a developer key ends it), else 0.
    int isGoalAchieved(int unused = 1);
    // Books at once what the summary has not yet booked of the end bonus (the part counted so
    // far and the cells from the cursor on); nothing once the count has ended. Returns 0.
    int doShortSummary();
    // Zeroes the five level statistics; returns 0.
    int ResetStats();
    // Prepares the end-of-level summary from its first stage, releasing the channels a summary
    // left in the middle still holds; returns 0.
    int startSummary();
    // Advances the summary by one frame; returns 0.
    int updateSummary();
    // Draws the quest summary; returns 0.
    int summaryDisplay();
    // Draws the endless and time-attack summary; returns 0.
    int summaryDisplayET(int time, int blocksUsed, int best);
    // Draws the twelve door tiles (pos -1 keeps doorPos); returns 0.
    int drawDoors(int pos);

  private:
    // The background search of loadGfx: sets `recorded` to the path to load (under the
    // resources folder unless absolute) and returns false when only the last fallback is left.
    bool _findBackground(std::string& recorded) const;
    void _endCount();
    // One frame of each summary stage, in order; each may move summaryStage on to the next.
    void _summaryPause();
    // Returns true when the count ended in this frame, which then ends the summary's frame.
    bool _summaryCount();
    void _summaryDoorsClose();
    void _summaryDoorsShut();
    void _summaryScrollAppear();
    void _summaryScrollUnroll();
    void _summaryScrollOpen();
    void _summaryBonusCountUp();
    void _summaryAwaitClick();
    void _summaryScrollRollUp();
    void _summaryScrollVanish();
    void _summaryFadeOut();
    // The heroine's glow, pulsing up and down through the whole summary.
    void _summaryHeroinePulse();
    void _summaryDisplay(bool endless, int time, int blocksUsed, int best);
};

// The running level.
extern TLevelManager level;

// Rebuilds the five level globals (level, sequencer, points, timeManager, bossManager) and the
// digit advance tables in their start-up state; start-up calls it once, tests between cases.
// Hooks are left alone.
void ResetLevelGlobals();

} // namespace vsm
