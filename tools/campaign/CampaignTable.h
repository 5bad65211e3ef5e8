// CampaignTable: the campaign player's runs gathered per position into the table of the shipped
// campaign (win rate, share of the clock used, score, placements), the medians per region, and
// the rules the shipped campaign must meet.
#pragma once

#include "CampaignRun.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vsm::tools {

// The rules' figures.
struct TableRules {
    // Share of the seeds a board position must be won in, and a puzzle or ring stage done in.
    double winShare = 0.8;
    // A win earlier than this (ms of the level clock) is too quick to be a level.
    int64_t earliestWinMs = 10000;
    // The clock of a board without one: the player's patience; a level not won in it is not won.
    int64_t patienceMs = 600000;
    // How far a warden level's median share of the clock may fall below a neighbouring board's
    // before the rise counts as broken: a warden level's plays spread from a quick win to the
    // whole clock, and over 30 seeds its median moves by up to 10 points from one set of seeds to
    // the next (a plain board's by 1 to 3).
    double wardenTolerance = 0.10;
    // The campaign's board positions, when known: a warden level is compared with the boards
    // before and after it in the campaign, and a region is judged only when all of its boards
    // were played.
    std::set<int> campaignBoards;
};

// One position's (or quick board's) runs, summed up.
struct PositionRow {
    int position = 0;
    std::string name;
    int type = 0;
    int goal = 0;
    int region = 0;
    int64_t clockMs = 0; // the level's own clock, 0 for none
    int runs = 0;
    int wins = 0;
    double shareMedian = 0; // share of the clock (or the patience) used; a run not won counts 1
    double shareWorst = 0;
    double timeMedianS = 0;
    double timeWorstS = 0; // quick play: the shortest game
    int scoreMedian = 0;
    int placementsMedian = 0;
    int spellsMedian = 0;
    bool wonWithoutPlacement = false;
    int64_t earliestWinMs = -1;
    // The plays that gave no result of their own: "seed S: <how it ended>", in the runs' order.
    std::vector<std::string> brokenPlays;
};

// The runs summed up per position (then per quick board, in the order first met); region maps
// a campaign position to its region (stage of the map).
std::vector<PositionRow> SumUp(const std::vector<RunResult>& runs, const std::map<int, int>& region,
                               const TableRules& rules);

// The medians of the board positions' median shares, per region.
std::map<int, double> RegionShares(const std::vector<PositionRow>& rows);

// The table as text: the board positions, the regions, the mini-games and the quick boards.
std::string FormatTable(const std::vector<PositionRow>& rows, const TableRules& rules);

// One line per broken rule: a play that crashed, did not close or ran past the frame limit; a
// board position won (a puzzle or ring stage done) in fewer than the rules' share of its seeds; a
// board won without a placement or too early; a region whose median share is not above the region
// before it; a warden level whose median share falls below a board position beside it by more
// than the tolerance.
// regionOf maps a campaign position to its region.
std::vector<std::string> BrokenRules(const std::vector<PositionRow>& rows, const std::map<int, int>& regionOf,
                                     const TableRules& rules);

} // namespace vsm::tools
