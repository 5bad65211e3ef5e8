// TCaptions: the floating captions over the board (points, combos, matches, bonus pictures).
#pragma once

#include "platform/Graphics.h"
#include "services/TList.h"

#include <array>
#include <cstdint>
#include <memory>

namespace vsm {

constexpr int CAPTION_POINTS = 1;
constexpr int CAPTION_COMBO = 2;
constexpr int CAPTION_MATCH = 3;
constexpr int CAPTION_PICTURE = 4;

// One caption: fades in fast and out slowly while it drifts or grows, then leaves.
class TCaptions {
  public:
    float x = 0, y = 0;   // left edge of the digits (1, 3), centre (2), the picture's handle (4)
    float alpha = 0;      // alpha of the next draw
    float alphaStage = 0; // fade phase in degrees; the caption ends at 180
    float scale = 0;
    int number = 0;    // the number shown (1, 3) or the combo count 2..4 (2)
    int delayTime = 0; // milliseconds to wait after creation; 0 once started
    int64_t Timer = 0; // clock at creation
    ImagePtr image;    // the picture of kind 4
    int id = 0;        // kind: CAPTION_POINTS .. CAPTION_PICTURE

    // The caption pictures, loaded by loadGfx; null when missing (nothing drawn for them).
    static ImagePtr match, combo, points, cyfry;

    // Loads the four caption pictures from bDir.
    static void loadGfx();
    // Takes the caption out of captions.
    void Destroy();
    // Empties captions.
    static void destroyAll();
    // Draws the digits of number from (x, y + yOffset), advancing by cyfry2Width x scale; returns
    // Int(advance + 12), where the label goes.
    int drawNumber(int yOffset);
    // Ages and draws every caption once, oldest first, with the alpha blend in white; a caption
    // whose phase reaches 180 leaves the list. Alpha blend, last alpha and scale stay set.
    static void updateAll();
    // Returns the unscaled width: the digits' advances + 12 + the label picture's width.
    int GetWidth() const;
    // Returns a new caption appended to captions; center non-zero moves x left by half its width.
    static std::shared_ptr<TCaptions> addCaption(int id, int number, int x, int y, float scale, int center,
                                                 int delay, const ImagePtr& image = nullptr);
};
using CaptionPtr = std::shared_ptr<TCaptions>;

// Live captions, oldest first.
extern TList<TCaptions> captions;
// Advance widths in pixels of the caption digits 0..9.
extern std::array<int, 10> cyfry2Width;

} // namespace vsm
