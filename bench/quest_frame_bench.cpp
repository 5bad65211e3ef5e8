// Benchmarks of whole frames of a board level on the headless backend over the built resources:
// the busiest quest frame, and an hour of game time of endless play with its memory over time.
//
// VSM_CALLGRIND_FRAMES=n runs n busiest frames once instead of the benchmarks, with callgrind's
// instrumentation on for those frames only (bench/callgrind-frame.sh reads the count).
#include "QuestScene.h"

#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "level/TLevelManager.h"
#include "magic/TBunusManagerA.h"
#include "platform/Graphics.h"
#include "platform/Headless.h"
#include "PlacementSearch.h"

#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

// The busiest moment lasts this many frames before it is set up afresh: the cross, the burst and
// the sphere's bursts all still run at its end.
constexpr int BUSY_FRAMES = 30;

double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A figure of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
    return -1;
}

// Time is the CPU time of the game's own work for one frame (scene set-up excluded).
void BM_BusiestQuestFrame(benchmark::State& state) {
    if (!vsm::bench::LoadQuestScene("level_10.tsc", 0)) {
        state.SkipWithError("no built resources");
        return;
    }
    int frame = 0;
    double drawCalls = 0, sparks = 0, particles = 0;
    for (auto _ : state) {
        if (frame++ % BUSY_FRAMES == 0) vsm::bench::StartBusiestMoment();
        const double start = ThreadSeconds();
        vsm::bench::QuestFrame();
        state.SetIterationTime(ThreadSeconds() - start);
        const vsm::bench::FrameLoad load = vsm::bench::LastFrameLoad();
        drawCalls += load.drawCalls;
        sparks += load.sparks;
        particles += load.effectParticles;
    }
    // Averages per frame, to show the moment stays busy.
    state.counters["draw_calls"] = drawCalls / frame;
    state.counters["sparks"] = sparks / frame;
    state.counters["effect_particles"] = particles / frame;
    vsm::bench::ClearEffects();
}
BENCHMARK(BM_BusiestQuestFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);

double ProcessSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The same frame on the real backend (an 800x600 window; SDL_VIDEODRIVER=offscreen needs no
// display): the game's work and OpenGL's, until the frame is drawn (a one-pixel read-back waits
// for the renderer). The time is the CPU time of the whole process, the renderer's threads
// included; the wall time of the frame is reported beside it.
void BM_BusiestQuestFrameGl(benchmark::State& state) {
    if (!vsm::bench::LoadQuestScene("level_10.tsc", 0)) {
        state.SkipWithError("no built resources");
        return;
    }
    vsm::UseRealBackend();
    std::string error;
    if (!vsm::Graphics(800, 600, 0, 60, &error)) {
        state.SkipWithError(("no window: " + error).c_str());
        return;
    }
    // Not timed: the first frames upload every picture and have the renderer build its code for
    // each new drawing state.
    for (int i = 0; i < 2 * BUSY_FRAMES; ++i) {
        if (i % BUSY_FRAMES == 0) vsm::bench::StartBusiestMoment();
        vsm::bench::QuestFrame(nullptr, 0);
    }
    vsm::GrabPixmap(0, 0, 1, 1);
    int frame = 0;
    double wall = 0;
    for (auto _ : state) {
        if (frame++ % BUSY_FRAMES == 0) vsm::bench::StartBusiestMoment();
        const double start = ProcessSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        vsm::bench::QuestFrame(nullptr, 0);
        vsm::GrabPixmap(0, 0, 1, 1);
        state.SetIterationTime(ProcessSeconds() - start);
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    }
    state.counters["wall_us"] = wall / frame * 1e6;
    vsm::bench::ClearEffects();
    vsm::EndGraphics();
}
BENCHMARK(BM_BusiestQuestFrameGl)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One move of a scripted player: a run when one can be made, else any fitting place. False when
// the held piece fits nowhere.
bool PlayMove() {
    vsm::TBlock* piece = vsm::blocks.actualBlock.get();
    if (!piece) return true;
    std::optional<vsm::tools::Placement> move = vsm::tools::FindRunPlacement(vsm::board, *piece);
    if (!move) move = vsm::tools::FindAnyPlacement(vsm::board, *piece);
    if (!move) return false;
    vsm::blocks.direction = move->direction;
    vsm::blocks.newDir = move->direction;
    vsm::board.placeBlock(nullptr, move->x, move->y, 1);
    vsm::board.clearMatchingDavar(0);
    return true;
}

// An hour at 60 frames a second of endless play, a move every third of a second; the counters
// give the resident memory at minutes 1, 5, 30 and 60 (MB) and the peak.
void BM_EndlessHourMemory(benchmark::State& state) {
    if (!vsm::bench::LoadQuestScene("level_endless_01.tsc", 1)) {
        state.SkipWithError("no built resources");
        return;
    }
    constexpr int MINUTE = 60 * 60;
    double rss[61] = {};
    int moves = 0, restarts = 0, cleared = 0;
    for (auto _ : state) {
        for (int frame = 1; frame <= 60 * MINUTE; ++frame) {
            if (!vsm::blocks.actualBlock && vsm::bonusManagerAlt.queue.Count() == 0 &&
                !vsm::blocks.IsFreze()) {
                vsm::blocks.buildNextBlock();
                vsm::board.checkGameOver();
            }
            if (frame % 20 == 0) {
                const int before = vsm::level.matches;
                if (!PlayMove() || vsm::board.gameOver) {
                    // The lost game is started afresh, as the lose screen's new game does.
                    vsm::bench::ClearEffects();
                    vsm::level.Load(1);
                    vsm::board.createBoardImage(1);
                    vsm::blocks.actualBlock = nullptr;
                    ++restarts;
                } else {
                    ++moves;
                    cleared += vsm::level.matches - before;
                }
            }
            vsm::bench::QuestFrame();
            if (frame % MINUTE == 0) rss[frame / MINUTE] = static_cast<double>(StatusKb("VmRSS")) / 1024.0;
        }
    }
    state.counters["rss_1min_MB"] = rss[1];
    state.counters["rss_5min_MB"] = rss[5];
    state.counters["rss_30min_MB"] = rss[30];
    state.counters["rss_60min_MB"] = rss[60];
    state.counters["peak_MB"] = static_cast<double>(StatusKb("VmHWM")) / 1024.0;
    state.counters["moves"] = moves;
    state.counters["clearing_moves"] = cleared;
    state.counters["new_games"] = restarts;
    if (std::getenv("VSM_MEMORY_LOG")) {
        for (int m = 1; m <= 60; ++m)
            std::printf("minute %2d: %.1f MB\n", m, rss[m]);
    }
    vsm::bench::ClearEffects();
}
BENCHMARK(BM_EndlessHourMemory)->Iterations(1)->Unit(benchmark::kSecond);

int CallgrindFrames(int frames) {
    if (!vsm::bench::LoadQuestScene("level_10.tsc", 0)) {
        std::fprintf(stderr, "no built resources\n");
        return 1;
    }
    for (int frame = 0; frame < frames; ++frame) {
        if (frame % BUSY_FRAMES == 0) vsm::bench::StartBusiestMoment();
        CALLGRIND_TOGGLE_COLLECT;
        vsm::bench::QuestFrame();
        CALLGRIND_TOGGLE_COLLECT;
    }
    std::printf("%d frames\n", frames);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const char* frames = std::getenv("VSM_CALLGRIND_FRAMES")) return CallgrindFrames(std::atoi(frames));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
