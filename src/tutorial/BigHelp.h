// BigHelp: the full-screen help picture that a quest board level opens from its score panel.
#pragma once

#include "platform/Graphics.h"

namespace vsm {

// The help picture; empty until showBigHelp first loads it, then kept for the whole run.
extern ImagePtr helpImg;

// Shows the help picture over the running level until a left click, Escape or a close request,
// which is raised again for the caller. Nothing of the level is paused. A picture that fails to
// load leaves a black screen and is tried again by the next call. Returns 0.
int showBigHelp();

} // namespace vsm
