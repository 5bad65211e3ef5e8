// FrontendGlobals: the front end's hooks and the reset of its globals.
#include "frontend/FrontendGlobals.h"

#include "frontend/FrontendSeams.h"
#include "frontend/TGallery.h"
#include "frontend/TTitleScreen.h"

namespace vsm {

TFrontendSeams frontendSeams;

void ResetFrontendGlobals() {
    titleScreen = TTitleScreen();
    gallery = TGallery();
    frontendSeams = TFrontendSeams();
}

} // namespace vsm
