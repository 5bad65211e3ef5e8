// Benchmark: TSC load (lex + parse) and save throughput on a large generated document.
#include "BenchDocument.h"
#include "data/TTSCFile.h"

#include <benchmark/benchmark.h>

namespace {

void BM_TscLoad(benchmark::State& state) {
    const std::string text = vsm::bench::LargeDocument(static_cast<size_t>(state.range(0)));
    vsm::TTSCFile doc;
    for (auto _ : state) {
        doc.LoadFromText(text);
        benchmark::DoNotOptimize(doc.KeyList.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
    state.counters["keys"] = static_cast<double>(doc.KeyList.size());
}
BENCHMARK(BM_TscLoad)->Arg(64 << 10)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

void BM_TscSave(benchmark::State& state) {
    vsm::TTSCFile doc;
    doc.LoadFromText(vsm::bench::LargeDocument(static_cast<size_t>(state.range(0))));
    size_t bytes = 0;
    for (auto _ : state) {
        std::string saved = doc.SavedText();
        bytes = saved.size();
        benchmark::DoNotOptimize(saved.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_TscSave)->Arg(64 << 10)->Arg(4 << 20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
