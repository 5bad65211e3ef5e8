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
    for (const char* name : {"name-prompt", "main-menu", "level-list", "endless", "pause-menu", "exit-question"}) {
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

} // namespace
} // namespace vsm::test
