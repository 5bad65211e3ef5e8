// The stage loop played to its end, left through the menu, closed, paused and resumed.
#include "RingFixture.h"

#include "level/TLevelSequencer.h"
#include "level/TPointsManager.h"
#include "overlays/TOptionsWindow.h"
#include "overlays/TPopupManager.h"
#include "platform/Files.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "ringgame/TRingGame.h"
#include "services/TRingEmiter.h"
#include "widgets/TAnimButton.h"
#include "widgets/TButton.h"
#include "widgets/TContainer.h"
#include "widgets/TDim.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

namespace vsm::test {

namespace {

class RingStage : public RingFixture {
  protected:
    // Clicks the shown rune's sheet every other frame of play; in the summary, clicks every tenth
    // frame. `stop(frame)` returning true raises a close request instead.
    void PlayWell(std::function<bool(int)> stop = nullptr) {
        Drive([this, stop](int f, FrameInput& in) {
            if (stop && stop(f)) {
                in.terminate = true;
                return true;
            }
            if (ringGame.faza == RING_PHASE_PLAY && ringGame.popups.IsEmpty() && f % 2 == 0)
                ClickSheet(in, ringGame.sequence[ringGame.seqPos]);
            if (ringGame.faza >= RING_PHASE_OVER && f % 10 == 0) in.clicks.push_back(1);
            return f < 5000;
        });
    }
    // The centre of a button of the shared container, clicked.
    static void ClickButton(FrameInput& in, int id) {
        const auto button = data.GetButton(id);
        ASSERT_TRUE(button && button->dim);
        in.mouseX = static_cast<int>((button->dim->Left() + button->dim->Right()) / 2);
        in.mouseY = static_cast<int>((button->dim->Top() + button->dim->Bottom()) / 2);
        in.clicks.push_back(1);
    }
    // A script that opens the menu once play has begun and presses its main-menu button.
    static std::function<bool(int, FrameInput&)> LeaveThroughTheMenu() {
        auto escAt = std::make_shared<int>(-1);
        return [escAt](int f, FrameInput& in) {
            if (*escAt < 0 && ringGame.faza == RING_PHASE_PLAY) {
                *escAt = f;
                in.keysHit.push_back(KEY_ESCAPE);
            } else if (*escAt >= 0 && f == *escAt + 20) {
                ClickButton(in, BUTTON_MAIN_MENU);
            }
            return f < 2000;
        };
    }
    // The number a fresh store reads back from the player's file.
    int Stored(const std::string& key) {
        TProfileManager fresh = TProfileManager::Create(resources + "profiles", "dat");
        return fresh.GetNumber(key);
    }
    std::optional<float> StoredMarker() {
        TProfileManager fresh = TProfileManager::Create(resources + "profiles", "dat");
        return fresh.selectedProfile->file->TryGetNumberKey("Profile", RING_IN_PROGRESS_KEY, 0);
    }
};

std::string Hint(const std::string& group) {
    return group +
           "{\n Level=1\n Event=\"BEGIN_LEVEL\"\n Image=\"gfx/info/popup.png\"\n X=220\n Y=170\n"
           " ButtonY=-1\n TextY=-1\n Lines=1\n Line1=\"" +
           group + "\"\n Spell=0\n}\n";
}

} // namespace

TEST_F(RingStage, PlayedToTheEndPaysTheHitsAndStoresAFinishedStage) {
    LoadLevel(Settings(6000, 2, "4", 5000));
    points.total = 12000;
    PlayWell();
    EXPECT_EQ(RunPlay(0), 0);

    EXPECT_GE(ringGame.seqHits, 4);
    EXPECT_EQ(points.total, 12000 + 500 * ringGame.seqHits);
    EXPECT_EQ(ringGame.recivedSpells, ringGame.seqHits / 2);
    EXPECT_EQ(ringGame.spells[3]->counter, ringGame.recivedSpells);
    EXPECT_EQ(Stored("seqHits"), ringGame.seqHits);
    EXPECT_EQ(Stored("recivedSpells"), ringGame.recivedSpells);
    EXPECT_EQ(Stored("RMGRecivedSpell4"), ringGame.recivedSpells);
    EXPECT_EQ(Stored("RMGRecivedSpell1"), 0);
    EXPECT_GT(Stored("rgTime"), 6000);
    EXPECT_EQ(StoredMarker(), std::optional<float>(0.0f));
    EXPECT_EQ(Plays("playgamering-czarbad.ogg"), 0);
    EXPECT_EQ(Plays("playgame-ring-show.ogg"), 1);
    EXPECT_TRUE(ringEmiterList.IsEmpty());
    EXPECT_EQ(ringGame.music, nullptr);
}

TEST_F(RingStage, ZeroTimeEndsOnTheFirstFrameOfPlay) {
    LoadLevel(Settings(0, 2, "4", 5000));
    int firstPlayFrames = 0;
    Drive([&](int f, FrameInput& in) {
        if (ringGame.faza == RING_PHASE_PLAY) ++firstPlayFrames;
        if (ringGame.faza >= RING_PHASE_OVER && f % 10 == 0) in.clicks.push_back(1);
        return f < 2000;
    });
    EXPECT_EQ(RunPlay(0), 0);
    EXPECT_EQ(firstPlayFrames, 1) << "one frame enters play, the next one ends it";
    EXPECT_EQ(ringGame.wahadloMaxRot, 0);
}

TEST_F(RingStage, TheMainMenuButtonLeavesAnUnfinishedStage) {
    LoadLevel(Settings(60000, 3, "1", 5000));
    Drive(LeaveThroughTheMenu());
    EXPECT_EQ(RunPlay(0), 1);
    EXPECT_EQ(StoredMarker(), std::optional<float>(1.0f));
    EXPECT_GT(Stored("rgTime"), 0);
    EXPECT_LT(Stored("rgTime"), 60000);
    EXPECT_EQ(ringGame.music, nullptr);
}

TEST_F(RingStage, LeavingWhenTheFolderRefusesTheSaveSaysSoAndKeepsTheOldFile) {
    LoadLevel(Settings(60000, 3, "1", 5000));
    const std::string file = profile.selectedProfile->path;
    const std::optional<std::string> before = LoadText(file);
    ASSERT_TRUE(before);
    SetFileFaultHook([](FileOp op, const std::string&) { return op != FileOp::Write; });
    Drive(LeaveThroughTheMenu());
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunPlay(0), 1);
    testing::internal::GetCapturedStdout();
    SetFileFaultHook(nullptr);
    const std::string told = "Your progress could not be saved in the folder\n" + profile.path +
                             ".\nWhat was saved before is kept. Check that the folder exists, has room and "
                             "can be written to.";
    EXPECT_EQ(std::count(control->notifications.begin(), control->notifications.end(), told), 1);
    EXPECT_EQ(LoadText(file), before);
}

TEST_F(RingStage, ACloseRequestStoresTheStageAndEndsTheProgram) {
    LoadLevel(Settings(60000, 1, "2", 5000));
    PlayWell([](int f) { return f == 300; });
    EXPECT_EQ(RunPlay(0), -1);
    EXPECT_GT(ringGame.seqHits, 0);
    EXPECT_EQ(Stored("seqHits"), ringGame.seqHits);
    EXPECT_EQ(Stored("RMGRecivedSpell2"), ringGame.seqHits) << "a length of one wins a spell every hit";
    EXPECT_EQ(StoredMarker(), std::optional<float>(1.0f));
}

TEST_F(RingStage, TheMenuHoldsBothClocks) {
    LoadLevel(Settings(60000, 3, "1", 5000));
    control->SetClock(50000);
    ringGame.music = nullptr;
    ringGame.Timer = 45000;
    ringGame.runeStart = 49300;
    std::vector<FrameInput> frames(600);
    frames.back().keysHit.push_back(KEY_ESCAPE);
    control->SetScript(frames);
    EXPECT_EQ(ringGame.ShowInGameMenuRG(), RING_CONTINUE);
    EXPECT_GT(MilliSecs64(), 59000);
    EXPECT_EQ(MilliSecs64() - ringGame.Timer, 5000);
    EXPECT_EQ(MilliSecs64() - ringGame.runeStart, 700);
}

TEST_F(RingStage, HintsWaitBeforePlayIgnoreTheMenuAndStartTheClockWhenClosed) {
    LoadLevel(Settings(60000, 3, "1", 5000), Hint("one") + Hint("two"));
    bool menuOpened = false;
    int closedAt = -1;
    int64_t clockAtClose = -1;
    std::vector<int> holds;
    Drive([&](int f, FrameInput& in) {
        if (optionsWindow.State == MENU_OTHER_PAUSE) menuOpened = true;
        if (closedAt < 0 && ringGame.faza == RING_PHASE_PLAY && ringGame.popups.IsEmpty()) {
            closedAt = f;
            clockAtClose = ringGame.Timer;
        }
        if (ringGame.faza == RING_PHASE_PLAY && !ringGame.popups.IsEmpty()) {
            const auto& dim = popupManager.button->dim;
            in.mouseX = static_cast<int>((dim->Left() + dim->Right()) / 2);
            in.mouseY = static_cast<int>((dim->Top() + dim->Bottom()) / 2);
            // Release, then hold: only a press begun while a hint shows closes it.
            if (f % 4 == 3) {
                in.held[1] = true;
                holds.push_back(f);
            } else {
                in.keysHit.push_back(KEY_ESCAPE);
            }
        }
        if (closedAt >= 0 && f == closedAt + 3) in.terminate = true;
        return f < 2000;
    });
    EXPECT_EQ(RunPlay(0), -1);
    EXPECT_FALSE(menuOpened);
    ASSERT_GE(closedAt, 0);
    EXPECT_EQ(holds.size(), 2u);
    EXPECT_EQ(Plays("playgame-info-clickout.ogg"), 2);
    EXPECT_EQ(Plays("playgame-info-show.ogg"), 2) << "once when play begins, once for the second hint";
    // The stage clock started when the last hint closed, in the frame before closedAt's input.
    EXPECT_GT(clockAtClose, 2000);
    EXPECT_LT(Stored("rgTime"), 200);
}

TEST_F(RingStage, ResumingRestoresOnlyAnUnfinishedStage) {
    struct Case {
        const char* name;
        std::optional<int> marker;
        int rgTime;
        bool restored;
    };
    const Case cases[] = {
        {"marked unfinished", 1, 20000, true},
        {"older profile without the mark", std::nullopt, 20000, true},
        {"marked finished", 0, 20000, false},
        {"time already used up", 1, 60000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        LoadLevel(Settings(60000, 3, "1 2", 5000), Hint("one"));
        profile.SetNumber("seqHits", 7, 0);
        profile.SetNumber("recivedSpells", 2, 0);
        profile.SetNumber("rgTime", c.rgTime, 0);
        profile.SetNumber("RMGRecivedSpell2", 2, 0);
        if (c.marker) profile.SetNumber(RING_IN_PROGRESS_KEY, *c.marker, 0);

        int hits = -1, counter = -1;
        size_t hints = 99;
        int64_t used = -1;
        Drive([&](int f, FrameInput& in) {
            if (ringGame.faza == RING_PHASE_PLAY && hits < 0) {
                hits = ringGame.seqHits;
                counter = ringGame.spells[1]->counter;
                hints = ringGame.popups.Count();
                used = MilliSecs64() - ringGame.Timer;
                in.terminate = true;
            }
            return f < 2000;
        });
        EXPECT_EQ(RunPlay(1), -1);
        EXPECT_EQ(hits, c.restored ? 7 : 0);
        EXPECT_EQ(counter, c.restored ? 2 : 0);
        EXPECT_EQ(hints, c.restored ? 0u : 1u);
        if (c.restored)
            EXPECT_GT(used, 20000);
        else
            EXPECT_LT(used, 20000);
        TearDown();
    }
}

TEST_F(RingStage, AResumedStageKeepsItsStoredTimeAndCountsInRange) {
    struct Case {
        const char* name;
        int rgTime, hits, received, counter;
        int64_t usedAtLeast, usedBelow;
        int wantHits, wantReceived, wantCounter;
    };
    const Case cases[] = {
        // Read as it stood, a 60 s stage would resume with 657 s left and swing 330 degrees.
        // The intro runs on the resumed clock for a few seconds before play.
        {"a negative time", -597000, 7, 2, 2, 0, 5000, 7, 2, 2},
        {"negative counts", 20000, -5, -2, -3, 20000, 25000, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        LoadLevel(Settings(60000, 3, "1 2", 5000));
        profile.SetNumber("seqHits", c.hits, 0);
        profile.SetNumber("recivedSpells", c.received, 0);
        profile.SetNumber("rgTime", c.rgTime, 0);
        profile.SetNumber("RMGRecivedSpell2", c.counter, 0);
        profile.SetNumber(RING_IN_PROGRESS_KEY, 1, 0);

        int hits = -1, received = -1, counter = -1, swing = -1;
        int64_t used = -1;
        Drive([&](int f, FrameInput& in) {
            if (ringGame.faza == RING_PHASE_PLAY && hits < 0) {
                hits = ringGame.seqHits;
                received = ringGame.recivedSpells;
                counter = ringGame.spells[1]->counter;
                swing = ringGame.wahadloMaxRot;
                used = MilliSecs64() - ringGame.Timer;
                in.terminate = true;
            }
            return f < 2000;
        });
        EXPECT_EQ(RunPlay(1), -1);
        EXPECT_GE(used, c.usedAtLeast);
        EXPECT_LT(used, c.usedBelow);
        EXPECT_LE(swing, 30);
        EXPECT_EQ(hits, c.wantHits);
        EXPECT_EQ(received, c.wantReceived);
        EXPECT_EQ(counter, c.wantCounter);
        TearDown();
    }
}

TEST_F(RingStage, TheDeveloperKeyEndsTheStageOnlyWithTheCheatsFile) {
    LoadLevel(Settings(60000, 3, "1", 5000));
    const std::string cwd = std::filesystem::current_path().string();
    std::filesystem::current_path(resources);
    int playFrames = 0;
    Drive([&](int f, FrameInput& in) {
        if (ringGame.faza == RING_PHASE_PLAY) ++playFrames;
        if (playFrames == 5) in.keysHit.push_back(KEY_A + 6);
        if (playFrames == 20) in.terminate = true;
        return f < 2000;
    });
    EXPECT_EQ(RunPlay(0), -1) << "without cheats.txt the key does nothing";

    { std::ofstream("cheats.txt") << "1"; }
    playFrames = 0;
    Drive([&](int f, FrameInput& in) {
        if (ringGame.faza == RING_PHASE_PLAY) ++playFrames;
        if (playFrames == 5) in.keysHit.push_back(KEY_A + 6);
        if (ringGame.faza >= RING_PHASE_OVER || playFrames > 5) {
            if (f % 10 == 0) in.clicks.push_back(1);
        }
        return f < 2000;
    });
    EXPECT_EQ(RunPlay(0), 0);
    std::filesystem::remove("cheats.txt");
    std::filesystem::current_path(cwd);
}

namespace {

using RingClose = RingStage;

TEST_F(RingClose, AStageClosedOnceItsTimeIsUpIsFinishedPaidAndWon) {
    struct Case {
        const char* name;
        int summaryFrames; // frames of the summary before the close; -1: the frame the time runs out
    };
    const Case cases[] = {{"in the frame the time runs out", -1}, {"during the summary", 30}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        LoadLevel(Settings(6000, 2, "4", 5000));
        sequencer.seqNo = 6;
        gameState = 1;
        points.total = 12000;
        bool closed = false;
        int over = 0;
        Drive([&](int f, FrameInput& in) {
            if (ringGame.faza >= RING_PHASE_OVER && !closed && over++ == std::max(c.summaryFrames, 0)) {
                in.terminate = closed = true;
                return true;
            }
            if (ringGame.faza == RING_PHASE_PLAY && f % 2 == 0)
                ClickSheet(in, ringGame.sequence[ringGame.seqPos]);
            return f < 5000;
        });
        EXPECT_EQ(RunPlay(0), -1);
        ASSERT_TRUE(closed);
        EXPECT_GE(ringGame.seqHits, 4);
        EXPECT_EQ(points.total, 12000 + 500 * ringGame.seqHits);
        // Stored as a finished stage and won: the exit hook saves the campaign with the map and
        // a fresh next level to come, which receives the spells.
        EXPECT_EQ(StoredMarker(), std::optional<float>(0.0f));
        EXPECT_EQ(Stored("RMGRecivedSpell4"), ringGame.recivedSpells);
        EXPECT_EQ(gameState, 2);
        EXPECT_EQ(sequencer.seqNo, 6);
        TearDown();
    }
}

TEST_F(RingClose, ACloseRequestWinsOverASuspendOfTheSameFrame) {
    LoadLevel(Settings(60000, 3, "1", 5000));
    bool menuOpened = false;
    int closedAt = -1, last = -1;
    Drive([&](int f, FrameInput& in) {
        last = f;
        if (optionsWindow.State == MENU_OTHER_PAUSE) menuOpened = true;
        if (closedAt < 0 && ringGame.faza == RING_PHASE_PLAY && f > 200) {
            closedAt = f;
            in.suspend = 1;
            in.terminate = true;
        }
        return f < 2000;
    });
    EXPECT_EQ(RunPlay(0), -1);
    ASSERT_GE(closedAt, 0);
    EXPECT_FALSE(menuOpened);
    EXPECT_LE(last, closedAt + 1);
    EXPECT_EQ(StoredMarker(), std::optional<float>(1.0f));
}

} // namespace
} // namespace vsm::test
