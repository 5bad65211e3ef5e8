// TBossManager: the boss runes of a boss level — loading, drawing, blocking cells and the arm test.
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

// One 2x2 boss rune fixed on the board.
class TBossRune {
  public:
    int id = 0;
    int color = 0; // colour class its arms must hold
    int x = 0;     // top-left cell
    int y = 0;
    ImagePtr image;
    int64_t timer = 0; // creation time (MilliSecs64), origin of the glow's phase
    int active = 0;

    // Returns a new active boss rune with its picture loaded from the path (empty on failure).
    static std::shared_ptr<TBossRune> Create(int id, int color, int x, int y, const std::string& imagePath);
    // Draws shadow, picture and the cross-fading glow frames at its cells; returns 0.
    int Draw(const ImagePtr& shadow, const std::array<ImagePtr, 16>& glow);
    // Returns 1 when the cell is one of its four cells, else 0.
    int CheckMove(int column, int row) const;
    // The arm test: returns 1 (after queueing its eight arm lines on the board) when all 16 arm
    // cells hold runes of its colour class and commit is non-zero; with commit 0 complete arms
    // paint the highlight layer and 0 is returned.
    int CheckForMatch(int commit);
    // Draws the marker at alpha 0.3 on every arm cell that lies on the board; returns 0.
    int DrawHelp(const ImagePtr& marker);
};

class TBossManager {
  public:
    std::vector<std::shared_ptr<TBossRune>> bossDavar; // standing boss runes in level order
    std::shared_ptr<TTSCFile> configFile;              // "bossDavar.tsc"
    ImagePtr shadow;
    ImagePtr help;
    std::array<ImagePtr, 16> glow;
    SoundPtr sfx;

    // Loads "bossDavar.tsc" from the settings archive; a missing entry leaves no definitions.
    int LoadResources();
    // Builds the level's boss runes from "BossDavar" when the level's goal type is 3 and loads
    // the art for the board's size; malformed or unknown entries are skipped with a log line.
    int Load(const std::shared_ptr<TTSCFile>& doc);
    // Empties the list and releases the art; returns 0.
    int Free();
    // Draws every active boss rune; returns 0.
    int Draw();
    // Draws the arm markers of every active boss rune; returns 0.
    int DrawHelp();
    // Returns 1 when an active boss rune covers the cell, else 0.
    int CheckMove(int column, int row);
    // Runs the arm test on every active boss rune; with commit non-zero each complete one is
    // removed and its explosion plays. Returns 0.
    int CheckForMatch(int commit);
    // Returns 1 when no boss rune is left, else 0.
    int CheckForGoal();
};

// The boss runes of the running level.
extern TBossManager bossManager;

} // namespace vsm
