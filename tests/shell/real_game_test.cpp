// The game on the real backend (off-screen): start-up draws a loading screen and a title worth
// looking at, and the real executable, started with an empty per-user folder, reports its title
// up, closes cleanly on a close request and leaves its options behind.
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
#include <fstream>
#include <iterator>
#include <set>
#include <thread>

#include <fcntl.h>
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

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
    const std::string log = home + "/game.log";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(126);
        close(out);
        setenv("XDG_DATA_HOME", home.c_str(), 1);
        setenv("VSM_RESOURCES", ResourcesDir().c_str(), 1);
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("ALSOFT_DRIVERS", "null", 1);
        execl(VSM_GAME_EXE, VSM_GAME_EXE, static_cast<char*>(nullptr));
        _exit(127);
    }
    // The loading screen, its end effect and the splash pictures take about 4 s; a loaded machine
    // or the sanitizers take many times that.
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (FileText(log).find(std::string(TITLE_READY_LINE) + "\n") == std::string::npos) {
        if (waitpid(child, &status, WNOHANG) == child)
            FAIL() << "the game ended before its title was up; its output:\n" << FileText(log);
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            FAIL() << "the game did not report its title up within 120 s; its output:\n" << FileText(log);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill(child, SIGTERM); // the window system's close request
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
