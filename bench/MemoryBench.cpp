// How much memory a loaded document keeps per object: 100,000 objects of every
// kind, saved as the program saves and loaded back. The figures are counters,
// not times: `heap_per_object` is what the allocator hands out and does not
// get back while the paper lives, the steady figure; `rss_per_object` the
// growth of resident memory on the first load, only indicative here, since
// this process made and saved the document first. bench/README.md has the
// window program's own figure. The goal is at most 350 bytes an object.

#include "BenchDocument.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "platform/Memory.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kObjectCount = 100000;
constexpr int kPaperSide = 32736;

std::string MemoryBenchFilePath() {
    return (std::filesystem::temp_directory_path() / "tessellon_memory_100k.tsln").string();
}

// Bytes in use by the allocator, from small and mapped blocks alike.
double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

// Resident memory of this process in bytes, from /proc/self/status.
double ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) * 1024.0;
        }
    }
    return 0.0;
}

void BM_MemoryPerLoadedObject(benchmark::State& state) {
    // As the program does from its start.
    KeepLargeBlocksMapped();
    {
        Paper paper;
        paper.SetSize(kPaperSide, kPaperSide);
        Populate(paper, {0, 0, kPaperSide, kPaperSide}, kObjectCount);
        if (!SavePaper(paper, MemoryBenchFilePath())) {
            state.SkipWithError("save failed");
            return;
        }
    }
    malloc_trim(0);
    double heapGrowth = 0.0;
    double residentGrowth = 0.0;
    bool first = true;
    for (auto _ : state) {
        const double heapBefore = HeapInUse();
        const double residentBefore = ResidentBytes();
        Paper paper;
        if (!LoadPaper(paper, MemoryBenchFilePath())) {
            state.SkipWithError("load failed");
            break;
        }
        heapGrowth = HeapInUse() - heapBefore;
        if (first) {
            residentGrowth = ResidentBytes() - residentBefore;
            first = false;
        }
        benchmark::DoNotOptimize(paper.objects.size());
    }
    state.counters["heap_per_object"] = heapGrowth / kObjectCount;
    state.counters["rss_per_object"] = residentGrowth / kObjectCount;
    std::remove(MemoryBenchFilePath().c_str());
}
BENCHMARK(BM_MemoryPerLoadedObject)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
