// ShellScreens: the real screens behind the main flow's calls.
#include "shell/ShellScreens.h"

#include "frontend/TTitleScreen.h"
#include "modes/QuestLevel.h"
#include "puzzle/TPuzzleManager.h"
#include "ringgame/TRingGame.h"

namespace vsm {

TShellScreens::TShellScreens()
    : titlePrepare([] { titleScreen.Prepare(); }), titleShow([] {
          titleScreen.show();
          return titleScreen.action;
      }),
      titleForceHiscores([] { titleScreen.forceHiscores = 1; }),
      titlePlayMusic([] { return titleScreen.playMusic(); }),
      questLevel([](int resume) { return goGlyndra(resume); }),
      puzzleShow([](int resume, const std::string& levelName, int fromGallery) {
          return puzzle.show(resume, levelName, fromGallery);
      }),
      ringGamePlay([](int resume) { return ringGame.Play(resume); }) {}

TShellScreens shellScreens;

} // namespace vsm
