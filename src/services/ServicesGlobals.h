// ServicesGlobals: creation of every global of the engine services, for start-up and tests.
#pragma once

namespace vsm {

// Rebuilds every global of the engine services in its start-up state: empty lists and tables,
// seven empty channels with chnNo 0, fresh mouse, song cache, sound bank, comet and slides,
// the caption digit widths, deltaTime for 60 frames a second, delta 1, no display driver chosen,
// no cell grid source, bDir = ResourcesFolder() and the shared game flags at their start-up
// values. The options are left alone.
void ResetServicesGlobals();

} // namespace vsm
