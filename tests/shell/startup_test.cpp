// Start-up as a whole: over the built resources to the title screen and out through a close
// request with the options saved; the last player; a refused full screen; damaged data.
#include "shell/ShellFixture.h"

#include "board/BoardSeams.h"
#include "data/DataFolders.h"
#include "data/TTSCFile.h"
#include "level/LevelSeams.h"
#include "level/TPointsManager.h"
#include "magic/TRingOfSpells.h"
#include "modes/ModesSeams.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/TProfileManager.h"
#include "services/GameFlags.h"
#include "services/MouseSeams.h"
#include "services/OptionsSeam.h"
#include "services/TDeltaTime.h"
#include "services/TMouse.h"
#include "services/TSongManager.h"
#include "services/TSpark.h"
#include "shell/GameHooks.h"
#include "shell/MainFlow.h"
#include "shell/ShellScreens.h"
#include "shell/StartUp.h"
#include "shell/TLoading.h"
#include "support/TestAssets.h"
#include "support/WatchedPipe.h"
#include "widgets/SharedAssets.h"
#include "widgets/SharedImageIds.h"
#include "widgets/TContainer.h"
#include "widgets/TFont.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace vsm::test {

namespace {

class StartUpGame : public ShellFixture {
  protected:
    // Runs the whole program as main does: start-up, the main flow, and the exit hook after the
    // program ended. Returns the frame at which the title screen was reached (-1 for never).
    int RunProgram() {
        int titleFrame = -1;
        shellScreens.titleShow = [&] {
            titleFrame = control->Frame();
            // The player closes the window at the title.
            FrameInput close;
            close.terminate = true;
            control->SetScript(std::vector<FrameInput>{close});
            return TShellScreens().titleShow();
        };
        control->SetScript(std::vector<FrameInput>(2000));
        EXPECT_EQ(Run(), 0);
        return titleFrame;
    }
    // The program as main runs it; returns its exit code.
    static int Run() {
        return ::vsm::RunProgram([] {
            StartUp();
            MainFlow();
        });
    }
    std::string OptionsFile() const { return userHome + "/vessamoor/data/options.tsc"; }
    TTSCFilePtr SavedOptions() const {
        TTSCFilePtr doc = CreateTSCFile();
        LoadTSCFile(doc, OptionsFile());
        return doc;
    }
};

TEST_F(StartUpGame, AFirstRunOverTheBuiltGameReachesTheTitleAndSavesTheOptionsOnClose) {
    UseBuiltResources();
    // Start-up must fill every hook itself, not inherit them from the fixture's assembly.
    mouseSeams = TMouseSeams();
    boardSeams = TBoardSeams();
    levelSeams = TLevelSeams();
    ringSeams = TRingSeams();
    modesSeams = TModesSeams();
    for (const TGameHook& hook : GameHooks())
        ASSERT_FALSE(hook.isSet()) << hook.name;
    const int titleFrame = RunProgram();
    EXPECT_GT(titleFrame, 100); // after the loading screen's fades and the end effect
    EXPECT_EQ(gameState, 0);
    // Seeded from the wall clock, not from the run's own clock, which starts near zero.
    EXPECT_GT(RndSeed(), 100000u);

    // Everything the loading screen promises the other screens.
    for (int id : {DATA_SCROLL_TOP, DATA_SCROLL_MIDDLE, DATA_SCROLL_BOTTOM, DATA_ROPE, DATA_LOADING_TEXT}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(data.GetImage(id));
    }
    for (int id = DATA_FONT_TITLE_28; id <= DATA_FONT_CAPITALS_16; ++id) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(data.GetTTFont(id));
    }
    EXPECT_TRUE(fonts[0] && fonts[1]);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(SparkImage(i)) << i;
    EXPECT_TRUE(mouse.cursor);
    for (const char* song : {"sfx/glyndra-song.ogg", "sfx/glyndra-map.ogg", "sfx/ringo.ogg"}) {
        MusicFilePtr entry = songManager.findSong(song);
        EXPECT_TRUE(entry && entry->s) << song;
    }
    EXPECT_EQ(loading.stage, 3);
    EXPECT_FLOAT_EQ(deltaTime.dFps, 60);

    // Every hook of the one list is filled.
    for (const TGameHook& hook : GameHooks())
        EXPECT_TRUE(hook.isSet()) << hook.name;

    // The exit hook wrote the options document: the defaults, no player yet.
    TTSCFilePtr doc = SavedOptions();
    EXPECT_EQ(GetTSCNumberKey(doc, "Settings", "screenMode", 0), 1);
    EXPECT_EQ(GetTSCNumberKey(doc, "Settings", "musicVol", 0), 5);
    EXPECT_EQ(GetTSCNumberKey(doc, "Settings", "soundVol", 0), 7);
    EXPECT_EQ(doc->GetKeyList("Settings").size(), 4u);
    EXPECT_TRUE(control->notifications.empty());
}

TEST_F(StartUpGame, TheLastPlayerIsSelectedAndLoaded) {
    Assemble(); // a store over the same folder, as an earlier run left it
    ASSERT_EQ(CreateNewProfile("Ann"), 1);
    ASSERT_EQ(CreateNewProfile("Bob"), 1);
    profile.SetNumber("gameState", 2, 1);
    ASSERT_TRUE(SaveText("Settings{\n\tscreenMode=2\n\tlastProfile=\"Bob\"\n}\n", OptionsFile()));

    RunProgram();
    ASSERT_TRUE(profile.selectedProfile);
    EXPECT_EQ(profile.selectedProfile->name, "Bob");
    EXPECT_EQ(gameState, 2); // Bob's game state was loaded
    EXPECT_EQ(GetTSCStringKey(SavedOptions(), "Settings", "lastProfile", 0), "Bob");
}

TEST_F(StartUpGame, APipeOrAHugeOptionsFileIsSetAsideUnread) {
    UseBuiltResources();
    const std::string data = userHome + "/vessamoor/data";
    std::filesystem::create_directories(data);
    for (bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "a pipe" : "a huge file");
        std::filesystem::remove(OptionsFile());
        std::filesystem::remove(OptionsFile() + ".damaged");
        std::unique_ptr<WatchedPipe> watched;
        if (pipe) {
            watched = std::make_unique<WatchedPipe>(OptionsFile());
        } else {
            { std::ofstream(OptionsFile(), std::ios::binary); }
            std::filesystem::resize_file(OptionsFile(), uintmax_t(8) << 30); // sparse: takes no room
        }
        EXPECT_GE(RunProgram(), 0) << "the title screen is reached";
        if (watched) {
            EXPECT_FALSE(watched->Opened()) << "the pipe is never opened";
        }
        EXPECT_TRUE(std::filesystem::exists(OptionsFile() + ".damaged")) << "the player's file is kept aside";
        EXPECT_EQ(GetTSCNumberKey(SavedOptions(), "Settings", "musicVol", 0), 5) << "the defaults are saved";
    }
}

TEST_F(StartUpGame, AnErrorMidCampaignSavesTheOptionsButLeavesTheCampaignAtItsLastSave) {
    Assemble();
    ASSERT_EQ(CreateNewProfile("ann"), 1);
    profile.SetNumber("pointsTotal", 1000, 1);
    const std::string profileFile = userHome + "/vessamoor/profiles/ann.dat";
    const std::string lastGoodSave = LoadText(profileFile).value_or("");
    for (bool error : {true, false}) {
        SCOPED_TRACE(error ? "an error" : "a close request");
        ASSERT_TRUE(SaveText(lastGoodSave, profileFile));
        std::filesystem::remove(OptionsFile());
        // The player is in the campaign when something goes wrong half-way through a change.
        shellScreens.titleShow = [error]() -> int {
            saveToProfile = 1;
            points.total = 5555;
            if (error) throw std::runtime_error("a fault half-way through");
            End();
        };
        control->SetScript(std::vector<FrameInput>(2000));
        std::vector<std::string> lines;
        SetPrintListener([&](const std::string& line) { lines.push_back(line); });
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), error ? 1 : 0);
        const std::string err = testing::internal::GetCapturedStderr();
        SetPrintListener(nullptr);
        EXPECT_EQ(GetTSCStringKey(SavedOptions(), "Settings", "lastProfile", 0), "ann")
            << "the options are saved";
        if (error) {
            EXPECT_EQ(LoadText(profileFile).value_or(""), lastGoodSave) << "the last good save stays";
            EXPECT_NE(err.find("Unexpected error: a fault half-way through"), std::string::npos);
            EXPECT_NE(
                std::find(
                    lines.begin(), lines.end(),
                    "The game ends on an error: the options are saved, the campaign keeps its last save"),
                lines.end());
        } else {
            TTSCFilePtr saved = CreateTSCFile();
            LoadTSCFile(saved, profileFile);
            EXPECT_EQ(GetTSCNumberKey(saved, "Profile", "pointsTotal", 0), 5555)
                << "a close saves the campaign";
        }
    }
}

TEST_F(StartUpGame, StaleTemporaryFilesOfSavesAreRemovedAndNothingElse) {
    Assemble();
    ASSERT_EQ(CreateNewProfile("ann"), 1);
    const std::string home = userHome + "/vessamoor";
    const std::vector<std::string> stale = {home + "/data/.options.tsc.tmp-AbC123",
                                            home + "/profiles/.ann.dat.tmp-x1Y2z3",
                                            home + "/profiles/.bob.dat.new"};
    const std::vector<std::string> kept = {home + "/profiles/ann.dat", home + "/data/notes.tmp",
                                           home + "/.options.tsc.tmp-AbC123"};
    for (const std::string& path : stale)
        ASSERT_TRUE(SaveText("Profile{}\n", path));
    ASSERT_TRUE(SaveText("mine\n", kept[1]));
    ASSERT_TRUE(SaveText("mine\n", kept[2]));

    RunProgram();
    for (const std::string& path : stale)
        EXPECT_EQ(FileType(path), FILETYPE_NONE) << path;
    for (const std::string& path : kept)
        EXPECT_EQ(FileType(path), FILETYPE_FILE) << path;
}

TEST_F(StartUpGame, AFolderThatCannotBeMadeIsToldInAMessageBox) {
    struct Case {
        const char* inTheWay; // below the per-user folder's parent
        bool starts;
    };
    const Case cases[] = {{"vessamoor", false}, {"vessamoor/profiles", false}, {"vessamoor/data", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inTheWay);
        std::filesystem::remove_all(userHome);
        std::filesystem::create_directories(userHome + "/vessamoor");
        const std::string blocked = userHome + "/" + c.inTheWay;
        std::filesystem::remove_all(blocked);
        ASSERT_TRUE(SaveText("not a folder", blocked));
        control->notifications.clear();
        if (c.starts) {
            EXPECT_GE(RunProgram(), 0) << "the title screen is reached";
        } else {
            int exitCode = 0;
            try {
                StartUp();
            } catch (const ProgramEnd& end) {
                exitCode = end.exitCode;
            }
            EXPECT_EQ(exitCode, 1);
        }
        ASSERT_FALSE(control->notifications.empty());
        EXPECT_NE(control->notifications[0].find(blocked + " (a file of that name is in the way)"),
                  std::string::npos)
            << control->notifications[0];
        EXPECT_EQ(LoadText(blocked).value_or(""), "not a folder") << "the player's file is left alone";
    }
}

TEST_F(StartUpGame, ASecondCopyOnTheSameFolderSaysSoAndDoesNotStart) {
    const std::string folder = userHome + "/vessamoor";
    std::filesystem::create_directories(folder);
    const std::string lockFile = folder + "/" + USER_FOLDER_LOCK;
    // Another copy of the game: a child process that takes the folder's lock and keeps it until
    // it is killed.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        ::close(ready[0]);
        const char held = HoldFileLock(lockFile) == FileLock::Held ? 'y' : 'n';
        if (::write(ready[1], &held, 1) != 1) ::_exit(2);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(held, 'y');

    int exitCode = 0;
    try {
        StartUp();
    } catch (const ProgramEnd& end) {
        exitCode = end.exitCode;
    }
    RunExitHook();
    EXPECT_EQ(exitCode, 1);
    ASSERT_EQ(control->notifications.size(), 1u);
    EXPECT_NE(control->notifications[0].find("already running with the folder " + folder), std::string::npos)
        << control->notifications[0];
    EXPECT_FALSE(std::filesystem::exists(OptionsFile())) << "the second copy saves nothing";

    // The holder dies without a word: its lock file stays, and it no longer blocks.
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    ASSERT_TRUE(std::filesystem::exists(lockFile));
    control->notifications.clear();
    EXPECT_GE(RunProgram(), 0) << "the title screen is reached";
    EXPECT_TRUE(control->notifications.empty());
    EXPECT_EQ(HoldFileLock(lockFile), FileLock::Held);
    ReleaseFileLock();
}

TEST_F(StartUpGame, ARefusedFullScreenRunsInAWindowAndIsRemembered) {
    control->fullScreenWorks = false;
    RunProgram();
    EXPECT_EQ(options.screenMode, 2);
    EXPECT_EQ(GetTSCNumberKey(SavedOptions(), "Settings", "screenMode", 0), 2);
}

TEST_F(StartUpGame, AnArchiveWithoutItsMarkerEndsBeforeAnythingIsWritten) {
    WriteArchive(resources + "data/ring_levels_lp.bca", {{"other.tsc", "A{}"}});
    EXPECT_THROW(StartUp(), ProgramEnd);
    RunExitHook();
    EXPECT_EQ(control->notifications, std::vector<std::string>{"Files corrupted"});
    EXPECT_FALSE(std::filesystem::exists(userHome + "/vessamoor"));
}

} // namespace

} // namespace vsm::test
