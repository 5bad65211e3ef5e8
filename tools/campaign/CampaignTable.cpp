// CampaignTable: medians, the printed table and the campaign's rules.
#include "CampaignTable.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <cstdarg>
#include <cstdio>

namespace vsm::tools {

namespace {

template <typename T> T Median(std::vector<T> values) {
    if (values.empty()) return T{};
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : static_cast<T>((values[n / 2 - 1] + values[n / 2]) / 2);
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

const char* GoalName(int goal) {
    switch (goal) {
    case 1:
        return "sphere";
    case 2:
        return "empty board";
    case 3:
        return "wardens";
    default:
        return "none";
    }
}

std::string Percent(double share) {
    return Format("%.0f%%", share * 100.0);
}

bool IsBoard(const PositionRow& row) {
    return row.type == 1;
}

bool IsMiniGame(const PositionRow& row) {
    return row.type == 2 || row.type == 3;
}

// How a play ended when it gave no result of its own, or "" when it did.
const char* Failure(const std::string& end) {
    if (end == "crashed") return "crashed or gave no result";
    if (end == "stuck") return "did not close when asked";
    if (end == "limit") return "ran past the frame limit";
    return "";
}

// Wins needed of n runs.
int WinsNeeded(int runs, double share) {
    return static_cast<int>(std::ceil(share * runs - 1e-9));
}

} // namespace

std::vector<PositionRow> SumUp(const std::vector<RunResult>& runs, const std::map<int, int>& region,
                               const TableRules& rules) {
    std::vector<PositionRow> rows;
    std::vector<std::vector<const RunResult*>> runsOf;
    for (const RunResult& r : runs) {
        size_t k = 0;
        while (k < rows.size() &&
               !(rows[k].position == r.position && rows[k].name == r.name && rows[k].type == r.type))
            ++k;
        if (k == rows.size()) {
            PositionRow row;
            row.position = r.position;
            row.name = r.name;
            row.type = r.type;
            row.goal = r.goal;
            row.clockMs = r.clockMs;
            auto it = region.find(r.position);
            row.region = it == region.end() ? 0 : it->second;
            rows.push_back(row);
            runsOf.emplace_back();
        }
        runsOf[k].push_back(&r);
    }
    for (size_t k = 0; k < rows.size(); ++k) {
        PositionRow& row = rows[k];
        std::vector<double> shares, times;
        std::vector<int> scores, placements, spells;
        for (const RunResult* r : runsOf[k]) {
            ++row.runs;
            const int64_t clock = row.clockMs > 0 ? row.clockMs : rules.patienceMs;
            const std::string failure = Failure(r->end);
            if (!failure.empty())
                row.brokenPlays.push_back(
                    Format("seed %u %s", static_cast<unsigned>(r->seed), failure.c_str()));
            // A ring stage always runs its whole clock: done is a spell paid before it ran out.
            const bool won = r->won && failure.empty() && (row.type == 3 || r->timeMs <= clock);
            row.wins += won ? 1 : 0;
            shares.push_back(won ? std::min(1.0, static_cast<double>(r->timeMs) / static_cast<double>(clock))
                                 : 1.0);
            times.push_back(static_cast<double>(r->timeMs) / 1000.0);
            scores.push_back(r->score);
            placements.push_back(r->placements);
            spells.push_back(r->spells);
            if (won && r->placements == 0) row.wonWithoutPlacement = true;
            if (won && (row.earliestWinMs < 0 || r->timeMs < row.earliestWinMs))
                row.earliestWinMs = r->timeMs;
        }
        row.shareMedian = Median(shares);
        row.shareWorst = shares.empty() ? 0 : *std::max_element(shares.begin(), shares.end());
        row.timeMedianS = Median(times);
        row.timeWorstS = times.empty() ? 0 : *std::min_element(times.begin(), times.end());
        row.scoreMedian = Median(scores);
        row.placementsMedian = Median(placements);
        row.spellsMedian = Median(spells);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PositionRow& a, const PositionRow& b) {
        const bool aq = a.position == 0, bq = b.position == 0;
        if (aq != bq) return bq;
        return !aq && a.position < b.position;
    });
    return rows;
}

std::map<int, double> RegionShares(const std::vector<PositionRow>& rows) {
    std::map<int, std::vector<double>> shares;
    for (const PositionRow& row : rows)
        if (IsBoard(row) && row.position > 0) shares[row.region].push_back(row.shareMedian);
    std::map<int, double> medians;
    for (const auto& [region, values] : shares)
        medians[region] = Median(values);
    return medians;
}

std::string FormatTable(const std::vector<PositionRow>& rows, const TableRules& rules) {
    std::string out;
    out += "| pos | region | goal | clock | won | clock used, median | worst | score, median | pieces, "
           "median |\n";
    out += "|---:|---:|---|---:|---:|---:|---:|---:|---:|\n";
    for (const PositionRow& row : rows) {
        if (!IsBoard(row) || row.position == 0) continue;
        const std::string clock = row.clockMs > 0
                                      ? Format("%lld s", static_cast<long long>(row.clockMs / 1000))
                                      : Format("(%lld s)", static_cast<long long>(rules.patienceMs / 1000));
        out += Format("| %d | %d | %s | %s | %d/%d | %s | %s | %d | %d |\n", row.position, row.region,
                      GoalName(row.goal), clock.c_str(), row.wins, row.runs, Percent(row.shareMedian).c_str(),
                      Percent(row.shareWorst).c_str(), row.scoreMedian, row.placementsMedian);
    }
    out += "\n| region | board positions | clock used, median of the positions' medians |\n";
    out += "|---:|---:|---:|\n";
    const std::map<int, double> regions = RegionShares(rows);
    for (const auto& [region, share] : regions) {
        const long n = std::count_if(rows.begin(), rows.end(), [region = region](const PositionRow& r) {
            return IsBoard(r) && r.region == region;
        });
        out += Format("| %d | %ld | %s |\n", region, n, Percent(share).c_str());
    }
    bool games = false;
    for (const PositionRow& row : rows) {
        if (row.type != 2 && row.type != 3) continue;
        if (!games) {
            out += "\n| pos | region | stage | done | time, median | score, median | clicks or runes found, "
                   "median | "
                   "spells won, median |\n";
            out += "|---:|---:|---|---:|---:|---:|---:|---:|\n";
            games = true;
        }
        out += Format("| %d | %d | %s %s | %d/%d | %.0f s | %d | %d | %s |\n", row.position, row.region,
                      row.type == 2 ? "puzzle" : "ring", row.name.c_str(), row.wins, row.runs,
                      row.timeMedianS, row.scoreMedian, row.placementsMedian,
                      row.type == 3 ? Format("%d", row.spellsMedian).c_str() : "");
    }
    bool quick = false;
    for (const PositionRow& row : rows) {
        if (row.type != 4 && row.type != 5) continue;
        if (!quick) {
            out +=
                "\n| board | game | clock | survival, median | shortest | score, median | pieces, median |\n";
            out += "|---|---|---:|---:|---:|---:|---:|\n";
            quick = true;
        }
        out += Format("| %s | %s | %s | %.0f s | %.0f s | %d | %d |\n", row.name.c_str(),
                      row.type == 4 ? "endless" : "time attack",
                      row.clockMs > 0 ? Format("%lld s", static_cast<long long>(row.clockMs / 1000)).c_str()
                                      : "none",
                      row.timeMedianS, row.timeWorstS, row.scoreMedian, row.placementsMedian);
    }
    return out;
}

std::vector<std::string> BrokenRules(const std::vector<PositionRow>& rows, const std::map<int, int>& regionOf,
                                     const TableRules& rules) {
    std::vector<std::string> broken;
    for (const PositionRow& row : rows) {
        const std::string who = row.position > 0 ? Format("position %d", row.position) : row.name;
        for (const std::string& play : row.brokenPlays)
            broken.push_back(who + ": " + play);
    }
    for (const PositionRow& row : rows) {
        if (!IsMiniGame(row) || row.position == 0) continue;
        const int needed = WinsNeeded(row.runs, rules.winShare);
        if (row.wins < needed)
            broken.push_back(Format("position %d (%s %s): %s in %d of %d seeds, needs %d", row.position,
                                    row.type == 2 ? "puzzle" : "ring", row.name.c_str(),
                                    row.type == 2 ? "put together" : "paid a spell", row.wins, row.runs,
                                    needed));
    }
    std::vector<const PositionRow*> boards;
    for (const PositionRow& row : rows)
        if (IsBoard(row) && row.position > 0) boards.push_back(&row);
    for (const PositionRow* row : boards) {
        const int needed = WinsNeeded(row->runs, rules.winShare);
        if (row->wins < needed)
            broken.push_back(Format("position %d: won in %d of %d seeds, needs %d", row->position, row->wins,
                                    row->runs, needed));
        if (row->wonWithoutPlacement)
            broken.push_back(Format("position %d: won without a placement", row->position));
        if (row->earliestWinMs >= 0 && row->earliestWinMs < rules.earliestWinMs)
            broken.push_back(Format("position %d: won after %.1f s", row->position,
                                    static_cast<double>(row->earliestWinMs) / 1000.0));
    }
    // A subset of the campaign judges only what it played whole: the regions all of whose board
    // positions it played, and the warden levels whose neighbouring boards it played.
    auto played = [&](int position) {
        return std::any_of(boards.begin(), boards.end(),
                           [&](const PositionRow* r) { return r->position == position; });
    };
    auto whole = [&](int region) {
        for (int position : rules.campaignBoards) {
            auto it = regionOf.find(position);
            if (it != regionOf.end() && it->second == region && !played(position)) return false;
        }
        return true;
    };
    std::map<int, double> regions;
    for (const auto& [region, share] : RegionShares(rows))
        if (whole(region)) regions[region] = share;
    for (auto it = regions.begin(); it != regions.end() && std::next(it) != regions.end(); ++it) {
        const auto next = std::next(it);
        if (!(next->second > it->second))
            broken.push_back(Format("region %d: median share of the clock %s, not above region %d's %s",
                                    next->first, Percent(next->second).c_str(), it->first,
                                    Percent(it->second).c_str()));
    }
    for (const PositionRow* warden : boards) {
        if (warden->goal != 3) continue;
        // The board positions just before and after it in the campaign (in the played rows when
        // the campaign's list is not given).
        int before = 0, after = 0;
        const std::set<int>& all = rules.campaignBoards;
        if (!all.empty()) {
            auto it = all.find(warden->position);
            if (it != all.end() && it != all.begin()) before = *std::prev(it);
            if (it != all.end() && std::next(it) != all.end()) after = *std::next(it);
        } else {
            for (const PositionRow* r : boards) {
                if (r->position < warden->position) before = r->position;
                if (r->position > warden->position && after == 0) after = r->position;
            }
        }
        for (int side : {before, after}) {
            auto neighbour = std::find_if(boards.begin(), boards.end(),
                                          [&](const PositionRow* r) { return r->position == side; });
            if (side == 0 || neighbour == boards.end()) continue;
            if (warden->shareMedian < (*neighbour)->shareMedian - rules.wardenTolerance)
                broken.push_back(Format("position %d (wardens): median share of the clock %s, more than %s "
                                        "below position %d's %s",
                                        warden->position, Percent(warden->shareMedian).c_str(),
                                        Percent(rules.wardenTolerance).c_str(), side,
                                        Percent((*neighbour)->shareMedian).c_str()));
        }
    }
    return broken;
}

} // namespace vsm::tools
