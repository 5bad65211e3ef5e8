// TRuneManager: the rune catalogue (global `davar`) read from "davar.tsc", with lookups by id
// and colour class and the rune-coloured sparks.
#pragma once

#include "platform/Graphics.h"

#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TTSCFile;

// One catalogue entry: a rune or a stone, its colour class, art and spark colour ranges.
class TRune {
  public:
    std::string id;    // compared as text with the decimal form of an integer id
    std::string color; // colour class as text
    ImagePtr img;      // normal art
    ImagePtr img2;     // art for a tile size of 40
    std::string title;
    std::string description;
    int blocked = 0;       // 1 for a stone
    std::string unblocked; // for a stone: the rune it turns back into
    std::string blockedID; // for a rune: the stone it petrifies into
    int width = 0;
    int height = 0;
    int r1 = 0, g1 = 0, b1 = 0; // low ends of the spark colour ranges
    int r2 = 0, g2 = 0, b2 = 0; // high ends
};
using RunePtr = std::shared_ptr<TRune>;

class TRuneManager {
  public:
    TRuneManager();

    std::shared_ptr<TTSCFile> runeFile; // the loaded document
    std::vector<RunePtr> List;          // catalogue in document order

    // Loads "davar.tsc" from the settings archive and appends its runes; returns 0. A missing
    // or faulty document leaves the catalogue as it was (the archive loader reports it).
    int loadDavarGfx();
    // Appends the runes of an already loaded catalogue document; runes whose normal image does
    // not load are left out. Returns the number of runes appended.
    int loadDavarDoc(TTSCFile& doc);

    // Draws the rune's art at (x, y) (the 40-px art at tile size 40, or the normal art scaled to
    // 40 pixels when that is missing); nothing for an unknown id. Returns 0.
    int Draw(int id, float x, int y);
    // Returns 1 when the rune exists and is a stone, else 0.
    int isBlocked(int id);
    // Returns the id a stone turns back into; 0 when it is empty or the id is unknown.
    int unblocked(int id);
    // Returns the rune's colour class; 0 when no rune has that id.
    int getRuneColor(const std::string& id);
    int getRuneColor(int id);
    // Returns the first rune whose id text equals id exactly; null when there is none.
    TRune* _findRuneByID(const std::string& id);
    // Returns a random component (channel 1 red, 2 green, 3 blue) of the spark colour of the
    // first non-stone rune of the colour class; 0 for another channel or no such rune.
    int getRuneRGB(int color, int channel);
    // Adds one spark in the colours of a colour class at board cell (col, row), or around
    // (px, py) where those are non-zero; returns 0.
    int particleRune(int color, int col, int row, float vx, float vy, int px, int py);
};

// The rune catalogue, created empty at start-up and filled once by the loading screen.
extern TRuneManager davar;

} // namespace vsm
