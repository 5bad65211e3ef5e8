// Benchmark: start-up from the first step to the first title frame over the built resources,
// with every shared asset loaded. It runs on the headless backend, whose virtual clock lets the
// loading screen's timed end effect pass without waiting, so it measures the work of start-up:
// creating the managers, reading the documents, decoding every picture and font, drawing the
// loading frames.
#include "platform/Headless.h"
#include "platform/System.h"
#include "shell/ShellScreens.h"
#include "shell/StartUp.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct TitleReached {};

void BM_StartUpToTitle(benchmark::State& state) {
    if (!std::getenv("VSM_RESOURCES")) setenv("VSM_RESOURCES", VSM_BUILT_RESOURCES, 1);
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "vsm_bench_startup";
    setenv("XDG_DATA_HOME", home.c_str(), 1);
    vsm::shellScreens.titleShow = []() -> int { throw TitleReached{}; };
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove_all(home);
        vsm::HeadlessBackendControl& control = vsm::UseHeadlessBackend();
        control.SetScript(std::vector<vsm::FrameInput>(5000));
        state.ResumeTiming();
        try {
            vsm::StartUp();
            vsm::shellScreens.titleShow();
        } catch (const TitleReached&) {
        }
        state.PauseTiming();
        control.ClearDrawLog();
        control.ClearSoundLog();
        vsm::OnEnd(nullptr);
        state.ResumeTiming();
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_StartUpToTitle)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
