// EndFrame: the end of a screen loop's frame.
#include "EndFrame.h"

#include "Graphics.h"
#include "Input.h"

namespace vsm {

void EndFrame(PollOrder order) {
    if (order == PollOrder::BeforeFlip) PollSystem();
    Flip(-1);
    if (order == PollOrder::AfterFlip) PollSystem();
}

} // namespace vsm
