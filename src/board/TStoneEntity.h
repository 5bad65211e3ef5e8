// TStoneEntity: the fragments a stone bursts into when a run turns it back, and their list.
#pragma once

#include "platform/Graphics.h"

#include <cstdint>
#include <list>
#include <memory>

namespace vsm {

class TStoneEntity {
  public:
    float x0 = 0, y0 = 0; // start point (the fragment's centre)
    float x = 0, y = 0;   // current point, set by each update
    float rotation = 0;
    float gravity = 0.000002f;
    float hSpeed = 0, vSpeed = 0; // pixels per millisecond
    float rSpeed = 0.2f;          // degrees per millisecond
    float lifeTime = 0;           // ms, drawn 500..2000 at creation
    int64_t Timer = 0;            // ms clock (MilliSecs64) at creation
    ImagePtr image;

    // Creates one fragment at (x, y) and appends it to stonesList; returns 0.
    static int Create(int x, int y, float hSpeed, float vSpeed, const ImagePtr& image);
    // Moves, draws and ages every fragment, then resets rotation 0 and alpha 1; returns 0.
    static int UpdateAll();
    // Moves, draws and ages this fragment; returns 1 when its life is over and it must go.
    int Update();
};
using StoneEntityPtr = std::shared_ptr<TStoneEntity>;

// The live fragments in creation order.
extern std::list<StoneEntityPtr> stonesList;

// Throws the twelve fragments of board cell (x, y) along the cell's rim; returns 0.
int Depetrify(int x, int y, const ImagePtr& image);

} // namespace vsm
