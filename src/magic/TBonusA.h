// TBonusA: one bonus token lying on a board cell, its activation spin and its drawing.
#pragma once

#include "platform/Graphics.h"

#include <cstdint>
#include <memory>

namespace vsm {

// Bonus kinds; the numbers are stored in level documents and saved games.
constexpr int BONUS_HOLYFIRE = 1;
constexpr int BONUS_VANISH = 2;
constexpr int BONUS_BOMB = 3;
constexpr int BONUS_DRAIN = 4;
constexpr int BONUS_HEAL = 5;
constexpr int BONUS_TELEPORT = 6;

class TBonusA {
  public:
    int x = 0; // board cell 0..14
    int y = 0;
    ImagePtr image;         // token image of its kind (shared)
    ImagePtr glow[4];       // glow pairs: 0,1 for 32-px cells, 2,3 for other sizes (shared)
    int64_t Timer = 0;      // ms clock (MilliSecs64) at activation
    int kind = 0;           // 1..6
    int active = 0;         // 0 lying, 1 activated
    int color = 0;          // colour class a drain token removes; 0 for other kinds
    float alpha = 0;        // glow cross-fade phase 0..1
    int alphaDir = 1;       // 1 rising, 0 falling
    float globalAlpha = 0;  // fade-in 0..1
    int activateTime = 0;   // ms from activation to firing
    int blockFrezeTime = 0; // ms firing holds back the next piece

    // Returns a new lying token at (x, y) of the kind and colour, not yet faded in.
    static std::shared_ptr<TBonusA> Create(int x, int y, int kind, int color);
    // Takes the token image and the four glow images (references). Returns 0.
    int SetImages(const ImagePtr& image, const ImagePtr (&glows)[4]);
    // Stores the activation and freeze times. Returns 0.
    int SetTimes(int activateTime, int blockFrezeTime);
    // Draws the token on its cell (spinning once activated) and, while it lies, its glow.
    // Returns 0.
    int Draw();
    // Does nothing; returns 0.
    int Update() { return 0; }
    // Notes the activation time and marks the token active. Returns 0.
    int Activate();
    // Returns 1 once more than activateTime ms have passed since Activate, else 0.
    int CanGo();
};
using BonusPtr = std::shared_ptr<TBonusA>;

} // namespace vsm
