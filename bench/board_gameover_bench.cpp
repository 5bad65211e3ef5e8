// Benchmark: the game-over search over a nearly full board, where no fit is found until the
// last origin (the worst case some game loops pay once a frame).
#include "board/TBlocksManager.h"
#include "board/TBoardManager.h"
#include "platform/Headless.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_GameOverWorstCase(benchmark::State& state) {
    vsm::UseHeadlessBackend();
    vsm::ResetBoardGlobals();
    for (int x = 0; x < 15; ++x)
        for (int y = 0; y < 15; ++y)
            vsm::board.davarLayer[x][y] = (x + y) % 2 == 0 ? 1 : 0;
    auto piece = std::make_shared<vsm::TBlock>();
    piece->Set[0][0] = piece->Set[1][0] = piece->Set[0][1] = 1; // needs two side-by-side empties
    vsm::blocks.actualBlock = piece;
    for (auto _ : state) {
        vsm::board.checkGameOver();
        benchmark::DoNotOptimize(vsm::board.gameOver);
    }
    vsm::ResetBoardGlobals();
}
BENCHMARK(BM_GameOverWorstCase)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
