// TVolcanoEmiter: streams of glowing particles along a curve, base of every bonus and spell
// effect; TVolcanoEntity is one particle.
#pragma once

#include "platform/Graphics.h"
#include "services/TList.h"

#include <memory>

namespace vsm {

// One particle on the quadratic curve A -> M -> B.
class TVolcanoEntity {
  public:
    virtual ~TVolcanoEntity() = default;
    float px = 0, py = 0;       // position, the centre of the drawn image
    float ax = 0, ay = 0;       // start A
    float bx = 0, by = 0;       // end B
    float mx = 0, my = 0;       // control point M
    float T = 0;                // curve parameter, 0 at A
    float dt = 0;               // gained per frame-factor unit
    int r = -1, g = -1, b = -1; // own colour; -1 = none (the emitter's is used)
    float scale = 0;
    int active = 0; // 1 flying, 0 arrived (the emitter drops it at its next update)

    // Returns a new flying particle at A with no colour of its own; it is put in no list.
    static std::shared_ptr<TVolcanoEntity> Create(float ax, float ay, float bx, float by, float mx, float my,
                                                  float dt, float scale);
    // Returns a new particle of a subtype, its curve, step and scale set as Create sets them; the
    // subtype's own fields keep their defaults.
    template <class Entity>
    static std::shared_ptr<Entity> CreateAs(float ax, float ay, float bx, float by, float mx, float my,
                                            float dt, float scale) {
        auto e = std::make_shared<Entity>();
        e->Launch(ax, ay, bx, by, mx, my, dt, scale);
        return e;
    }
    // Moves one frame along the curve; one update after passing B it sits at B and turns inactive.
    virtual void Update();
    // Draws the image centred on the position at the particle's scale (the half sizes are taken
    // from the image itself).
    virtual void Draw(const ImagePtr& image, int halfWidth, int halfHeight);

  protected:
    // Sets the curve A -> M -> B, the step and the scale, and puts the particle at A, flying.
    void Launch(float ax, float ay, float bx, float by, float mx, float my, float dt, float scale);
};
using VolcanoEntityPtr = std::shared_ptr<TVolcanoEntity>;

// One stream. A new emitter (of any subtype) has every number 0, the image sparkImages[0] and
// its half sizes, an empty entity list and active 1; it is put in volcanoList by its creator.
class TVolcanoEmiter {
  public:
    TVolcanoEmiter();
    virtual ~TVolcanoEmiter() = default;
    float ax = 0, ay = 0, bx = 0, by = 0; // start A and end B
    float mx = 0, my = 0;                 // control point M of every particle
    float dt = 0;                         // curve step handed to each particle
    float maxCount = 0;                   // particles to start
    float counter = 0;                    // particles started so far
    ImagePtr image;                       // sparkImages[0] when constructed
    int imgHW = 0, imgHH = 0;             // integer halves of the image's size
    TList<TVolcanoEntity> entities;       // particles, oldest first
    int r = 0, g = 0, b = 0;
    int active = 1; // 1 emitting and drawing, 0 dormant (only _update runs)

    // Returns a new emitter from A to B with a random control point in the rectangle they span,
    // appended to volcanoList.
    static std::shared_ptr<TVolcanoEmiter> Create(float ax, float ay, float bx, float by, float dt,
                                                  int maxCount, int r, int g, int b);
    // Updates every emitter of volcanoList in order; emitters that leave during the walk do not
    // disturb it and emitters appended during it get their first update in the same walk.
    static void updateAll();
    // One frame: starts a particle while fewer than maxCount have started, else leaves
    // volcanoList once no particle is left; moves and draws the particles with the light blend
    // in the emitter's colour, then calls _update. Dormant: only _update.
    virtual void Update();
    // Starts one particle at scale 1 - counter / maxCount.
    virtual void AddEntity();
    // The subtype's per-frame step; the base does nothing.
    virtual void _update() {}
    // Picks M at random inside the rectangle spanned by A and B.
    void _pickControlPoint();
};
using VolcanoEmiterPtr = std::shared_ptr<TVolcanoEmiter>;

// Live emitters of every subtype.
extern TList<TVolcanoEmiter> volcanoList;

} // namespace vsm
