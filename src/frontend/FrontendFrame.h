// FrontendFrame: the pieces every front-end loop shares — its drawing state, the sparks at the
// pointer and beside the title and the tail of a frame.
#pragma once

namespace vsm {

// Alpha blending, white, rotation 0 and scale 1.
void FrontDrawState();
// Adds one spark at the pointer and sets it drifting.
void AddCursorSpark();
// Adds one glittering star beside the title, the right-hand region twice as often as the left.
void AddAmbientSpark();
// The end of a viewer frame: the cursor spark, every live spark, the pointer and EndFrame.
void FrontFrameTail();
// Lets the title song's stream run its per-frame step, when there is one.
void UpdateTitleMusic();

} // namespace vsm
