// TLevelSequencer: the campaign's order of levels ("sequencer.tsc") and the player's position in it.
#pragma once

#include <memory>
#include <string>

namespace vsm {

class TTSCFile;

// The kinds of campaign level, as the sequence document's Type numbers them.
constexpr int LEVEL_TYPE_BOARD = 1;  // a board level
constexpr int LEVEL_TYPE_PUZZLE = 2; // the picture puzzle
constexpr int LEVEL_TYPE_RING = 3;   // the ring mini-game

class TLevelSequencer {
  public:
    int seqNo = 0;                  // current campaign position
    std::string levelFileName;      // document name of the level at seqNo
    int levelType = 0;              // a LEVEL_TYPE_*; 0 before Get
    std::shared_ptr<TTSCFile> file; // the sequence document, kept from Start on
    int First = 0;
    int Last = 0;

    // Sets seqNo and (re)loads the sequence document from the settings archive; a missing
    // document leaves First = Last = 0. Returns 0.
    int Start(int position);
    // Returns 1 and fills levelFileName and levelType for seqNo; 0 (nothing changed) when seqNo
    // lies outside First..Last.
    int Get();
    // Prepares the level at seqNo: a board level is loaded onto a cleared board; a puzzle or ring
    // level only checked, its stage being loaded by the campaign loop. Returns 1 when it was
    // prepared, 0 when the position is invalid, the level type is unknown, the document name is
    // empty or the board level refused to load (logged).
    int setupLevel();
    // Moves to the next position; returns levelExists().
    int nextLevel();
    // Returns 1 while seqNo <= Last.
    int levelExists();
};

// The campaign position.
extern TLevelSequencer sequencer;

} // namespace vsm
