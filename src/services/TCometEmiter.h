// TCometEmiter: a head flying once along a curve and leaving a trail of sparks.
#pragma once

#include "services/TList.h"
#include "services/TSpark.h"

#include <memory>

namespace vsm {

// One comet: a head on a quadratic curve from A to B through M that throws sparks behind it.
class TCometEmiter {
  public:
    float x = 0, y = 0;                                   // head as of the previous update
    int minxr = 0, maxxr = 0, minyr = 0, maxyr = 0;       // spread ranges of the thrown sparks
    float scale = 0;                                      // base scale of the thrown sparks
    int lastX[5] = {}, lastY[5] = {};                     // last five head positions, oldest first; 0 = empty
    TList<TSpark> entities;                               // never filled
    float px = 0, py = 0;                                 // the head's point computed this update
    float ax = 0, ay = 0, bx = 0, by = 0, mx = 0, my = 0; // start A, end B, control point M
    float t = 0;                                          // curve parameter, 0 at A
    float dt = 0;                                         // gained per frame-factor unit
    int r = 0, g = 0, b = 0;                              // base colour of the thrown sparks
    int active = 0;                                       // 1 while flying

    // Returns a new flying comet from A to B through M, appended to cometList; black until setRGB.
    static std::shared_ptr<TCometEmiter> start(int ax, int ay, int bx, int by, int mx, int my, float dt,
                                               int minxr, int maxxr, int minyr, int maxyr, float scale);
    // Sets the base colour of the thrown sparks.
    void setRGB(int r, int g, int b);
    // One frame: moves the head, throws four sparks, and leaves cometList once past the end.
    void update();
    // Throws count - 2 trail sparks and two head sparks, then moves the head to (nx, ny).
    void _update(int nx, int ny, int count);
    // Updates every comet of cometList in order.
    static void updateAll();
};
using CometPtr = std::shared_ptr<TCometEmiter>;

// The flying comets.
extern TList<TCometEmiter> cometList;
// A comet that never flies; only its entities list is used.
extern TCometEmiter comet;

} // namespace vsm
