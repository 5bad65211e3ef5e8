// The game on the real backend (off-screen): start-up draws a loading screen and a title worth
// looking at, and the real executable, started with an empty per-user folder, closes cleanly on
// a close request and leaves its options behind.
#include "shell/ShellFixture.h"

#include "frontend/TTitleScreen.h"
#include "platform/Graphics.h"
#include "platform/Input.h"
#include "platform/System.h"
#include "shell/MainFlow.h"
#include "shell/ShellScreens.h"
#include "shell/StartUp.h"
#include "shell/TLoading.h"
#include "support/TestSupport.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace vsm::test {

namespace {

// A screenshot worth keeping: 800x600 and more than a handful of colours.
void ExpectPicture(const PixmapPtr& shot, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(shot);
    EXPECT_EQ(PixmapWidth(shot), 800);
    EXPECT_EQ(PixmapHeight(shot), 600);
    std::set<uint32_t> colours;
    for (int y = 0; y < PixmapHeight(shot); y += 7)
        for (int x = 0; x < PixmapWidth(shot); x += 7)
            colours.insert(ReadPixel(shot, x, y) & 0xFFFFFFu);
    EXPECT_GT(colours.size(), 50u);
}

using RealShellGl = ShellFixture;

TEST_F(RealShellGl, StartUpDrawsTheLoadingScreenAndTheTitle) {
    UseBuiltResources();
    UseRealBackend();
    PixmapPtr loadingShot, titleShot;
    shellScreens.titleShow = [&] {
        loading.Draw();
        loadingShot = GrabPixmap(0, 0, 800, 600);
        // The title screen's first frame: its picture, before the menu fades in over it.
        Cls();
        DrawImage(titleScreen.title, 0, 0);
        titleShot = GrabPixmap(0, 0, 800, 600);
        RequestTerminate();
        return TShellScreens().titleShow();
    };
    EXPECT_THROW(
        {
            StartUp();
            MainFlow();
        },
        ProgramEnd);
    RunExitHook();
    ExpectPicture(loadingShot, "loading screen");
    ExpectPicture(titleShot, "title");
    EXPECT_TRUE(std::filesystem::exists(userHome + "/vessamoor/data/options.tsc"));
    EndGraphics();
}

TEST(RealExecutableGl, StartsWithAnEmptyUserFolderAndClosesOnRequest) {
    const std::string home = ScratchDir("shell-exe");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        setenv("VSM_RESOURCES", ResourcesDir().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("ALSOFT_DRIVERS", "null", 1);
        execl(VSM_GAME_EXE, VSM_GAME_EXE, static_cast<char*>(nullptr));
        _exit(127);
    }
    // Long enough for the loading screen, its end effect and the title (about 4 s).
    std::this_thread::sleep_for(std::chrono::seconds(8));
    kill(child, SIGTERM); // the window system's close request
    int status = 0;
    bool exited = false;
    for (int waited = 0; waited < 300 && !exited; ++waited) {
        exited = waitpid(child, &status, WNOHANG) == child;
        if (!exited) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!exited) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "the game did not close on request";
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::exists(home + "/vessamoor/data/options.tsc"));
    EXPECT_TRUE(std::filesystem::is_directory(home + "/vessamoor/profiles"));
}

} // namespace

} // namespace vsm::test
