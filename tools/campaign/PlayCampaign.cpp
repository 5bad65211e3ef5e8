// vsm_play_campaign: plays the shipped campaign with the campaign player, every position over
// several seeds, and prints the table of win rates, shares of the clock used, scores and
// placements, with the rules the campaign must meet.
//
// Usage: vsm_play_campaign [--resources DIR] [--seeds N] [--first-seed S] [--positions LIST]
//                          [--quick] [--think MS] [--patience S] [--limit S] [--jobs N] [--check]
//                          [--trace]
// LIST is a comma-separated list of positions and ranges (1-9,24,48); every position by default.
// --quick adds the endless and time-attack boards. --check exits 1 when a rule is broken.
// --limit is the game time after which a play that has not ended counts as broken (the patience
// and 900 s by default).
// --trace prints the board after every piece (one run at a time).
#include "CampaignRun.h"
#include "CampaignTable.h"

#include "data/BBArchive.h"
#include "data/TTSCFile.h"
#include "services/Paths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using vsm::tools::RunResult;

struct Arguments {
    std::string resources = VSM_RESOURCES_DIR_DEFAULT;
    int seeds = 10;
    uint32_t firstSeed = 1;
    std::string positions;
    bool quick = false;
    int thinkMs = 1500;
    int patienceS = 600;
    int limitS = 0; // 0: the patience and 900 s
    int jobs = 1;
    bool check = false;
    bool trace = false;
};

bool Parse(int argc, char** argv, Arguments& a) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--quick") {
            a.quick = true;
        } else if (arg == "--check") {
            a.check = true;
        } else if (arg == "--trace") {
            a.trace = true;
        } else if (arg == "--resources" && hasValue) {
            a.resources = argv[++i];
            if (!a.resources.empty() && a.resources.back() != '/') a.resources += '/';
        } else if (arg == "--seeds" && hasValue) {
            a.seeds = std::atoi(argv[++i]);
        } else if (arg == "--first-seed" && hasValue) {
            a.firstSeed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--positions" && hasValue) {
            a.positions = argv[++i];
        } else if (arg == "--think" && hasValue) {
            a.thinkMs = std::atoi(argv[++i]);
        } else if (arg == "--patience" && hasValue) {
            a.patienceS = std::atoi(argv[++i]);
        } else if (arg == "--limit" && hasValue) {
            a.limitS = std::atoi(argv[++i]);
        } else if (arg == "--jobs" && hasValue) {
            a.jobs = std::max(1, std::atoi(argv[++i]));
        } else {
            return false;
        }
    }
    if (a.limitS == 0) a.limitS = a.patienceS + 900;
    return a.seeds > 0 && a.thinkMs >= 0 && a.patienceS > 0 && a.limitS > 0;
}

// The positions of a list like "1-9,24,48" that lie in first..last; every one for "".
std::vector<int> Positions(const std::string& list, int first, int last) {
    std::vector<int> out;
    if (list.empty()) {
        for (int p = first; p <= last; ++p)
            out.push_back(p);
        return out;
    }
    std::stringstream items(list);
    std::string item;
    while (std::getline(items, item, ',')) {
        const size_t dash = item.find('-', 1);
        const int from = std::atoi(item.substr(0, dash).c_str());
        const int to = dash == std::string::npos ? from : std::atoi(item.substr(dash + 1).c_str());
        for (int p = std::max(from, first); p <= std::min(to, last); ++p)
            out.push_back(p);
    }
    return out;
}

// Each campaign position's region: the stage of its map marker.
std::map<int, int> Regions(const std::string& resources) {
    std::map<int, int> region;
    auto doc = vsm::CreateTSCFile();
    if (vsm::LoadTSCFileBB(doc, resources + "data/settings_lp.bca", "map.tsc") == 0) return region;
    for (const auto& group : vsm::GetTSCGroupList(doc, "Levels")) {
        const std::string path = "Levels::" + group->Name;
        region[static_cast<int>(vsm::GetTSCNumberKey(doc, path, "Number", 0))] =
            static_cast<int>(vsm::GetTSCNumberKey(doc, path, "Stage", 0));
    }
    return region;
}

// One play to do: a campaign position, or a quick board (position 0).
struct Job {
    int position = 0;
    std::string quickBoard;
    bool timed = false;
    uint32_t seed = 0;
};

// The quick boards of the two lists, in list order.
std::vector<std::pair<std::string, bool>> QuickBoards(const std::string& resources) {
    std::vector<std::pair<std::string, bool>> boards;
    for (const auto& [list, timed] :
         {std::pair{"endlessLevels.tsc", false}, std::pair{"timedLevels.tsc", true}}) {
        auto doc = vsm::CreateTSCFile();
        if (vsm::LoadTSCFileBB(doc, resources + "data/settings_lp.bca", list) == 0) continue;
        for (const auto& group : vsm::GetTSCGroupList(doc, ""))
            boards.emplace_back(vsm::GetTSCStringKey(doc, group->Name, "FileName", 0), timed);
    }
    return boards;
}

// A result as one line of text between the worker processes and the table, and back.
std::string Line(size_t job, const RunResult& r) {
    std::ostringstream out;
    out << job << '\t' << r.position << '\t' << r.type << '\t' << r.goal << '\t' << r.seed << '\t' << r.won
        << '\t' << r.timeMs << '\t' << r.clockMs << '\t' << r.score << '\t' << r.placements << '\t'
        << r.spells << '\t' << r.end << '\t' << r.name << '\n';
    return out.str();
}

bool FromLine(const std::string& line, size_t& job, RunResult& r) {
    std::istringstream in(line);
    int won = 0;
    if (!(in >> job >> r.position >> r.type >> r.goal >> r.seed >> won >> r.timeMs >> r.clockMs >> r.score >>
          r.placements >> r.spells >> r.end >> r.name))
        return false;
    r.won = won != 0;
    return true;
}

RunResult Play(const Job& job, const vsm::tools::RunOptions& options) {
    return job.position > 0 ? vsm::tools::PlayPosition(job.position, job.seed, options)
                            : vsm::tools::PlayQuickBoard(job.quickBoard, job.timed, job.seed, options);
}

// Plays each job in a process of its own, forked from this one with the game up and untouched,
// so that a play depends on nothing but its position (or board) and seed; at most `workers` run
// at once. Returns the results in the jobs' order; each is also written to standard error as it
// comes.
std::vector<RunResult> PlayAll(const std::vector<Job>& jobs, int workers,
                               const vsm::tools::RunOptions& options, const std::string& userFolder) {
    std::vector<RunResult> results(jobs.size());
    std::map<pid_t, std::pair<size_t, int>> running; // child: job, read end of its pipe
    size_t next = 0;
    while (next < jobs.size() || !running.empty()) {
        while (static_cast<int>(running.size()) < workers && next < jobs.size()) {
            int fd[2];
            if (pipe(fd) != 0) break;
            const size_t job = next++;
            const pid_t child = fork();
            if (child == 0) {
                close(fd[0]);
                // The game's own diagnostic lines would bury the trace or the table.
                if (!options.trace && !std::freopen("/dev/null", "w", stdout)) _exit(1);
                vsm::tools::UseUserFolder(userFolder + "/play-" + std::to_string(job));
                const std::string line = Line(job, Play(jobs[job], options));
                std::fflush(stdout);
                // One short line fits the pipe's buffer: the write never waits for the reader.
                if (write(fd[1], line.data(), line.size()) < 0) _exit(1);
                _exit(0);
            }
            close(fd[1]);
            if (child < 0) {
                close(fd[0]);
                break;
            }
            running[child] = {job, fd[0]};
        }
        if (running.empty()) break;
        int status = 0;
        const pid_t done = waitpid(-1, &status, 0);
        auto it = running.find(done);
        if (it == running.end()) continue;
        const auto [job, in] = it->second;
        running.erase(it);
        std::string line;
        char buffer[512];
        for (ssize_t n; (n = read(in, buffer, sizeof buffer)) > 0;)
            line.append(buffer, static_cast<size_t>(n));
        close(in);
        size_t index = 0;
        RunResult r;
        if (FromLine(line, index, r) && index == job) {
            results[job] = r;
        } else {
            // A play that died or reported nothing: a broken rule of its position or board.
            results[job].position = jobs[job].position;
            results[job].seed = jobs[job].seed;
            results[job].type = jobs[job].position > 0 ? vsm::tools::PositionType(jobs[job].position)
                                                       : (jobs[job].timed ? 5 : 4);
            results[job].name =
                jobs[job].position > 0 ? vsm::tools::PositionName(jobs[job].position) : jobs[job].quickBoard;
            results[job].end = "crashed";
        }
        std::fputs(Line(job, results[job]).c_str(), stderr);
    }
    return results;
}

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!Parse(argc, argv, args)) {
        std::fprintf(stderr,
                     "usage: vsm_play_campaign [--resources DIR] [--seeds N] [--first-seed S] "
                     "[--positions LIST] [--quick] [--think MS] [--patience S] [--limit S] [--jobs N] "
                     "[--check] [--trace]\n");
        return 2;
    }
    const std::string scratch =
        (std::filesystem::temp_directory_path() / ("vsm-campaign-" + std::to_string(getpid()))).string();
    {
        // The game's start-up prints its own lines: keep them out of the table.
        std::fflush(stdout);
        const int kept = dup(STDOUT_FILENO);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) dup2(quiet, STDOUT_FILENO);
        const bool started = vsm::tools::StartCampaignGame(args.resources, scratch);
        std::fflush(stdout);
        if (kept >= 0) dup2(kept, STDOUT_FILENO);
        if (quiet >= 0) close(quiet);
        if (kept >= 0) close(kept);
        if (!started) return 2;
    }

    vsm::tools::RunOptions options;
    options.thinkFrames = args.thinkMs * 60 / 1000;
    options.capMs = static_cast<int64_t>(args.patienceS) * 1000;
    options.limitFrames = static_cast<int64_t>(args.limitS) * 60;
    options.trace = args.trace;

    std::vector<Job> jobs;
    for (int position : Positions(args.positions, vsm::tools::FirstPosition(), vsm::tools::LastPosition()))
        for (int s = 0; s < args.seeds; ++s)
            jobs.push_back(Job{position, "", false, args.firstSeed + static_cast<uint32_t>(s)});
    if (args.quick)
        for (const auto& [board, timed] : QuickBoards(args.resources))
            for (int s = 0; s < args.seeds; ++s)
                jobs.push_back(Job{0, board, timed, args.firstSeed + static_cast<uint32_t>(s)});

    const std::vector<RunResult> results = PlayAll(jobs, args.trace ? 1 : args.jobs, options, scratch);
    std::filesystem::remove_all(scratch);

    vsm::tools::TableRules rules;
    rules.patienceMs = options.capMs;
    for (int p = vsm::tools::FirstPosition(); p <= vsm::tools::LastPosition(); ++p)
        if (vsm::tools::PositionType(p) == 1) rules.campaignBoards.insert(p);
    const std::map<int, int> regions = Regions(args.resources);
    const std::vector<vsm::tools::PositionRow> rows = vsm::tools::SumUp(results, regions, rules);
    std::printf(
        "Campaign player: %d seeds from %u, %d ms to think about each piece, %d s of patience where a "
        "board has no clock.\n\n%s\n",
        args.seeds, args.firstSeed, args.thinkMs, args.patienceS,
        vsm::tools::FormatTable(rows, rules).c_str());
    const std::vector<std::string> broken = vsm::tools::BrokenRules(rows, regions, rules);
    for (const std::string& line : broken)
        std::printf("rule broken: %s\n", line.c_str());
    std::printf("%zu broken campaign rule%s\n", broken.size(), broken.size() == 1 ? "" : "s");
    return args.check && !broken.empty() ? 1 : 0;
}
