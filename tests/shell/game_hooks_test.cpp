// The one way a hook that start-up has not filled answers: one line the first time, then its
// harmless default.
#include "board/BoardSeams.h"
#include "level/LevelSeams.h"
#include "magic/TRingOfSpells.h"
#include "modes/ModesSeams.h"
#include "platform/Headless.h"
#include "platform/System.h"
#include "services/MouseSeams.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace vsm::test {

namespace {

TEST(UnsetHooks, EachSaysSoOnceThenAnswersItsDefault) {
    UseHeadlessBackend();
    std::vector<std::string> lines;
    SetPrintListener([&](const std::string& line) { lines.push_back(line); });
    const TBoardSeams board;
    TLevelSeams level;
    TRingSeams ring;
    TModesSeams modes;
    TMouseSeams mouse;
    int x = -1, y = -1;
    const struct {
        std::string hook;
        std::function<void()> call;
    } cases[] = {
        {"boss rune cell test", [&] { EXPECT_EQ(board.BossCheckMove(1, 2), 0); }},
        {"level clock", [&] { EXPECT_EQ(board.TimeOver(), 0); }},
        {"points counter", [&] { board.PointsAdd(50); }},
        {"sphere ball finder",
         [&] {
             EXPECT_EQ(board.SphereGetColorXY(1, x, y), 0);
             EXPECT_EQ(x, 107); // the sphere's resting centre
             EXPECT_EQ(y, 105);
         }},
        {"token finder", [&] { EXPECT_EQ(board.FindBonus(3, 3), 0); }},
        {"sphere loader", [&] { level.SphereLoad(nullptr); }},
        {"sphere goal test", [&] { EXPECT_EQ(level.SphereIsFull(), 0); }},
        {"popup event", [&] { ring.PopupAddEvent("ACTIVATOR_ERROR"); }},
        {"title music stop", [&] { modes.StopTitleMusic(); }},
        {"board cell grid",
         [&] {
             const TCellGrid grid = mouse.CellGrid(); // the board's resting grid
             EXPECT_EQ(grid.offsetX, 240);
             EXPECT_EQ(grid.offsetY, 60);
             EXPECT_EQ(grid.tileSize, 32);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hook);
        lines.clear();
        c.call();
        c.call();
        ASSERT_EQ(lines.size(), 1u) << "one line, the first time only";
        EXPECT_NE(lines[0].find("no " + c.hook + " is installed"), std::string::npos) << lines[0];
    }
    SetPrintListener(nullptr);
}

} // namespace

} // namespace vsm::test
