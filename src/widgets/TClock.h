// TClock and TAnimClock: the library's whole-second countdown clock drawn from a digit strip.
#pragma once

#include "platform/Graphics.h"
#include "widgets/TDim.h"
#include "widgets/TImageSource.h"
#include "widgets/TObject.h"

#include <cstdint>
#include <memory>

namespace vsm {

class TClock;
class TAnimClock;
using ClockPtr = std::shared_ptr<TClock>;
using AnimClockPtr = std::shared_ptr<TAnimClock>;

// The clock base: every operation does nothing and returns 0.
class TClock : public TObject {
  public:
    float seconds = 0;
    // Millisecond clock value after which the next second is taken off.
    int64_t secondsEnd = 0;

    // Sets the seconds to count down; the base does nothing and returns 0.
    virtual int Set(int n);
    // Starts the count; the base does nothing and returns 0.
    virtual int Start();
    // Ends the count; the base does nothing and returns 0.
    virtual int Stop();
    // Returns 1 when the count has ended; the base returns 0.
    virtual int Stopped();
    // Draws the time left; the base draws nothing and returns 0.
    virtual int Draw();
    // Advances the count by the clock; the base does nothing and returns 0.
    virtual int State();
};

// A countdown of whole seconds drawn as m:ss from a strip whose cells 0 to 9 are the digits and
// cell 10 the separator.
class TAnimClock : public TClock {
  public:
    ImagePtr image;
    DimPtr dim;

    // Sets the seconds left and starts a new 1000 ms wait. Returns 0.
    int Set(int n) override;
    // Restarts the 1000 ms wait only. Returns 0.
    int Start() override;
    // Sets the seconds left to 0. Returns 0.
    int Stop() override;
    // Returns 1 when no seconds are left, else 0.
    int Stopped() override;
    // Draws minutes, separator, tens and units at the rectangle's corner. Returns 0.
    int Draw() override;
    // Clamps negative seconds to 0, then takes off at most one second once the wait has passed
    // and starts the next wait. Returns 0.
    int State() override;
};

// Returns a new clock whose strip is loaded as a pixmap and cut into `cells` cells of the strip's
// width / cells (integer division) and its full height; fewer than one cell counts as one. A strip
// that fails to load leaves the clock without an image.
AnimClockPtr CreateAnimClock(const TImageSource& source, const DimPtr& dim, int cells);

} // namespace vsm
