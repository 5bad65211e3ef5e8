// Placeholder real backend until the SDL2/OpenGL one lands: installs the headless backend.
#include "platform/Headless.h"

namespace vsm {

void UseRealBackend() { UseHeadlessBackend(); }

} // namespace vsm
