// The real executable under Xvfb: a first start with an empty per-user folder, the first player's
// name, the title menu, an endless game with pieces placed, the pause menu, back to the title and
// out through Exit. The clicking is done by play_endless.sh; this test checks what the run left:
// the screenshots and the per-user documents, read back with the game's own readers.
#include "data/TTSCFile.h"
#include "platform/Graphics.h"
#include "profiles/TProfileManager.h"
#include "services/Paths.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace vsm::test {
namespace {

constexpr int SKIP_STATUS = 77;

bool ToolInstalled(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Counts the non-empty cells of a saved board layer ("x:y:v" entries).
int FilledCells(const std::vector<std::string>& entries) {
    int filled = 0;
    for (const std::string& e : entries) {
        const size_t at = e.rfind(':');
        if (at != std::string::npos && std::atoi(e.c_str() + at + 1) != 0) ++filled;
    }
    return filled;
}

TEST(RealGameGl, EndlessGameFromAnEmptyUserFolder) {
    for (const char* tool : {"Xvfb", "xdotool", "import", "convert"})
        if (!ToolInstalled(tool)) GTEST_SKIP() << tool << " is not installed";

    const std::string work = ScratchDir("xvfb-run");
    const std::string script = SourceDir() + "/tests/xvfb/play_endless.sh";
    const std::string command = "bash " + Quoted(script) + " " + Quoted(VSM_GAME_EXE) + " " +
                                Quoted(ResourcesDir()) + " " + Quoted(work) + " Rowan";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    if (WEXITSTATUS(raw) == SKIP_STATUS) GTEST_SKIP() << "the virtual display's tools are missing";
    ASSERT_EQ(WEXITSTATUS(raw), 0) << "the play-through failed; screenshots in " << work << "/shots";

    // Every stop's screenshot is the game's whole 800x600 picture, and a picture, not a blank
    // or single-colour window.
    for (const char* name :
         {"name-prompt", "main-menu", "level-list", "endless", "pause-menu", "exit-question"}) {
        SCOPED_TRACE(name);
        const PixmapPtr shot = LoadPixmap(work + "/shots/" + name + ".png");
        ASSERT_TRUE(shot);
        EXPECT_EQ(shot->width, 800);
        EXPECT_EQ(shot->height, 600);
        std::set<uint32_t> colours;
        int darkest = 255 * 3, brightest = 0;
        for (uint32_t p : shot->pixels) {
            colours.insert(p & 0xFFFFFFu);
            const int sum = static_cast<int>(((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF));
            darkest = std::min(darkest, sum);
            brightest = std::max(brightest, sum);
        }
        EXPECT_GE(colours.size(), 1000u);
        EXPECT_GE(brightest - darkest, 300);
    }

    const std::string user = work + "/home/vessamoor";

    // The options document reads back and names the player made on this first start.
    TTSCFile options;
    ASSERT_NO_THROW(options.Load(user + "/data/options.tsc"));
    EXPECT_EQ(options.TryGetStringKey("Settings", "lastProfile", 0), std::optional<std::string>("rowan"));
    EXPECT_TRUE(options.TryGetNumberKey("Settings", "screenMode", 0).has_value());
    EXPECT_TRUE(options.TryGetNumberKey("Settings", "musicVol", 0).has_value());

    // The profile reads back through the game's profile store and holds the endless game left
    // from the pause menu, with the placed pieces on its board.
    bDir = ResourcesDir();
    TProfileManager store = TProfileManager::Create(user + "/profiles", "dat");
    ASSERT_EQ(store.GetProfilesList(), std::vector<std::string>{"rowan"});
    ASSERT_EQ(store.SelectProfile("rowan"), 1);
    EXPECT_EQ(store.GetNumber("endlessResume"), 1);
    EXPECT_EQ(store.GetString("endlessLevel"), "level_endless_01.tsc");
    int filled = 0;
    for (const char* layer : {"endless1", "endless2", "endless3"}) {
        const auto entries = store.GetList(layer);
        ASSERT_TRUE(entries.has_value());
        filled += FilledCells(*entries);
    }
    EXPECT_GE(filled, 3) << "no piece reached the saved board";
}

// A display that goes away (the X server ends, a remote session drops) must not leave the game
// running: Xlib ends the program, and nothing may block on the dead connection after that. The
// display goes only once the game reports its title up, so the game was surely connected.
TEST(RealGameGl, EndsWhenItsDisplayGoesAway) {
    if (!ToolInstalled("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    const std::string work = ScratchDir("xvfb-lost");
    const std::string script = SourceDir() + "/tests/xvfb/lose_display.sh";
    const std::string command = "bash " + Quoted(script) + " " + Quoted(VSM_GAME_EXE) + " " +
                                Quoted(ResourcesDir()) + " " + Quoted(work);
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    if (WEXITSTATUS(raw) == SKIP_STATUS) GTEST_SKIP() << "Xvfb is not installed";
    EXPECT_EQ(WEXITSTATUS(raw), 0) << "exit status 1: still running 10 s after its display went away; "
                                      "2: never reported its title up; 3: no display (see "
                                   << work << "/game.log)";
}

// Another X client destroying the game's window drops the game's connection: the game saves as on
// a close request before it ends, so the options document removed after start-up is back.
TEST(RealGameGl, ItsWindowDestroyedByAnotherClientSavesBeforeItEnds) {
    for (const char* tool : {"Xvfb", "xdotool"})
        if (!ToolInstalled(tool)) GTEST_SKIP() << tool << " is not installed";
    const std::string work = ScratchDir("xvfb-killed");
    const std::string script = SourceDir() + "/tests/xvfb/kill_window.sh";
    const std::string command = "bash " + Quoted(script) + " " + Quoted(VSM_GAME_EXE) + " " +
                                Quoted(ResourcesDir()) + " " + Quoted(work);
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    if (WEXITSTATUS(raw) == SKIP_STATUS) GTEST_SKIP() << "Xvfb or xdotool is not installed";
    EXPECT_EQ(WEXITSTATUS(raw), 0) << "1: still running 10 s after its window was destroyed; 2: never "
                                      "reported its title up; 3: no display or window; 4: ended without "
                                      "its exit save (see "
                                   << work << "/game.log)";
}

// A first start asks for full screen. An X server with no window manager never grants it: the
// window keeps its 800x600 size while SDL takes it for the screen's. The game must see that and
// carry on in an 800x600 window (and remember the window mode), not draw a picture scaled for a
// screen it does not cover.
TEST(RealGameGl, ARefusedFullScreenGivesAWindowOfTheGamesSize) {
    for (const char* tool : {"Xvfb", "xdotool"})
        if (!ToolInstalled(tool)) GTEST_SKIP() << tool << " is not installed";
    const std::string work = ScratchDir("xvfb-refused");
    const std::string command =
        "cd " + Quoted(work) + " && for d in $(seq 191 240); do [ -e /tmp/.X$d-lock ] || break; done; " +
        "Xvfb :$d -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & x=$!; sleep 1; export DISPLAY=:$d; " +
        "XDG_DATA_HOME=" + Quoted(work + "/home") + " VSM_RESOURCES=" + Quoted(ResourcesDir()) +
        " SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null " + Quoted(VSM_GAME_EXE) + " >game.log 2>&1 & g=$!; " +
        "for i in $(seq 1 300); do w=$(xdotool search --name \"^Vessamoor$\" 2>/dev/null | head -n 1); " +
        "[ -n \"$w\" ] && break; sleep 0.1; done; sleep 3; " +
        "xdotool getwindowgeometry --shell \"$w\" >geometry; kill $g; " +
        "for i in $(seq 1 100); do kill -0 $g 2>/dev/null || break; sleep 0.1; done; kill -9 $g "
        "2>/dev/null; " +
        "kill $x; wait";
    ASSERT_EQ(std::system(("bash -c " + Quoted(command)).c_str()), 0);
    const std::string geometry = FileText(work + "/geometry");
    EXPECT_NE(geometry.find("WIDTH=800\n"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=600\n"), std::string::npos) << geometry;
    TTSCFile options;
    ASSERT_NO_THROW(options.Load(work + "/home/vessamoor/data/options.tsc"));
    EXPECT_EQ(options.TryGetNumberKey("Settings", "screenMode", 0), std::optional<float>(2));
}

// With no display to open a window on, the game says so in its own words and fails: it must not
// run unseen on a fallback driver nor end as if all went well.
TEST(RealGameGl, WithNoDisplayItEndsWithOneLineAndAFailingStatus) {
    for (const char* driver : {"SDL_VIDEODRIVER=x11", "-u SDL_VIDEODRIVER"}) {
        SCOPED_TRACE(driver);
        const std::string work = std::filesystem::absolute(ScratchDir("no-display")).string();
        // A runtime folder as a desktop session has one (private), so the libraries stay quiet.
        std::filesystem::permissions(work, std::filesystem::perms::owner_all);
        const std::string command =
            "cd " + Quoted(work) + " && env -u DISPLAY -u WAYLAND_DISPLAY " + driver +
            " XDG_RUNTIME_DIR=" + Quoted(work) + " XDG_DATA_HOME=" + Quoted(work + "/home") +
            " VSM_RESOURCES=" + Quoted(ResourcesDir()) + " ALSOFT_DRIVERS=null timeout 60 " +
            Quoted(VSM_GAME_EXE) + " >out.log 2>err.log";
        const int raw = std::system(("bash -c " + Quoted(command)).c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 1) << "124 means it was still running after 60 s";
        EXPECT_EQ(FileText(work + "/err.log"), "Graphics initiation error! The game will close.\n");
    }
}

} // namespace
} // namespace vsm::test
