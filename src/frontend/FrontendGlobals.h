// FrontendGlobals: creating the front end's globals, for start-up and tests.
#pragma once

namespace vsm {

// Rebuilds titleScreen and gallery as new and puts the real games back in frontendScreens.
void ResetFrontendGlobals();

} // namespace vsm
