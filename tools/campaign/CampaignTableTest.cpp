// The campaign's table and rules: plays summed up per position, shares of the clock with the
// player's patience standing in for a missing clock, and each rule broken by the case that
// breaks it and by no other.
#include "CampaignTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vsm::tools {
namespace {

// A board play: won (or not) after the seconds, with the pieces placed.
RunResult Board(int position, int goal, int clockS, bool won, double seconds, int pieces = 30) {
    RunResult r;
    r.position = position;
    r.name = "level_" + std::to_string(position) + ".tsc";
    r.type = 1;
    r.goal = goal;
    r.clockMs = clockS * 1000;
    r.won = won;
    r.timeMs = static_cast<int64_t>(seconds * 1000);
    r.placements = pieces;
    r.score = 1000;
    return r;
}

// Ten plays of a position, won in `wins` of them, each taking the share of a 100-second clock.
std::vector<RunResult> Plays(int position, int goal, int wins, double share) {
    std::vector<RunResult> runs;
    for (int s = 0; s < 10; ++s)
        runs.push_back(Board(position, goal, 100, s < wins, s < wins ? share * 100 : 100));
    return runs;
}

bool Mentions(const std::vector<std::string>& broken, const std::string& words) {
    return std::any_of(broken.begin(), broken.end(),
                       [&](const std::string& line) { return line.find(words) != std::string::npos; });
}

TEST(CampaignTableTest, SharesOfTheClockCountALostPlayAsAllOfIt) {
    TableRules rules;
    rules.patienceMs = 600000;
    const std::vector<RunResult> runs = {
        Board(1, 1, 0, true, 60),    // no clock: a tenth of the patience
        Board(1, 1, 0, true, 120),   //
        Board(1, 1, 0, false, 30),   // lost early, counted as the whole clock
        Board(2, 1, 200, true, 50),  // a quarter of its own clock
        Board(2, 1, 200, true, 100), //
        Board(2, 1, 200, true, 250), // "won" past the clock: not won
    };
    const std::vector<PositionRow> rows = SumUp(runs, {{1, 1}, {2, 1}}, rules);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].wins, 2);
    EXPECT_DOUBLE_EQ(rows[0].shareMedian, 0.2);
    EXPECT_DOUBLE_EQ(rows[0].shareWorst, 1.0);
    EXPECT_EQ(rows[1].wins, 2);
    EXPECT_DOUBLE_EQ(rows[1].shareMedian, 0.5);
    EXPECT_EQ(rows[1].region, 1);
}

TEST(CampaignTableTest, EachRuleBrokenByItsOwnCase) {
    struct Case {
        const char* what;
        std::vector<RunResult> runs;
        std::map<int, int> region;
        const char* broken; // words of the one broken rule, or "" for none
    };
    auto join = [](std::initializer_list<std::vector<RunResult>> parts) {
        std::vector<RunResult> all;
        for (const auto& p : parts)
            all.insert(all.end(), p.begin(), p.end());
        return all;
    };
    const std::map<int, int> oneRegion = {{1, 1}, {2, 1}, {3, 1}};
    std::vector<RunResult> noPiece = Plays(1, 1, 10, 0.3);
    noPiece[4].placements = 0;
    std::vector<RunResult> early = Plays(1, 1, 10, 0.3);
    early[2].timeMs = 4000;
    const std::vector<Case> cases = {
        {"eight wins of ten", Plays(1, 1, 8, 0.3), oneRegion, ""},
        {"seven wins of ten", Plays(1, 1, 7, 0.3), oneRegion, "won in 7 of 10 seeds, needs 8"},
        {"a win without a piece", noPiece, oneRegion, "won without a placement"},
        {"a win in the first seconds", early, oneRegion, "won after 4.0 s"},
        {"regions rising", join({Plays(1, 1, 10, 0.2), Plays(2, 1, 10, 0.4)}), {{1, 1}, {2, 2}}, ""},
        {"a region no harder than the one before",
         join({Plays(1, 1, 10, 0.4), Plays(2, 1, 10, 0.4)}),
         {{1, 1}, {2, 2}},
         "region 2: median share of the clock 40%, not above region 1's 40%"},
        {"a warden level above both neighbours",
         join({Plays(1, 1, 10, 0.3), Plays(2, 3, 10, 0.5), Plays(3, 1, 10, 0.3)}), oneRegion, ""},
        {"a warden level below the board after it",
         join({Plays(1, 1, 10, 0.3), Plays(2, 3, 10, 0.5), Plays(3, 1, 10, 0.65)}), oneRegion,
         "position 2 (wardens): median share of the clock 50%, more than 10% below position 3's 65%"},
        {"a warden level below a neighbour within the tolerance",
         join({Plays(1, 1, 10, 0.3), Plays(2, 3, 10, 0.5), Plays(3, 1, 10, 0.59)}), oneRegion, ""},
        {"the last warden level has only a board before it",
         join({Plays(1, 1, 10, 0.3), Plays(2, 3, 10, 0.5)}), oneRegion, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TableRules rules;
        const std::vector<std::string> broken = BrokenRules(SumUp(c.runs, c.region, rules), c.region, rules);
        if (std::string(c.broken).empty()) {
            EXPECT_TRUE(broken.empty()) << broken.front();
        } else {
            EXPECT_EQ(broken.size(), 1u);
            EXPECT_TRUE(Mentions(broken, c.broken)) << (broken.empty() ? "" : broken.front());
        }
    }
}

// Ten plays of a puzzle (type 2) or ring stage (3), done in `done` of them.
std::vector<RunResult> Stages(int position, int type, int done) {
    std::vector<RunResult> runs;
    for (int s = 0; s < 10; ++s) {
        RunResult r;
        r.position = position;
        r.name = type == 2 ? "puzzle-01.tsc" : "ring-01.tsc";
        r.type = type;
        r.seed = static_cast<uint32_t>(s + 1);
        r.clockMs = type == 3 ? 60000 : 0;
        r.won = s < done;
        r.spells = type == 3 && r.won ? 4 : 0;
        r.timeMs = type == 3 ? 60000 : (r.won ? 40000 : 600000);
        r.end = type == 3 ? "over" : (r.won ? "solved" : "patience");
        runs.push_back(r);
    }
    return runs;
}

TEST(CampaignTableTest, PlaysWithoutAResultAndUnfinishedStagesBreakRules) {
    struct Case {
        const char* what;
        std::vector<RunResult> runs;
        std::vector<std::string> broken;
    };
    // A play that died (or never reported) keeps only its position, name, type and seed.
    auto failed = [](std::vector<RunResult> runs, size_t k, const char* end) {
        runs[k].won = false;
        runs[k].end = end;
        runs[k].timeMs = 0;
        runs[k].placements = 0;
        return runs;
    };
    std::vector<RunResult> board = Plays(1, 1, 10, 0.3);
    for (size_t k = 0; k < board.size(); ++k)
        board[k].seed = static_cast<uint32_t>(k + 1);
    RunResult endless;
    endless.name = "level_endless_01.tsc";
    endless.type = 4;
    endless.seed = 2;
    endless.end = "crashed";
    std::vector<RunResult> wonRingPastLimit = Stages(4, 3, 10);
    wonRingPastLimit[0].end = "limit"; // a spell was paid, but the screen never closed
    const std::vector<Case> cases = {
        {"a crashed board play",
         failed(board, 3, "crashed"),
         {"position 1: seed 4 crashed or gave no result"}},
        {"a board that did not close",
         failed(board, 0, "stuck"),
         {"position 1: seed 1 did not close when asked"}},
        {"three board plays past the limit",
         failed(failed(failed(board, 0, "limit"), 1, "limit"), 2, "limit"),
         {"position 1: seed 1 ran past the frame limit", "position 1: seed 2 ran past the frame limit",
          "position 1: seed 3 ran past the frame limit", "position 1: won in 7 of 10 seeds, needs 8"}},
        {"a crashed quick board", {endless}, {"level_endless_01.tsc: seed 2 crashed or gave no result"}},
        {"a puzzle put together in 8 of 10", Stages(6, 2, 8), {}},
        {"a puzzle put together in 7 of 10",
         Stages(6, 2, 7),
         {"position 6 (puzzle puzzle-01.tsc): put together in 7 of 10 seeds, needs 8"}},
        {"a ring stage that pays no spell",
         Stages(4, 3, 0),
         {"position 4 (ring ring-01.tsc): paid a spell in 0 of 10 seeds, needs 8"}},
        {"a ring stage past the frame limit",
         wonRingPastLimit,
         {"position 4: seed 1 ran past the frame limit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TableRules rules;
        const std::map<int, int> region = {{1, 1}, {4, 1}, {6, 1}};
        EXPECT_EQ(BrokenRules(SumUp(c.runs, region, rules), region, rules), c.broken);
    }
}

TEST(CampaignTableTest, APlayedSubsetIsJudgedOnlyWhereItIsWhole) {
    // The campaign's boards: 1, 2 and 3 in region 1 (2 a warden level), 5 and 6 in region 2.
    TableRules rules;
    rules.campaignBoards = {1, 2, 3, 5, 6};
    const std::map<int, int> region = {{1, 1}, {2, 1}, {3, 1}, {5, 2}, {6, 2}};
    auto brokenFor = [&](std::vector<RunResult> runs) {
        return BrokenRules(SumUp(runs, region, rules), region, rules);
    };
    std::vector<RunResult> subset = Plays(2, 3, 10, 0.3);
    for (const RunResult& r : Plays(5, 1, 10, 0.5))
        subset.push_back(r);
    // Without 1 and 3 the warden level has no neighbour to be compared with, and region 1 is not
    // whole: its median is not set against region 2's.
    EXPECT_EQ(brokenFor(subset), std::vector<std::string>{});
    for (const RunResult& r : Plays(3, 1, 10, 0.45))
        subset.push_back(r);
    EXPECT_EQ(
        brokenFor(subset),
        std::vector<std::string>{
            "position 2 (wardens): median share of the clock 30%, more than 10% below position 3's 45%"});
    for (const RunResult& r : Plays(1, 1, 10, 0.2))
        subset.push_back(r);
    for (const RunResult& r : Plays(6, 1, 10, 0.1))
        subset.push_back(r);
    const std::vector<std::string> all = brokenFor(subset);
    EXPECT_TRUE(Mentions(all, "region 2: median share of the clock 30%, not above region 1's 30%"))
        << all.size();
}

TEST(CampaignTableTest, TheTableShowsEveryKindOfPlay) {
    std::vector<RunResult> runs = Plays(1, 2, 9, 0.25);
    RunResult ring;
    ring.position = 4;
    ring.name = "ring-01.tsc";
    ring.type = 3;
    ring.won = true;
    ring.timeMs = 60000;
    ring.spells = 3;
    runs.push_back(ring);
    RunResult endless;
    endless.name = "level_endless_01.tsc";
    endless.type = 4;
    endless.timeMs = 250000;
    runs.push_back(endless);
    TableRules rules;
    const std::string table = FormatTable(SumUp(runs, {{1, 1}, {4, 1}}, rules), rules);
    EXPECT_NE(table.find("| 1 | 1 | empty board | 100 s | 9/10 | 25% | 100% |"), std::string::npos) << table;
    EXPECT_NE(table.find("| 4 | 1 | ring ring-01.tsc | 1/1 | 60 s |"), std::string::npos) << table;
    EXPECT_NE(table.find("| level_endless_01.tsc | endless | none | 250 s |"), std::string::npos) << table;
}

} // namespace
} // namespace vsm::tools
