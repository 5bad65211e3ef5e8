// TGallery: the replay of the shown picture as a picture puzzle of a chosen size.
#include "frontend/TGallery.h"

#include "frontend/FrontendFrame.h"
#include "frontend/FrontendScreens.h"
#include "frontend/TTitleScreen.h"
#include "overlays/TOptionsWindow.h"
#include "platform/EndFrame.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "services/GameFlags.h"
#include "services/ScreenHandOver.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TSpark.h"

#include <string>

namespace vsm {
namespace {

// Tiles across and down for the easy, normal and hard buttons.
struct PuzzleSize {
    int button;
    int width;
    int height;
};
constexpr PuzzleSize PUZZLE_SIZES[] = {{BUTTON_EASY, 6, 5}, {BUTTON_NORMAL, 8, 6}, {BUTTON_HARD, 8, 8}};

} // namespace

int TGallery::playPuzzles() {
    if (actual == 0 || actual > Count()) return 0;
    // A picture the gallery refuses to show is not there to be replayed either.
    if (!RevealedPictureAllowed((*imagesList)[static_cast<size_t>(actual - 1)])) return 0;
    delta = 1.0;
    optionsWindow.SetState(MENU_THREE_CHOICES, 1, MENU_WINDOW_X, MENU_WINDOW_Y);
    int exitCode = 0;
    const PuzzleSize* size = nullptr;
    while (exitCode == 0) {
        mouse.fetchState(0);
        Cls();
        Update();
        Draw();
        optionsWindow.Update();
        optionsWindow.Draw();
        mouse.Draw(1.0f, 1.0f);
        const int clicked = optionsWindow.clickedButton;
        if (clicked == BUTTON_BACK) return 0;
        for (const PuzzleSize& s : PUZZLE_SIZES) {
            if (s.button == clicked) {
                size = &s;
                exitCode = 1;
            }
        }
        EndFrame(PollOrder::BeforeFlip);
        if (AppTerminate()) exitCode = 4;
        UpdateTitleMusic();
    }
    if (exitCode == 4) End();

    optionsWindow.freeState();
    const std::string picture = (*imagesList)[static_cast<size_t>(actual - 1)];
    finish();
    const int keptReadFromProfile = readFromProfile;
    // A replay always starts scrambled, never from a quest puzzle saved in the profile.
    readFromProfile = 0;
    titleScreen.stopMusic();
    // The click that chose the picture is not a move of the puzzle, nor the puzzle's last one a
    // click on the gallery.
    HandOverInput();
    frontendScreens.replayPuzzle(size->width, size->height, "sfx/glyndra-puzzle.ogg", picture);
    HandOverInput();
    readFromProfile = keptReadFromProfile;
    titleScreen.playMusic();
    TSpark::destroyAll();
    Start(0);
    return 0;
}

} // namespace vsm
