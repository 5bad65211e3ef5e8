// Tests of the menu window: its screens and their buttons, the fade, the volume and full-screen
// controls and what each screen draws.
#include "overlays/OverlayFixture.h"

#include "board/TBlocksManager.h"
#include "boardlists/TBoardSelector.h"
#include "overlays/TOptionsWindow.h"
#include "services/GameFlags.h"
#include "services/OptionsSeam.h"
#include "services/Paths.h"
#include "services/TSongManager.h"
#include "support/ScreenInk.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"
#include "widgets/TImageButton.h"

#include <map>

namespace vsm::test {
namespace {

class WindowTest : public OverlayFixture {
  protected:
    void Open(int state, int fade = 1) { optionsWindow.SetState(state, fade, MENU_WINDOW_X, MENU_WINDOW_Y); }
    // Whether the button is in `data` and can be clicked.
    static bool Clickable(int id) {
        ButtonPtr button = data.GetButton(id);
        return button && button->enable && button->visible;
    }
    // How many letters of the full-screen refusal one frame of the window draws in its tint.
    int RefusalDrawn() {
        control->ClearDrawLog();
        optionsWindow.Draw();
        const float y = optionsWindow.fullScreenNote ? optionsWindow.fullScreenNote->dim->y : -1;
        int n = 0;
        for (const DrawCall& c : control->DrawLog())
            if (c.op == "image" && c.y == y && c.state.g == 220) ++n;
        return n;
    }
};

TEST_F(WindowTest, EveryButtonOfEveryScreenReportsItsIdAndOnlyTheBackButtonsChangeTheScreen) {
    gameState = 1; // the resume button of screen 3 shows
    optionsWindow.optionsBackType = MENU_OTHER_PAUSE;
    for (int state = 0; state <= 10; ++state) {
        for (int id : TOptionsWindow::PolledIds(state)) {
            Open(state);
            if (!Clickable(id)) continue; // one of the two full-screen boxes
            SCOPED_TRACE("state " + std::to_string(state) + " button " + std::to_string(id));
            WindowFrame(ClickOn(id));
            // The two list tabs share one place until the title screen hides one: the later wins.
            EXPECT_EQ(optionsWindow.clickedButton, id == BUTTON_LIST_TIMED ? BUTTON_LIST_ENDLESS : id);
            int next = state;
            if (id == BUTTON_OPTIONS_BACK) next = state == MENU_OPTIONS ? MENU_MAIN : MENU_OTHER_PAUSE;
            EXPECT_EQ(optionsWindow.State, next);
        }
    }
}

TEST_F(WindowTest, ScreensPlaceTheirButtonsAndSwitchTheRightOnesOff) {
    struct Case {
        int state;
        int screenMode;
        int gameStateValue;
        std::vector<int> hidden;
    } cases[] = {
        {MENU_OPTIONS, 1, 0, {BUTTON_FULLSCREEN_EMPTY}},
        {MENU_OPTIONS, 0, 0, {BUTTON_FULLSCREEN_TICKED}},
        {MENU_OPTIONS, 2, 0, {BUTTON_FULLSCREEN_TICKED}}, // windowed after a failed start shows the empty box
        {MENU_GAME_OPTIONS, 2, 0, {BUTTON_FULLSCREEN_TICKED}}, // in both options screens
        {MENU_RESUME_OR_NEW, 0, 0, {BUTTON_SAVED_RESUME}},
        {MENU_RESUME_OR_NEW, 0, -3, {}},
        {MENU_LEVEL_LIST, 0, 0, {}}, // both list tabs stay until the caller hides one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + " screenMode " + std::to_string(c.screenMode) +
                     " gameState " + std::to_string(c.gameStateValue));
        options.screenMode = c.screenMode;
        gameState = c.gameStateValue;
        Open(c.state);
        for (int id : TOptionsWindow::PolledIds(c.state)) {
            const bool off = std::find(c.hidden.begin(), c.hidden.end(), id) != c.hidden.end();
            EXPECT_EQ(Clickable(id), !off) << "button " << id;
        }
    }

    // Without a saved game the other two buttons of screen 3 move up into the resume button's place.
    gameState = 0;
    Open(MENU_RESUME_OR_NEW);
    EXPECT_EQ(data.GetButton(BUTTON_SAVED_NEW_GAME)->dim->y, 300);
    EXPECT_EQ(data.GetButton(BUTTON_SAVED_MAIN_MENU)->dim->y, 365);
    gameState = 1;
    Open(MENU_RESUME_OR_NEW);
    EXPECT_EQ(data.GetButton(BUTTON_SAVED_NEW_GAME)->dim->y, 335);

    // Volume buttons sit relative to the window; the change-profile button by its corner.
    Open(MENU_GAME_OPTIONS);
    EXPECT_EQ(data.GetButton(BUTTON_MUSIC_UP)->dim->x, 497);
    EXPECT_EQ(data.GetButton(BUTTON_FULLSCREEN_TICKED)->dim->y, 321);
    Open(MENU_MAIN);
    ButtonPtr profile = data.GetButton(BUTTON_PROFILE);
    EXPECT_EQ(profile->dim->origin, 0);
    EXPECT_EQ(profile->dim->Left(), 32);
    EXPECT_EQ(std::dynamic_pointer_cast<TImageButton>(data.GetButton(BUTTON_PLAY))->podswietlacz,
              optionsWindow.podswietlacz);
}

TEST_F(WindowTest, LeavingAScreenRemovesItsButtonsOnly) {
    data.Add(CreateImageButton(optionsWindow.plus, CreateDim(10, 10, 0, 0), 99, 1, 0), 99);
    Open(MENU_OPTIONS);
    Open(MENU_QUICK_PLAY);
    for (int id : TOptionsWindow::PolledIds(MENU_OPTIONS))
        EXPECT_FALSE(data.GetButton(id)) << id;
    EXPECT_TRUE(data.GetButton(BUTTON_BACK));
    optionsWindow.freeState();
    EXPECT_EQ(optionsWindow.State, MENU_QUICK_PLAY);
    EXPECT_FALSE(data.GetButton(BUTTON_BACK));
    EXPECT_TRUE(data.GetButton(99));
}

TEST_F(WindowTest, ScreensOutsideTheElevenAndFreedScreensPollNothingAndDrawOnlyTheScroll) {
    // A click where screen 2's resume button stood, after the caller freed the screen.
    Open(MENU_QUEST_PAUSE);
    const FrameInput onResume = ClickOn(BUTTON_RESUME);
    optionsWindow.freeState();
    WindowFrame(onResume);
    EXPECT_EQ(optionsWindow.clickedButton, 0);

    for (int state : {11, -1}) {
        SCOPED_TRACE(state);
        Open(state);
        data.Add(CreateImageButton(optionsWindow.plus, CreateDim(10, 10, 0, 0), BUTTON_BACK, 1, 0),
                 BUTTON_BACK);
        optionsWindow.freeState();
        EXPECT_TRUE(data.GetButton(BUTTON_BACK)) << "such a screen has nothing of its own to remove";
        data.Remove(BUTTON_BACK);
        control->ClearDrawLog();
        WindowFrame(onResume);
        EXPECT_EQ(optionsWindow.clickedButton, 0);
        int images = 0;
        for (const DrawCall& call : control->DrawLog())
            images += call.op == "image" ? 1 : 0;
        EXPECT_EQ(images, 1);
        EXPECT_EQ(Draws(optionsWindow.papirus), 1);
    }
}

TEST_F(WindowTest, FadeTakesFiftyOneFramesAndAScreenChangeWithoutFadeKeepsIt) {
    Open(MENU_MAIN);
    for (int i = 0; i < 50; ++i)
        WindowFrame();
    EXPECT_LT(optionsWindow.alpha, 1.0f);
    EXPECT_EQ(data.GetButton(BUTTON_PLAY)->alpha, optionsWindow.alpha);
    WindowFrame();
    EXPECT_GE(optionsWindow.alpha, 1.0f);
    EXPECT_NEAR(optionsWindow.alpha, 1.02f, 1e-4);
    WindowFrame();
    EXPECT_NEAR(optionsWindow.alpha, 1.02f, 1e-4);

    Open(MENU_MAIN);
    for (int i = 0; i < 25; ++i)
        WindowFrame();
    const float half = optionsWindow.alpha;
    Open(MENU_OPTIONS, 0);
    EXPECT_EQ(optionsWindow.alpha, half);
    WindowFrame();
    EXPECT_FLOAT_EQ(optionsWindow.alpha, half + 0.02f);
    // The back button of the options screen does not restart the fade either.
    WindowFrame(ClickOn(BUTTON_OPTIONS_BACK));
    EXPECT_EQ(optionsWindow.State, MENU_MAIN);
    EXPECT_EQ(optionsWindow.clickedButton, BUTTON_OPTIONS_BACK);
    EXPECT_FLOAT_EQ(optionsWindow.alpha, half + 0.04f);
}

TEST_F(WindowTest, VolumeButtonsStepWithinZeroToTenInBothOptionsScreens) {
    blocks.szurSnd = LoadSound(bDir + "sfx/fx/playgame-szur1.ogg");
    optionsWindow.music = playMusicStream("sfx/game-song-1.ogg", 1, 1.0f);
    ASSERT_TRUE(optionsWindow.music && optionsWindow.music->mf && optionsWindow.music->mf->c);
    struct Case {
        int button;
        int before;
        int after;
    } cases[] = {{BUTTON_MUSIC_UP, 10, 10}, {BUTTON_MUSIC_UP, 1, 2},   {BUTTON_MUSIC_DOWN, 0, 0},
                 {BUTTON_MUSIC_DOWN, 5, 4}, {BUTTON_SOUND_UP, 10, 10}, {BUTTON_SOUND_UP, 3, 4},
                 {BUTTON_SOUND_DOWN, 0, 0}, {BUTTON_SOUND_DOWN, 1, 0}};
    for (int state : {MENU_OPTIONS, MENU_GAME_OPTIONS}) {
        for (const Case& c : cases) {
            SCOPED_TRACE("state " + std::to_string(state) + " button " + std::to_string(c.button) + " from " +
                         std::to_string(c.before));
            const bool musicButton = c.button == BUTTON_MUSIC_UP || c.button == BUTTON_MUSIC_DOWN;
            int& volume = musicButton ? options.musicVol : options.soundVol;
            options.musicVol = options.soundVol = 5;
            volume = c.before;
            Open(state);
            control->ClearSoundLog();
            WindowFrame(ClickOn(c.button));
            EXPECT_EQ(volume, c.after);
            if (musicButton) {
                // The playing song follows at once, also when the value stays at its bound.
                float set = -1;
                for (const SoundEvent& e : control->SoundLog())
                    if (e.op == "volume" && e.path.ends_with("game-song-1.ogg")) set = e.volume;
                EXPECT_FLOAT_EQ(set, c.after / 10.0f);
            } else {
                // The sample sounds at the new level, not at all at 0.
                EXPECT_EQ(Plays("playgame-szur1.ogg"), c.after > 0 ? 1 : 0);
            }
            // The click sounds at 30 % of the sound level in whole steps: silent up to 3.
            EXPECT_EQ(Plays("playgame-mouseover.ogg"), options.soundVol >= 4 ? 1 : 0);
        }
    }

    // Without a stream only the option changes.
    optionsWindow.music = nullptr;
    options.musicVol = 3;
    Open(MENU_OPTIONS);
    WindowFrame(ClickOn(BUTTON_MUSIC_UP));
    EXPECT_EQ(options.musicVol, 4);
}

TEST_F(WindowTest, FullScreenBoxSwitchesTheDisplayAndAFailedSwitchChangesNothing) {
    for (int state : {MENU_OPTIONS, MENU_GAME_OPTIONS}) {
        SCOPED_TRACE(state);
        control->fullScreenWorks = true;
        options.screenMode = 2;
        Open(state);
        WindowFrame(ClickOn(BUTTON_FULLSCREEN_EMPTY));
        EXPECT_EQ(options.screenMode, 1);
        EXPECT_EQ(GraphicsFullScreen(), 1);
        EXPECT_TRUE(Clickable(BUTTON_FULLSCREEN_TICKED));
        EXPECT_FALSE(Clickable(BUTTON_FULLSCREEN_EMPTY));

        WindowFrame(ClickOn(BUTTON_FULLSCREEN_TICKED));
        EXPECT_EQ(options.screenMode, 0);
        EXPECT_EQ(GraphicsFullScreen(), 0);
        EXPECT_TRUE(GraphicsOpen());
        EXPECT_TRUE(Clickable(BUTTON_FULLSCREEN_EMPTY));
        EXPECT_FALSE(Clickable(BUTTON_FULLSCREEN_TICKED));

        EXPECT_EQ(RefusalDrawn(), 0) << "a switch that worked says nothing";

        control->fullScreenWorks = false;
        WindowFrame(ClickOn(BUTTON_FULLSCREEN_EMPTY));
        // The box stays empty, and the player is told why under the window, until it changes
        // screens.
        EXPECT_GT(RefusalDrawn(), 20);
        Open(state);
        EXPECT_EQ(RefusalDrawn(), 0);
        EXPECT_EQ(options.screenMode, 0);
        EXPECT_TRUE(GraphicsOpen());
        EXPECT_EQ(GraphicsFullScreen(), 0);
        EXPECT_TRUE(Clickable(BUTTON_FULLSCREEN_EMPTY));
        EXPECT_FALSE(Clickable(BUTTON_FULLSCREEN_TICKED));
    }
}

TEST_F(WindowTest, ScreensDrawTheirBackgroundsMarksAndListTick) {
    options.musicVol = 3;
    options.soundVol = 10;
    Open(MENU_OPTIONS);
    control->ClearDrawLog();
    WindowFrame();
    EXPECT_EQ(LastDrawAt(optionsWindow.papirus2), std::make_pair(241.0f, 170.0f));
    std::vector<std::pair<float, float>> marks;
    for (const DrawCall& call : control->DrawLog()) {
        if (call.image == optionsWindow.suwak) {
            marks.emplace_back(call.x, call.y);
            EXPECT_EQ(call.state.alpha, 1.0f) << "the marks show at once, not with the fade";
        }
    }
    ASSERT_EQ(marks.size(), 13u);
    EXPECT_EQ(marks[0], std::make_pair(342.0f, 279.0f));
    EXPECT_EQ(marks[2], std::make_pair(368.0f, 279.0f));
    EXPECT_EQ(marks[12], std::make_pair(459.0f, 339.0f));
    EXPECT_EQ(LastDrawAt(optionsWindow.napisy[21]), std::make_pair(390.0f, 387.0f));

    Open(MENU_QUEST_PAUSE);
    control->ClearDrawLog();
    WindowFrame();
    EXPECT_EQ(LastDrawAt(optionsWindow.ramka), std::make_pair(229.0f, 108.0f));
    EXPECT_EQ(LastDrawAt(optionsWindow.gamePaused), std::make_pair(400.0f, 190.0f));

    Open(MENU_EXIT_QUESTION);
    control->ClearDrawLog();
    WindowFrame();
    EXPECT_EQ(LastDrawAt(optionsWindow.areYouSure), std::make_pair(400.0f, 310.0f));
    EXPECT_EQ(LastDrawAt(optionsWindow.papirus), std::make_pair(276.0f, 220.0f));

    for (int mode : {BOARDS_QUEST, BOARDS_TIMED, BOARDS_ENDLESS}) {
        SCOPED_TRACE(mode);
        boardSelector.mode = mode;
        Open(MENU_LEVEL_LIST);
        control->ClearDrawLog();
        WindowFrame();
        EXPECT_EQ(LastDrawAt(optionsWindow.ptasznik),
                  std::make_pair(350.0f, mode == BOARDS_QUEST ? 380.0f : 410.0f));
        EXPECT_EQ(LastDrawAt(optionsWindow.ramka2), std::make_pair(144.0f, 200.0f));
    }
}

TEST_F(WindowTest, LoadingLendsTheFrameAndHighlightToLowerScreens) {
    ASSERT_TRUE(optionsWindow.ramka);
    ASSERT_TRUE(optionsWindow.podswietlacz);
    EXPECT_EQ(data.GetImage(DATA_MENU_FRAME), optionsWindow.ramka);
    EXPECT_EQ(data.GetImage(DATA_MENU_HIGHLIGHT), optionsWindow.podswietlacz);
    EXPECT_EQ(optionsWindow.podswietlacz->handleX, optionsWindow.podswietlacz->width / 2.0f);
    // Loading again replaces the loans rather than adding to them.
    const int count = data.Count();
    optionsWindow.loadGfx();
    EXPECT_EQ(data.Count(), count);
}

TEST_F(WindowTest, NoLabelOrControlOfAnyScreenCoversAnother) {
    // What a screen draws of its own beside its boards: labels, titles, boxes, ticks, marks.
    std::map<ImagePtr, std::string> own;
    for (int i = 0; i < MENU_LABELS; ++i)
        if (optionsWindow.napisy[i]) own[optionsWindow.napisy[i]] = "label " + std::to_string(i);
    own[optionsWindow.plus] = "plus";
    own[optionsWindow.minus] = "minus";
    own[optionsWindow.suwak] = "volume mark";
    own[optionsWindow.ptaszek] = "ticked box";
    own[optionsWindow.noPtaszek] = "empty box";
    own[optionsWindow.ptasznik] = "list tick";
    own[optionsWindow.profileImg] = "change player";
    own[optionsWindow.gamePaused] = "game paused";
    own[optionsWindow.areYouSure] = "are you sure";
    own[optionsWindow.arows[0]] = "previous";
    own[optionsWindow.arows[1]] = "next";
    options.musicVol = 10;
    options.soundVol = 10;
    gameState = 1;
    struct Case {
        int state;
        int screenMode;
        int boards; // the level list's board kind; its other tab is switched off as the title does
    };
    std::vector<Case> cases;
    for (int state = MENU_MAIN; state <= MENU_OVERWRITE_QUESTION; ++state)
        cases.push_back({state, 0, BOARDS_QUEST});
    cases.push_back({MENU_OPTIONS, 1, BOARDS_QUEST});
    cases.push_back({MENU_GAME_OPTIONS, 1, BOARDS_QUEST});
    cases.push_back({MENU_LEVEL_LIST, 0, BOARDS_TIMED});
    cases.push_back({MENU_LEVEL_LIST, 0, BOARDS_ENDLESS});
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + ", full screen " + std::to_string(c.screenMode) +
                     ", boards " + std::to_string(c.boards));
        options.screenMode = c.screenMode;
        boardSelector.mode = c.boards;
        Open(c.state);
        if (c.state == MENU_LEVEL_LIST) {
            const bool timed = c.boards == BOARDS_TIMED;
            data.GetButton(BUTTON_LIST_TIMED)->setState(timed ? 1 : 0, timed ? 1 : 0);
            data.GetButton(BUTTON_LIST_ENDLESS)->setState(timed ? 0 : 1, timed ? 0 : 1);
        }
        control->ClearDrawLog();
        WindowFrame(At(0, 0));
        std::vector<std::pair<std::string, InkBox>> drawn;
        for (const DrawCall& call : control->DrawLog()) {
            auto it = own.find(call.image);
            if (call.op == "image" && it != own.end()) drawn.emplace_back(it->second, DrawnInk(call));
        }
        ASSERT_FALSE(drawn.empty());
        for (size_t i = 0; i < drawn.size(); ++i)
            for (size_t j = i + 1; j < drawn.size(); ++j)
                EXPECT_FALSE(drawn[i].second.Overlaps(drawn[j].second))
                    << drawn[i].first << " " << drawn[i].second << " covers " << drawn[j].first << " "
                    << drawn[j].second;
    }
}

} // namespace
} // namespace vsm::test
