// The puzzle stage: level documents, building the tiled picture, and whole runs of the stage.
#include "PuzzleFixture.h"

#include "data/DataFolders.h"
#include "level/TPointsManager.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "puzzle/PuzzleGlobals.h"
#include "puzzle/PuzzleSave.h"
#include "puzzle/TPuzzleManager.h"
#include "services/GameFlags.h"
#include "support/TestAssets.h"
#include "services/TDeltaTime.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopup.h"
#include "support/ButtonInput.h"
#include "widgets/TContainer.h"

#include "overlays/TPopupManager.h"
#include "widgets/TAnimButton.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>

namespace vsm::test {

using PuzzleStage = PuzzleFixture;

TEST_F(PuzzleStage, LoadReadsTheLevelAndRefusesSizesTheGridCannotHold) {
    WriteLevels({
        {"ok.tsc", R"(Settings{ Image="gfx/p.png" Music="sfx/m.ogg" width=4 height=3 hintA=2 hintB=7 })"},
        {"line.tsc", "Settings{ width=1 height=2 }"},
        {"missing.tsc", "Settings{ Image=\"x\" }"},
        {"wide.tsc", "Settings{ width=11 height=3 }"},
        {"single.tsc", "Settings{ width=1 height=1 }"},
        {"negative.tsc", "Settings{ width=-4 height=3 }"},
    });
    struct Case {
        const char* name;
        int width, height;
    };
    const Case cases[] = {{"ok.tsc", 4, 3},   {"line.tsc", 1, 2},   {"missing.tsc", 6, 5},
                          {"wide.tsc", 6, 5}, {"single.tsc", 6, 5}, {"negative.tsc", 6, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        puzzle.Load(c.name);
        EXPECT_EQ(puzzle.width, c.width);
        EXPECT_EQ(puzzle.height, c.height);
    }
    puzzle.Load("ok.tsc");
    EXPECT_EQ(puzzle.gfxName, "gfx/p.png");
    EXPECT_EQ(puzzle.musicName, "sfx/m.ogg");
    EXPECT_EQ(puzzle.hintA, 2);
    EXPECT_EQ(puzzle.hintB, 7);
}

TEST_F(PuzzleStage, LevelNumbersPastTheIntRangeStopAtItsEnds) {
    WriteLevels({{"huge.tsc", "Settings{ width=3000000000 height=3 hintA=3000000000 hintB=-3000000000 }"}});
    std::vector<std::string> lines;
    SetPrintListener([&](const std::string& line) { lines.push_back(line); });
    puzzle.Load("huge.tsc");
    SetPrintListener(nullptr);
    EXPECT_EQ(puzzle.hintA, INT_MAX);
    EXPECT_EQ(puzzle.hintB, INT_MIN);
    EXPECT_EQ(puzzle.width, 6);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Puzzle size 2147483647 x 3 of \"huge.tsc\" cannot be played; using 6 x 5"),
              lines.end());
}

TEST_F(PuzzleStage, OnlyTheFirstPuzzleBringsItsPopupsAndLoadingStartsWithNone) {
    WriteLevels({{"puzzle-01.tsc", "Settings{ width=4 height=3 }"},
                 {"puzzle-02.tsc", "Settings{ width=4 height=3 }"}});
    puzzle.Load("puzzle-01.tsc");
    ASSERT_EQ(puzzle.popups.size(), 2u);
    EXPECT_EQ(puzzle.popups.front()->text[0], "first");
    EXPECT_EQ(puzzle.popups.back()->text[0], "second");
    puzzle.Load("puzzle-02.tsc");
    EXPECT_TRUE(puzzle.popups.empty());
    puzzle.Load("PUZZLE-01.tsc");
    EXPECT_TRUE(puzzle.popups.empty());
}

TEST_F(PuzzleStage, CreateCutsThePictureRowByRow) {
    struct Case {
        int columns, rows, tileW, tileH;
    };
    const Case cases[] = {
        {6, 5, 111, 98}, {8, 6, 83, 82}, {8, 8, 83, 61}, {10, 10, 67, 49}, {2, 1, 335, 494}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.columns) + "x" + std::to_string(c.rows));
        Build(c.columns, c.rows);
        const auto& grid = *puzzle.puzzle;
        ASSERT_EQ(grid.count, c.columns * c.rows);
        EXPECT_FLOAT_EQ(grid.itemWidth, static_cast<float>(c.tileW));
        EXPECT_EQ(ImageWidth(grid.image), c.tileW);
        EXPECT_EQ(ImageHeight(grid.image), c.tileH);
        const auto tiles = grid.Tiles();
        ASSERT_EQ(tiles.size(), static_cast<size_t>(grid.count));
        for (int k : {0, c.columns - 1, grid.count - 1}) {
            const int col = k % c.columns, row = k / c.columns;
            EXPECT_EQ(tiles[static_cast<size_t>(k)]->id, k);
            EXPECT_FLOAT_EQ(tiles[static_cast<size_t>(k)]->dim->x, 65.0f + static_cast<float>(col * c.tileW));
            EXPECT_FLOAT_EQ(tiles[static_cast<size_t>(k)]->dim->y, 53.0f + static_cast<float>(row * c.tileH));
            // The picture is used unscaled: each frame starts at its cell's pixel.
            EXPECT_EQ(ReadPixel(LockImage(grid.image, k), 0, 0) & 0xFFFFFFu,
                      PicturePixel(col * c.tileW, row * c.tileH) & 0xFFFFFFu);
        }
    }
}

TEST_F(PuzzleStage, CreateRefusesSizesTheGridCannotHold) {
    const std::pair<int, int> sizes[] = {{0, 0}, {1, 1}, {11, 2}, {3, 0}, {-2, 5}};
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        puzzle.Create(picturePath, w, h);
        EXPECT_EQ(puzzle.puzzle->width, 6);
        EXPECT_EQ(puzzle.puzzle->height, 5);
        EXPECT_EQ(puzzle.puzzle->Tiles().size(), 30u);
    }
}

TEST_F(PuzzleStage, PicturesAreFoundScaledOrReplaced) {
    const uint32_t slide = 0xFF102030u;
    ASSERT_TRUE(WriteFlatPicture(resources + "gfx/slides/1a.jpg", 670, 494, slide));
    ASSERT_TRUE(WriteFlatPicture(resources + "gfx/levels/wide.png", 671, 494, 0xFF405060u));
    ASSERT_TRUE(WriteFlatPicture(resources + "gfx/levels/small.png", 67, 49, 0xFF708090u));
    myDocsFolder = resources + "user";
    ASSERT_TRUE(WriteFlatPicture(myDocsFolder + "/custom-art/mine.png", 670, 494, 0xFFA0B0C0u));
    {
        std::ofstream bad(resources + "gfx/levels/broken.png");
        bad << "not a picture";
    }
    struct Case {
        std::string path;
        uint32_t colour;
    };
    const Case cases[] = {
        {"gfx/levels/wide.png", 0xFF405060u},             // in the resources, scaled down
        {"gfx/levels/small.png", 0xFF708090u},            // scaled up
        {"some/where/mine.png", 0xFFA0B0C0u},             // the custom pictures folder by bare name
        {"gfx/levels/nowhere.png", slide},                // found nowhere
        {"", slide},                                      // no picture named
        {"gfx/levels/broken.png", slide},                 // exists but cannot be decoded
        {resources + "gfx/levels/wide.png", 0xFF405060u}, // as given
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        puzzle.Create(c.path, 4, 3);
        const auto& grid = *puzzle.puzzle;
        ASSERT_EQ(ImageFrames(grid.image), 12);
        EXPECT_EQ(ImageWidth(grid.image), 167);
        EXPECT_EQ(ReadPixel(LockImage(grid.image, 11), 80, 80), c.colour);
    }
    // Neither the picture nor the slide decodes: a plain picture stands in.
    {
        std::ofstream bad(resources + "gfx/slides/1a.jpg");
        bad << "not a picture either";
    }
    puzzle.Create("gfx/levels/broken.png", 4, 3);
    EXPECT_EQ(ImageFrames(puzzle.puzzle->image), 12);
    EXPECT_EQ(puzzle.puzzle->Tiles().size(), 12u);
    myDocsFolder.clear();
}

TEST_F(PuzzleStage, GalleryReplaySolvesToTheSummaryWithoutTouchingTheScore) {
    points.total = 700;
    puzzle.width = 3;
    puzzle.height = 2;
    SolveScript(3000);
    EXPECT_EQ(puzzle.show(0, picturePath, 1), 0);
    EXPECT_EQ(points.total, 700);
    // Six tiles, no hints asked for: the tally ends at 300 from 0.
    const auto shown = ValuesAfter("Points:");
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), "300");
    EXPECT_GT(puzzle.clicks, 0);
    EXPECT_EQ(CountDraws(puzzle.stageCompleted), 0);
    EXPECT_TRUE(puzzle.puzzle->items.empty());
    EXPECT_EQ(SoundOps("cue", "playgamepuzzle-all.ogg"), 1);
}

TEST_F(PuzzleStage, CampaignPuzzleAddsItsPointsAndShowsTheClosingPicture) {
    WriteLevels({{"puzzle-03.tsc", "Settings{ width=4 height=3 hintA=0 hintB=5 }"}});
    puzzle.Load("puzzle-03.tsc");
    points.total = 1000;
    SolveScript(4000);
    EXPECT_EQ(puzzle.show(0, picturePath, 0), 0);
    EXPECT_EQ(points.total, 1000 + 50 * 12);
    EXPECT_GT(CountDraws(puzzle.stageCompleted), 0);
}

TEST_F(PuzzleStage, HintButtonCountsEveryPressButOnlyShowsOneHint) {
    puzzle.width = 3;
    puzzle.height = 2;
    int played = -1;
    control->SetScript([&](int frame, FrameInput& in) {
        if (!Playing()) return true;
        if (played < 0) played = frame;
        const int k = frame - played;
        // The free first hint is showing: three presses count three and leave it.
        if (k == 1 || k == 3 || k == 5) ClickAt(in, 420, 580);
        if (k == 7) in.terminate = true;
        return k < 20;
    });
    EXPECT_THROW(puzzle.show(0, picturePath, 1), ProgramEnd);
    EXPECT_EQ(puzzle.hintsCount, 3);
    EXPECT_EQ(SoundOps("cue", "gethint.ogg"), 0);
}

TEST_F(PuzzleStage, GalleryMenuButtonEndsAtOnceWithoutSaving) {
    UsePlayer();
    puzzle.width = 3;
    puzzle.height = 2;
    control->SetScript([&](int frame, FrameInput& in) {
        if (Playing()) ClickAt(in, 300, 580);
        return frame < 300;
    });
    EXPECT_EQ(puzzle.show(0, picturePath, 1), 1);
    EXPECT_TRUE(profile.GetList("puzzles")->empty());
}

// Plays a campaign puzzle and leaves it through the menu's main-menu button once playing() holds;
// returns the tiles' layout seen before leaving.
std::vector<int> PlayAndLeaveThroughTheMenu(HeadlessBackendControl& control, const std::string& picture,
                                            bool (*playing)()) {
    optionsWindow.napisy[6] = CreateImage(120, 24);
    puzzle.Load("puzzle-04.tsc");
    std::vector<int> layout;
    int played = -1;
    control.SetScript([&](int frame, FrameInput& in) {
        if (!playing()) return true;
        if (played < 0) played = frame;
        const int k = frame - played;
        if (k == 2) in.keysHit.push_back(KEY_ESCAPE);
        if (k == 4) {
            for (const auto& t : puzzle.puzzle->Tiles())
                layout.push_back(t->currentNumber);
        }
        // The menu's main-menu button: save and leave.
        if (k >= 6 && k % 3 == 0) in = ClickOnButton(data.GetButton(BUTTON_MAIN_MENU));
        return k < 60;
    });
    EXPECT_EQ(puzzle.show(0, picture, 0), 1);
    return layout;
}

TEST_F(PuzzleStage, LeavingACampaignPuzzleThroughTheMenuSavesIt) {
    UsePlayer();
    WriteLevels({{"puzzle-04.tsc", "Settings{ width=4 height=3 hintA=1 hintB=2 }"}});
    const std::vector<int> layout = PlayAndLeaveThroughTheMenu(*control, picturePath, Playing);
    std::vector<std::string> expected;
    for (int cell : layout)
        expected.push_back(std::to_string(cell));
    EXPECT_EQ(*profile.GetList("puzzles"), expected);
    EXPECT_GT(profile.GetNumber("puzzlesTime"), 0);
    // Written to the file: a fresh store reads it back.
    TProfileManager reread = TProfileManager::Create(resources + "profiles", "dat");
    EXPECT_EQ(*reread.GetList("puzzles"), expected);
}

TEST_F(PuzzleStage, LeavingWhenTheFolderRefusesTheSaveSaysSoAndKeepsTheOldFile) {
    UsePlayer();
    WriteLevels({{"puzzle-04.tsc", "Settings{ width=4 height=3 hintA=1 hintB=2 }"}});
    const std::string file = profile.selectedProfile->path;
    const std::optional<std::string> before = LoadText(file);
    ASSERT_TRUE(before);
    SetFileFaultHook([](FileOp op, const std::string&) { return op != FileOp::Write; });
    testing::internal::CaptureStdout();
    PlayAndLeaveThroughTheMenu(*control, picturePath, Playing);
    testing::internal::GetCapturedStdout();
    SetFileFaultHook(nullptr);
    // The fixture's art lacks a few pictures, which are notified too: count the one message.
    const std::string told = "Your progress could not be saved in the folder\n" + profile.path +
                             ".\nWhat was saved before is kept. Check that the folder exists, has room and "
                             "can be written to.";
    EXPECT_EQ(std::count(control->notifications.begin(), control->notifications.end(), told), 1);
    EXPECT_EQ(LoadText(file), before);
}

TEST_F(PuzzleStage, ACloseRequestDuringPlayEndsTheProgram) {
    puzzle.width = 3;
    puzzle.height = 2;
    control->SetScript([&](int frame, FrameInput& in) {
        if (!puzzle.puzzle->Tiles().empty()) in.terminate = true;
        return frame < 300;
    });
    EXPECT_THROW(puzzle.show(0, picturePath, 1), ProgramEnd);
    // The tiles stay for the exit hook to save.
    EXPECT_EQ(puzzle.puzzle->Tiles().size(), 6u);
}

TEST_F(PuzzleStage, PopupsShowOneAfterAnotherAndTheTilesWaitForThem) {
    ASSERT_TRUE(WriteFlatPicture(resources + "gfx/info/ok.png", 60, 20));
    popupManager.Load();
    WriteLevels({{"puzzle-01.tsc", "Settings{ width=4 height=3 hintA=0 hintB=5 }"}});
    puzzle.Load("puzzle-01.tsc");
    ASSERT_EQ(puzzle.popups.size(), 2u);
    int leaving = -1;
    control->SetScript([&](int frame, FrameInput& in) {
        if (!Playing()) return true;
        if (!puzzle.popups.empty()) {
            // Tile clicks go nowhere while a popup shows; the OK button is held down to close it.
            if (frame % 4 == 1) ClickAt(in, 700, 500);
            if (frame % 4 == 3) {
                const auto& b = popupManager.button->dim;
                in.mouseX = static_cast<int>(b->x + b->width / 2);
                in.mouseY = static_cast<int>(b->y + b->height / 2);
                in.held[1] = true;
            }
            return frame < 2000;
        }
        if (leaving < 0) leaving = frame;
        if (frame == leaving + 2) in.terminate = true;
        return frame < leaving + 20;
    });
    control->ClearSoundLog();
    EXPECT_THROW(puzzle.show(0, picturePath, 0), ProgramEnd);
    EXPECT_EQ(puzzle.clicks, 0);
    EXPECT_EQ(SoundOps("cue", "playgame-info-show.ogg"), 2);
    EXPECT_TRUE(puzzle.popups.empty());
}

TEST_F(PuzzleStage, TheDeveloperKeyEndsACampaignPuzzleOnlyWithItsFile) {
    optionsWindow.napisy[6] = CreateImage(120, 24);
    WriteLevels({{"puzzle-05.tsc", "Settings{ width=3 height=2 }"}});
    const auto kept = std::filesystem::current_path();
    std::filesystem::current_path(resources);
    for (bool withFile : {false, true}) {
        SCOPED_TRACE(withFile);
        if (withFile) std::ofstream("cheats.txt") << "";
        puzzle.Load("puzzle-05.tsc");
        points.total = 0;
        control->ClearDrawLog();
        deltaTime = TDeltaTime::Create(60);
        int start = -1;
        control->SetScript([&](int frame, FrameInput& in) {
            if (!Playing()) return true;
            if (start < 0) start = frame;
            const int k = frame - start;
            if (k == 1) in.keysHit.push_back(KEY_A + ('G' - 'A'));
            // Without the file the key does nothing: leave through the menu.
            if (k == 5) in.keysHit.push_back(KEY_ESCAPE);
            if (k >= 8 && k < 30 && k % 3 == 0) in = ClickOnButton(data.GetButton(BUTTON_MAIN_MENU));
            if (k >= 10 && k % 10 == 0) ClickAt(in, 400, 300);
            return k < 300;
        });
        EXPECT_EQ(puzzle.show(0, picturePath, 0), withFile ? 0 : 1);
        EXPECT_EQ(points.total, 0); // no summary either way
        EXPECT_EQ(CountDraws(puzzle.stageCompleted) > 0, withFile);
    }
    std::filesystem::remove(resources + "cheats.txt");
    std::filesystem::current_path(kept);
}

TEST_F(PuzzleStage, ATileTheFreeHintPutsHomeStaysHomeThoughAClickWaitedForIt) {
    // With this seed the free hint of a 3 x 2 replay puts a third tile home, without a flight.
    puzzle.width = 3;
    puzzle.height = 2;
    std::vector<int> homeAfterHint;
    SeedRnd(3);
    control->SetScript([&](int frame, FrameInput& in) {
        if (Playing() && homeAfterHint.empty()) {
            for (const auto& t : puzzle.puzzle->Tiles())
                if (t->IsInPlace()) homeAfterHint.push_back(t->id);
            in.terminate = true;
        }
        return frame < 300;
    });
    EXPECT_THROW(puzzle.show(0, picturePath, 1), ProgramEnd);
    ASSERT_EQ(homeAfterHint.size(), 1u);
    const int k = homeAfterHint[0];
    const int kx = 65 + 111 * (k % 3) + 50;
    const int ky = 53 + 247 * (k / 3) + 100;

    // The same replay, with the player clicking that cell while the picture scrambles: the click
    // waits for the first play frame, and then the puzzle is played to its end.
    deltaTime = TDeltaTime::Create(60);
    SeedRnd(3);
    control->ClearSoundLog();
    SolveScript(3000, [&](int, FrameInput& in) {
        if (!Playing()) ClickAt(in, kx, ky);
    });
    int result = -1;
    EXPECT_NO_THROW(result = puzzle.show(0, picturePath, 1));
    EXPECT_EQ(result, 0);
    // Every other tile came home by a flight, greeted once by one landing sound.
    EXPECT_EQ(SoundOps("cue", "playgamepuzzle-odkrycie1.ogg"), 5);
    EXPECT_EQ(SoundOps("cue", "playgamepuzzle-all.ogg"), 1);
}

TEST_F(PuzzleStage, ACloseRequestEndsTheProgramWhateverElseItsFrameAsksFor) {
    optionsWindow.napisy[6] = CreateImage(120, 24);
    WriteLevels({{"puzzle-06.tsc", "Settings{ width=3 height=2 }"}});
    static constexpr int KEY_P = KEY_A + ('P' - 'A');
    // A key hit and a close request given for the same scripted frame are read in the same
    // frame of the stage; a click is read one frame earlier, at the frame's start, so it is given
    // one scripted frame ahead.
    struct Case {
        const char* name;
        int closeAt; // the scripted frame that carries the close request
        std::function<void(FrameInput&)> key, click, before;
    };
    const auto nothing = [](FrameInput&) {};
    const auto esc = [](FrameInput& in) { in.keysHit.push_back(KEY_ESCAPE); };
    const Case cases[] = {
        {"with Esc", 4, esc, nothing, nothing},
        {"with P", 4, [](FrameInput& in) { in.keysHit.push_back(KEY_P); }, nothing, nothing},
        {"with a click on the menu button", 4, nothing, [](FrameInput& in) { ClickAt(in, 300, 580); },
         nothing},
        {"inside the in-game menu", 8, nothing, nothing, esc},
        {"with the main-menu button inside the in-game menu", 10, nothing,
         [](FrameInput& in) { in = ClickOnButton(data.GetButton(BUTTON_MAIN_MENU)); }, esc},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        puzzle.Load("puzzle-06.tsc");
        deltaTime = TDeltaTime::Create(60);
        int start = -1;
        int last = 0;
        control->SetScript([&](int frame, FrameInput& in) {
            if (!Playing()) return true;
            if (start < 0) start = frame;
            last = frame - start;
            if (last == 2) c.before(in);
            if (last == c.closeAt - 1) c.click(in);
            if (last == c.closeAt) {
                c.key(in);
                in.terminate = true;
            }
            return last < 100;
        });
        EXPECT_THROW(puzzle.show(0, picturePath, 0), ProgramEnd);
        // Ended in the frame that saw the request, the tiles kept for the exit hook to save.
        EXPECT_LE(last, c.closeAt + 1);
        EXPECT_EQ(puzzle.puzzle->Tiles().size(), 6u);
        puzzle.puzzle->Clear();
    }
}

TEST_F(PuzzleStage, ACloseDuringTheSummaryOrTheClosingPictureEndsTheProgramWithTheLevelWon) {
    WriteLevels({{"puzzle-07.tsc", "Settings{ width=3 height=2 }"}});
    struct Case {
        const char* name;
        int fromMenu;
        bool inClosingPicture;
        int gameState; // what the exit hook then saves
        int points;
    };
    const Case cases[] = {
        {"campaign summary", 0, false, 2, 1000 + 300},
        {"campaign closing picture", 0, true, 2, 1000 + 300},
        {"gallery summary", 1, false, 1, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        puzzle.Load("puzzle-07.tsc");
        deltaTime = TDeltaTime::Create(60);
        gameState = 1;
        points.total = 1000;
        control->ClearDrawLog();
        int solvedFor = 0;
        bool closed = false;
        SolveScript(4000, [&](int, FrameInput& in) {
            if (closed || !Playing() || !puzzle.puzzle->IsSet()) return;
            const bool closing = CountDraws(puzzle.stageCompleted) > 0;
            if (c.inClosingPicture ? closing : ++solvedFor == 20) in.terminate = closed = true;
        });
        EXPECT_THROW(puzzle.show(0, picturePath, c.fromMenu), ProgramEnd);
        EXPECT_TRUE(closed);
        EXPECT_EQ(gameState, c.gameState);
        EXPECT_EQ(points.total, c.points);
        puzzle.puzzle->Clear();
    }
}

} // namespace vsm::test
