// Benchmark: archive entry unpacking throughput, alone and with the document load after it.
#include "BBWriter.h"
#include "BenchDocument.h"
#include "data/BBArchive.h"

#include <benchmark/benchmark.h>

#include <map>

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

// The packed document of a size, made once: the benchmark library calls each function several times.
const std::vector<uint8_t>& PackedDocument(size_t bytes, size_t& textSize) {
    static std::map<size_t, std::pair<size_t, std::vector<uint8_t>>> cache;
    auto it = cache.find(bytes);
    if (it == cache.end()) {
        std::string text = vsm::bench::LargeDocument(bytes);
        it = cache.emplace(bytes, std::make_pair(text.size(), vsm::tools::PackEntry(Bytes(text)))).first;
    }
    textSize = it->second.first;
    return it->second.second;
}

void BM_Unpack(benchmark::State& state) {
    size_t textSize = 0;
    const std::vector<uint8_t>& entry = PackedDocument(static_cast<size_t>(state.range(0)), textSize);
    std::vector<uint8_t> out;
    for (auto _ : state) {
        if (!vsm::UnpackBBEntry(entry.data(), entry.size(), out)) state.SkipWithError("unpack failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(textSize));
    state.counters["passes"] = entry[4];
    state.counters["ratio"] = static_cast<double>(textSize) / static_cast<double>(entry.size());
}
BENCHMARK(BM_Unpack)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_LoadFromArchive(benchmark::State& state) {
    size_t textSize = 0;
    const std::vector<uint8_t>& entry = PackedDocument(static_cast<size_t>(state.range(0)), textSize);
    const std::vector<uint8_t> archive = vsm::tools::BuildArchive(
        {{"other.tsc.bbc", vsm::tools::PackEntry(Bytes("a{b=1}\n"))}, {"level.tsc.bbc", entry}});
    vsm::TTSCFilePtr doc = vsm::CreateTSCFile();
    for (auto _ : state) {
        if (!vsm::LoadTSCFileBBFromMemory(doc, archive.data(), archive.size(), "level.tsc"))
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(textSize));
}
BENCHMARK(BM_LoadFromArchive)->Arg(64 << 10)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
