// FrontendGlobals: the games the front end starts and the reset of its globals.
#include "frontend/FrontendGlobals.h"

#include "frontend/FrontendScreens.h"
#include "frontend/TGallery.h"
#include "frontend/TTitleScreen.h"
#include "modes/QuickPlay.h"
#include "puzzle/TPuzzleManager.h"

namespace vsm {

TFrontendScreens::TFrontendScreens()
    : goEndless([](const std::string& levelName) { return vsm::goEndless(levelName); }),
      goTimeAtack([](const std::string& levelName) { return vsm::goTimeAtack(levelName); }),
      replayPuzzle([](int width, int height, const std::string& musicName, const std::string& picture) {
          puzzle.width = width;
          puzzle.height = height;
          puzzle.musicName = musicName;
          return puzzle.show(0, picture, 1);
      }) {}

TFrontendScreens frontendScreens;

void ResetFrontendGlobals() {
    titleScreen = TTitleScreen();
    gallery = TGallery();
    frontendScreens = TFrontendScreens();
}

} // namespace vsm
