// TMagicSphere: the five-ball mana sphere (global `magicSphere`) — colours, capacities, fills,
// drawing with bursts and voices; TMagicSphereEmiter: the grey sparks circling inside it.
#pragma once

#include "platform/Audio.h"
#include "platform/Graphics.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vsm {

class TTSCFile;

// Number of balls of the sphere.
constexpr int SPHERE_BALLS = 5;

// Grey sparks circling a centre point.
class TMagicSphereEmiter {
  public:
    int cx = 105;
    int cy = 482;
    int emissionFreq = 20; // chance of a new spark per update, out of 101
    int maxR = 38;         // largest radius of a new spark's circle

    // May add one circling spark to SparkList; returns 0.
    int Update();
};

class TMagicSphere {
  public:
    TMagicSphere();

    int x = 15; // top-left corner of the sphere on screen
    int y = 10;
    ImagePtr sphereImg;
    ImagePtr blackImg;
    ImagePtr ballsImg[15]; // ball image of colour class c at c-1
    ImagePtr singsImg[16]; // sign image of colour class c at c-1
    ImagePtr volumImg[2];  // the two glow images
    int ballsPos[SPHERE_BALLS][2] = {{60, 2}, {120, 44}, {97, 115}, {23, 114}, {0, 44}};
    float ballsWidth = 62.0f;
    float ballsHeight = 62.0f;
    TMagicSphereEmiter magicSphereEmiter;
    int ballsClr[SPHERE_BALLS] = {};        // colour class 1..15; 0 = ball not used
    float ballsCap[SPHERE_BALLS] = {};      // capacity (whole numbers)
    float ballsFil[SPHERE_BALLS] = {};      // mana held, 0..capacity
    float ballsLod[SPHERE_BALLS] = {};      // shown level 0..1, eased toward fill/capacity
    int64_t ballsFTimer[SPHERE_BALLS] = {}; // ms clock (MilliSecs64) of the burst; -1 while the ball is open
    int colorDecoder[16] = {0, 14, 5, 11, 6, 4, 3, 7, 9, 15, 1, 13, 10, 12, 2, 8};
    SoundPtr sfx;
    SoundPtr praiseVoice[5];
    int64_t lastEveSpeech = 0;

    // Loads the sphere, glow, sound and voice files; a file that fails to load leaves its slot
    // empty (the image loader reports it) and the sphere draws without it. Returns 0.
    int LoadResources();
    // Sets the five balls from "SpheresColors" and "SpheresCapacities" of group
    // "Settings::Level"; missing or unreadable items read as 0, colours outside 0..15 as 0.
    // Returns 0.
    int Load(const std::shared_ptr<TTSCFile>& doc);
    // As Load, with the two blank-separated texts given directly. Returns 0.
    int LoadExt(const std::string& colors, const std::string& capacities);
    // Returns the number of coloured balls whose shown level is below 1.
    int OpenBallsCount();
    // Draws the sphere, eases and bursts the balls, draws the next piece; emit non-zero also
    // runs the circling sparks. Returns 0.
    int Update(int emit);
    // Adds one unit of mana to every ball of colour class c below its capacity. Returns 0.
    int Fill(int c);
    // Returns the sign image of the first ball of colour class c, null when none.
    ImagePtr Sing(int c);
    // Returns the ball image of the first ball of colour class c, null when none.
    ImagePtr Ball(int c);
    // Takes amount from every ball of colour class c, never below 0. Returns 0.
    int GetMana(int c, int amount);
    // Takes amount from ball i alone, never below 0; returns the mana actually taken (0 for an
    // index outside 0..4, an uncoloured ball or a non-positive amount).
    int GetManaBall(int i, int amount);
    // The payable-mana choice: returns the index of the fullest ball (whole part of its fill)
    // whose colour is one of colours, the lower index on equal fills; -1 when no ball has one.
    int FullestBall(const std::vector<int>& colours) const;
    // Adds sparks inside the filled part of ball i (0..4; another index does nothing). Returns 0.
    int DoSparks(int i);
    // Returns 1 when every coloured ball holds its capacity (no coloured ball: 1), else 0.
    int IsFull();
    // Clears the five balls (colour, capacity, fill, shown level 0; open). Returns 0.
    int ResetSettings();
    // Writes the centre of the first ball of colour class c and returns 1; writes the sphere's
    // centre and returns 0 when no ball has that colour or c is 0.
    int GetColorXY(int c, int& outX, int& outY);
    // Target level of ball i: fill / capacity; a coloured ball of capacity 0 shows full and an
    // uncoloured one empty.
    float TargetLevel(int i) const;
    // Restores saved fills (whole parts) for the current colours and capacities: shown levels
    // jump to their targets and full balls show as closed and already wiped. Returns 0.
    int RestoreFills(const float fills[SPHERE_BALLS]);
};

// The sphere, created at start-up; the global the rest of the game reads.
extern TMagicSphere magicSphere;

// Rebuilds magicSphere as new (images and sounds dropped). Tests call it between cases;
// start-up calls it once before LoadResources.
void ResetMagicSphere();

} // namespace vsm
