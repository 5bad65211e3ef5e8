// TClock: countdown by the millisecond clock and digit drawing.
#include "widgets/TClock.h"

#include "platform/System.h"

namespace vsm {

int TClock::Set(int) {
    return 0;
}
int TClock::Start() {
    return 0;
}
int TClock::Stop() {
    return 0;
}
int TClock::Stopped() {
    return 0;
}
int TClock::Draw() {
    return 0;
}
int TClock::State() {
    return 0;
}

int TAnimClock::Set(int n) {
    seconds = static_cast<float>(n);
    secondsEnd = MilliSecs64() + 1000;
    return 0;
}

int TAnimClock::Start() {
    secondsEnd = MilliSecs64() + 1000;
    return 0;
}

int TAnimClock::Stop() {
    seconds = 0;
    return 0;
}

int TAnimClock::Stopped() {
    return seconds == 0 ? 1 : 0;
}

int TAnimClock::State() {
    if (seconds < 0) seconds = 0;
    const int64_t now = MilliSecs64();
    if (seconds != 0 && now > secondsEnd) {
        seconds -= 1;
        secondsEnd = now + 1000;
    }
    return 0;
}

int TAnimClock::Draw() {
    if (!dim) return 0;
    const float left = dim->Left(), top = dim->Top();
    const int whole = static_cast<int>(seconds);
    DrawImage(image, left, top, whole / 60);
    DrawImage(image, left + 18, top - 2, 10);
    DrawImage(image, left + 35, top, (whole % 60) / 10);
    DrawImage(image, left + 53, top, (whole % 60) % 10);
    return 0;
}

AnimClockPtr CreateAnimClock(const TImageSource& source, const DimPtr& dim, int cells) {
    auto clock = std::make_shared<TAnimClock>();
    clock->dim = dim;
    if (cells < 1) cells = 1;
    PixmapPtr strip = source.LoadAsPixmap();
    const int cellW = strip ? strip->width / cells : 0;
    if (cellW > 0 && strip->height > 0) clock->image = LoadAnimImage(strip, cellW, strip->height, 0, cells);
    return clock;
}

} // namespace vsm
