// TRemoveLineEmiter: the fire stream of holyfire and the Fire Spell that empties the cells along
// one row or column; TRemoveLineEntity is its wobbling spark.
#pragma once

#include "services/TVolcanoEmiter.h"

#include <cstdint>
#include <memory>

namespace vsm {

class TRemoveLineEntity : public TVolcanoEntity {
  public:
    float yv = 0;       // sideways offset (wobble) in px
    int direction = 1;  // 1 while yv grows
    float myv = 0;      // wobble amplitude
    int horizontal = 1; // 1 wobble on y, 0 on x

    // Returns a new spark at A with a random colour and sideways offset.
    static std::shared_ptr<TRemoveLineEntity> Create(float ax, float ay, float bx, float by, float mx,
                                                     float my, float dt, float scale);
    // Moves along the run, wobbles across it and flickers its colour.
    void Update() override;
};

class TRemoveLineEmiter : public TVolcanoEmiter {
  public:
    int horizontal = 0; // 1 along a row, 0 along a column
    int64_t Timer = 0;  // ms clock (MilliSecs64) at creation
    // Board cell the leading spark reached last; -2 before the first test. Every cell from the
    // start up to the leading spark's cell is tested, so a long step skips none.
    int lastCell = -2;
    // The board's geometry when the run started: another screen may draw the board elsewhere,
    // at another tile size, while the run goes on over a paused level.
    int boardOffsetX = 0, boardOffsetY = 0, boardTileSize = 32;

    // Returns a new run from A to B appended to volcanoList, over the board as it lies now.
    static std::shared_ptr<TRemoveLineEmiter> add(float ax, float ay, float bx, float by, int horizontal);
    // Starts one spark, larger and steadier early in the run.
    void AddEntity() override;
    // Empties every cell with a rune that the leading spark has reached since the last frame.
    void _update() override;
};

// Returns the board column (or row) of screen coordinate v for a board offset and tile size; -1
// for a position off the board on either side or a tile size below 1.
int BoardCellOf(float v, int offset, int tileSize);

} // namespace vsm
