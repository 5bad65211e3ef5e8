// TTitleScreen: the main menu loop, its button reactions and its attract mode.
#include "frontend/TTitleScreen.h"

#include "boardlists/TBoardSelector.h"
#include "frontend/FrontendFrame.h"
#include "frontend/FrontendScreens.h"
#include "frontend/TGallery.h"
#include "level/TLevelManager.h"
#include "overlays/TOptionsWindow.h"
#include "platform/EndFrame.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileLoader.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/ScreenHandOver.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"
#include "widgets/TText.h"

#include <cstdint>
#include <string>

namespace vsm {
namespace {

// Which game the resume-or-new and level-list screens act for.
constexpr int MODE_QUEST = 0;
constexpr int MODE_TIMED = 1;
constexpr int MODE_ENDLESS = 2;

// Quiet time on the main menu before the attract mode shows its next screen.
constexpr int64_t ATTRACT_IDLE_MS = 5500;

// What one call of the menu keeps between frames.
struct MenuRun {
    int chosenMode = MODE_QUEST;
    int64_t idleSince = 0;
    int attractStep = 0;
    int lastX = 0;
    int lastY = 0;
};

void MenuState(int state, int fade) {
    optionsWindow.SetState(state, fade, MENU_WINDOW_X, MENU_WINDOW_Y);
}

// "hello <name>" centred on x 400.
void Greet() {
    if (!optionsWindow.helloText) return;
    const std::string name = profile.selectedProfile ? profile.selectedProfile->name : "";
    optionsWindow.helloText->text = "hello " + name;
    if (optionsWindow.helloText->dim)
        optionsWindow.helloText->dim->x = 400.0f - optionsWindow.helloText->Width() / 2.0f;
}

// The level-list screen with the chosen mode's own list and tab; the other mode's tab is hidden.
void OpenLevelList(int list) {
    boardSelector.LoadList(list);
    boardSelector.LoadMiniBoard();
    MenuState(MENU_LEVEL_LIST, 0);
    const bool timed = list == BOARDS_TIMED;
    if (ButtonPtr tab = data.GetButton(BUTTON_LIST_TIMED)) tab->setState(timed ? 1 : 0, timed ? 1 : 0);
    if (ButtonPtr tab = data.GetButton(BUTTON_LIST_ENDLESS)) tab->setState(timed ? 0 : 1, timed ? 0 : 1);
}

void ShowList(int list) {
    if (boardSelector.mode == list) return;
    boardSelector.LoadList(list);
    boardSelector.LoadMiniBoard();
}

// The title song comes back after a game that stopped it, with the menu fading in anew.
// Runs a screen the menu opens: neither the click that opened it nor the one that closed it
// acts on the screen that comes next.
template <class Screen> void RunScreen(Screen&& screen) {
    HandOverInput();
    screen();
    HandOverInput();
}

void BackAfterGame(TTitleScreen& screen, MenuRun& run) {
    level.stopAndFreeMusic();
    MenuState(MENU_MAIN, 1);
    screen.playMusic();
    run.idleSince = MilliSecs64();
}

void React(TTitleScreen& screen, MenuRun& run, int state, int id) {
    switch (state) {
    case MENU_MAIN:
        switch (id) {
        case BUTTON_PLAY:
            run.chosenMode = MODE_QUEST;
            gameState = profile.GetNumber("gameState");
            if (gameState == 0) {
                level.difficulty = 2;
                screen.action = TITLE_NEW_CAMPAIGN;
            } else {
                MenuState(MENU_RESUME_OR_NEW, 0);
            }
            break;
        case BUTTON_QUICK_PLAY:
            MenuState(MENU_QUICK_PLAY, 0);
            break;
        case BUTTON_GALLERY:
            RunScreen([] { gallery.show(); });
            break;
        case BUTTON_OPTIONS:
            MenuState(MENU_OPTIONS, 0);
            break;
        case BUTTON_EXIT:
            MenuState(MENU_EXIT_QUESTION, 0);
            break;
        case BUTTON_PROFILE:
            RunScreen([] { profileLoader.show(PROFILES_LIST); });
            Greet();
            run.idleSince = MilliSecs64();
            FlushMouse();
            break;
        }
        break;
    case MENU_OPTIONS:
        if (id == BUTTON_HISCORES || id == BUTTON_CREDITS) {
            if (id == BUTTON_HISCORES)
                RunScreen([&] { screen.showHiscores(1); });
            else
                RunScreen([&] { screen.showCredits(); });
            run.attractStep = 0;
            run.idleSince = MilliSecs64();
        }
        break;
    case MENU_RESUME_OR_NEW:
        if (id == BUTTON_SAVED_RESUME) {
            if (run.chosenMode == MODE_QUEST) {
                screen.action = TITLE_CONTINUE;
            } else {
                const bool timed = run.chosenMode == MODE_TIMED;
                RunScreen(
                    [timed] { timed ? frontendScreens.goTimeAtack("") : frontendScreens.goEndless(""); });
                level.stopAndFreeMusic();
            }
            MenuState(MENU_MAIN, 1);
            screen.playMusic();
            run.idleSince = MilliSecs64();
        } else if (id == BUTTON_SAVED_NEW_GAME) {
            if (run.chosenMode == MODE_QUEST) {
                level.difficulty = 2;
                MenuState(MENU_OVERWRITE_QUESTION, 0);
            } else {
                OpenLevelList(run.chosenMode == MODE_TIMED ? BOARDS_TIMED : BOARDS_ENDLESS);
            }
        } else if (id == BUTTON_SAVED_MAIN_MENU) {
            MenuState(MENU_MAIN, 0);
        }
        break;
    case MENU_QUICK_PLAY:
        if (id == BUTTON_TIME_ATTACK || id == BUTTON_ENDLESS) {
            const bool timed = id == BUTTON_TIME_ATTACK;
            run.chosenMode = timed ? MODE_TIMED : MODE_ENDLESS;
            gameState = profile.GetNumber(timed ? "timeResume" : "endlessResume");
            if (gameState == 0)
                OpenLevelList(timed ? BOARDS_TIMED : BOARDS_ENDLESS);
            else
                MenuState(MENU_RESUME_OR_NEW, 0);
        } else if (id == BUTTON_BACK) {
            MenuState(MENU_MAIN, 0);
        }
        break;
    case MENU_LEVEL_LIST:
        switch (id) {
        case BUTTON_LIST_PLAY: {
            // An empty name would resume the saved game instead of starting the board shown.
            const std::string name = boardSelector.SelectedLevelName();
            if (name.empty()) break;
            const bool timed = run.chosenMode == MODE_TIMED;
            RunScreen([&] { timed ? frontendScreens.goTimeAtack(name) : frontendScreens.goEndless(name); });
            BackAfterGame(screen, run);
            break;
        }
        case BUTTON_LIST_NEXT:
            boardSelector.nextLevel();
            break;
        case BUTTON_LIST_PREVIOUS:
            boardSelector.PrevLevel();
            break;
        case BUTTON_LIST_QUEST:
            ShowList(BOARDS_QUEST);
            break;
        case BUTTON_LIST_TIMED:
            ShowList(BOARDS_TIMED);
            break;
        case BUTTON_LIST_ENDLESS:
            ShowList(BOARDS_ENDLESS);
            break;
        case BUTTON_BACK:
            MenuState(MENU_MAIN, 0);
            break;
        }
        break;
    case MENU_EXIT_QUESTION:
        if (id == BUTTON_EXIT_YES) screen.action = TITLE_LEAVE;
        if (id == BUTTON_EXIT_NO) MenuState(MENU_MAIN, 0);
        break;
    case MENU_OVERWRITE_QUESTION:
        if (id == BUTTON_OVERWRITE_YES) screen.action = TITLE_NEW_CAMPAIGN;
        if (id == BUTTON_OVERWRITE_NO) MenuState(MENU_RESUME_OR_NEW, 0);
        break;
    }
}

// Left alone on the main menu, the credits and the hiscores take turns, with one quiet turn.
void Attract(TTitleScreen& screen, MenuRun& run) {
    const int64_t now = MilliSecs64();
    if (optionsWindow.State != MENU_MAIN || mouse.x != run.lastX || mouse.y != run.lastY) run.idleSince = now;
    run.lastX = mouse.x;
    run.lastY = mouse.y;
    if (now - run.idleSince <= ATTRACT_IDLE_MS) return;
    run.attractStep = (run.attractStep + 1) % 3;
    if (run.attractStep == 1) RunScreen([&] { screen.showCredits(); });
    if (run.attractStep == 2) RunScreen([&] { screen.showHiscores(1); });
    run.idleSince = MilliSecs64();
}

void AnnounceReady(TTitleScreen& screen) {
    if (screen.readyAnnounced) return;
    screen.readyAnnounced = true;
    Print(TITLE_READY_LINE);
}

} // namespace

int TTitleScreen::show() {
    // The menu counts frames: sparks age one step a frame whatever the last game left.
    delta = 1.0;
    FrontDrawState();
    playMusic();
    if (forceHiscores) {
        MenuState(MENU_MAIN, 0);
        RunScreen([this] { showHiscores(0); });
        alphaOne = 1.0f;
        FlushMouse();
    }
    while (alphaOne < 1.0f) {
        mouse.fetchState(0);
        alphaOne += 0.02f;
        SetAlpha(alphaOne);
        DrawImage(title, 0, 0);
        EndFrame();
        AnnounceReady(*this);
        if (AppTerminate()) quit = 1;
        UpdateTitleMusic();
    }
    if (forceHiscores)
        forceHiscores = 0;
    else
        MenuState(MENU_MAIN, 1);
    optionsWindow.music = music;

    MenuRun run;
    run.idleSince = MilliSecs64();
    while (quit == 0 && action == 0) {
        if (pendingClick != 0) {
            // Clicked while a viewer faded back to the menu.
            const int id = pendingClick;
            pendingClick = 0;
            React(*this, run, pendingClickState, id);
            if (quit != 0 || action != 0) break;
        }
        // Again every frame: a game started from the menu leaves its own frame factor behind.
        delta = 1.0;
        const auto background = [this] {
            Cls();
            FrontDrawState();
            SetAlpha(1.0f);
            DrawImage(title, 0, 0);
        };
        background();
        if (profile.GetProfilesList().empty()) {
            RunScreen([] { profileLoader.show(PROFILES_FIRST_NAME); });
            optionsWindow.alpha = 1.0f;
            run.idleSince = MilliSecs64();
            // The name prompt presented frames of its own: what was drawn of this frame is gone.
            background();
        }
        Greet();
        optionsWindow.Update();
        optionsWindow.Draw();
        if (Rand(0, 10) == 1) AddAmbientSpark();
        AddCursorSpark();
        TSpark::UpdateAll();
        mouse.fetchState(0);
        mouse.Draw(1.0f, 1.0f);
        EndFrame();
        AnnounceReady(*this);
        React(*this, run, optionsWindow.State, optionsWindow.clickedButton);
        Attract(*this, run);
        if (AppTerminate()) action = TITLE_LEAVE;
        UpdateTitleMusic();
    }

    // A close request seen during a fade ends the program as surely as Exit does: the shell
    // must never take it for a choice and start a level.
    if (action == TITLE_LEAVE || quit != 0) {
        stopMusic();
        End();
    }
    stopMusic();
    TSpark::destroyAll();
    optionsWindow.music = nullptr;
    return 0;
}

} // namespace vsm
