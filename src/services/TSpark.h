// TSpark: the game's one particle, its live list and the five spark images.
#pragma once

#include "platform/Graphics.h"
#include "services/TList.h"

#include <array>
#include <memory>
#include <string>

namespace vsm {

constexpr int SPARK_IMAGES = 5;

// One particle: moves straight or on a circle, fades by its rule and leaves when its life ends.
class TSpark {
  public:
    float x = 0, y = 0;      // drawing position (the image's handle lands here)
    int r = 0, g = 0, b = 0; // colour, handed to the drawing layer as it is
    float scale = 0;
    float life = 0;                 // remaining life in frame-factor units
    float lifetime = 0;             // life at creation
    float vx = 0, vy = 0;           // straight motion per frame-factor unit
    int arcus = 0;                  // circular motion: angle in degrees,
    int radius = 0, cx = 0, cy = 0; // radius and centre
    int sparkType = 0;              // 0 straight, 1 circular
    ImagePtr img;                   // drawn at frame 0
    int blending = 0;               // 1 light blend, 2 alpha blend, other: blend left as it is
    int showUp = 0;                 // 0 fade-out, 1 fade-in-and-out, other: alpha left as it is

    // Returns a new still spark at (x, y), put at the front of SparkList.
    static std::shared_ptr<TSpark> Create(const ImagePtr& img, int x, int y, float scale, int life, int r,
                                          int g, int b, int blending, int showUp);
    // Sets the straight-motion velocity.
    void setVelocity(float vx, float vy);
    // Switches to circular motion at angle arcus on the circle of radius around (cx, cy).
    void setMovementType(int arcus, int radius, int cx, int cy);
    // Takes the spark out of SparkList.
    void Destroy();
    // Empties SparkList.
    static void destroyAll();
    // Moves, draws and ages every live spark once (newest first); a spark whose life falls below
    // 1 leaves the list after its last draw. A spark without a lifetime draws nothing. The
    // drawing state is left as the last spark set it.
    static void UpdateAll();
};
using SparkPtr = std::shared_ptr<TSpark>;

// Live sparks, newest first.
extern TList<TSpark> SparkList;
// Slot 0 the soft glow of comets and emitters, 1..3 stars, 4 unused.
extern std::array<ImagePtr, SPARK_IMAGES> sparkImages;

// Returns sparkImages[i], or null for an index outside the table.
ImagePtr SparkImage(int i);
// Loads bDir + file, filtered and mipmapped without a mask, into slot i (replacing what was
// there; null when it fails to load). An index outside 0..4 loads nothing.
void loadSparkImage(int i, const std::string& file);
// Throws one sparkle of the level summary's fountain.
void createSpark();

} // namespace vsm
