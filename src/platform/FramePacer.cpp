// FramePacer: deadlines one period apart, started afresh after a long frame.
#include "FramePacer.h"

#include <algorithm>

namespace vsm {

int64_t FramePacer::WaitBeforeShowing(int64_t nowUs) {
    if (last_ < 0) {
        last_ = nowUs;
        return 0;
    }
    const int64_t due = last_ + period_;
    if (nowUs <= due) {
        last_ = due;
        return std::min(due - nowUs, period_);
    }
    last_ = nowUs - due <= slack_ ? due : nowUs;
    return 0;
}

} // namespace vsm
