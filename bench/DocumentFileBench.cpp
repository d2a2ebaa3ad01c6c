// How long saving and loading a large document take: 100,000 objects of every
// kind on a 341 x 341 in paper, saved compressed as the program saves.

#include "BenchDocument.h"
#include "document/Paper.h"
#include "document/PaperFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kLargeObjectCount = 100000;
constexpr int kLargePaperSide = 32736; // 341 inches at 96 pixels an inch

std::string BenchFilePath() {
    return (std::filesystem::temp_directory_path() / "tessellon_bench_100k.tsln").string();
}

void MakeLargePaper(Paper& paper) {
    paper.SetSize(kLargePaperSide, kLargePaperSide);
    Populate(paper, {0, 0, kLargePaperSide, kLargePaperSide}, kLargeObjectCount);
}

void BM_Save100k(benchmark::State& state) {
    Paper paper;
    MakeLargePaper(paper);
    const std::string path = BenchFilePath();
    for (auto _ : state) {
        if (!SavePaper(paper, path)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::remove(path.c_str());
}
BENCHMARK(BM_Save100k)->Unit(benchmark::kMillisecond);

void BM_Load100k(benchmark::State& state) {
    {
        Paper paper;
        MakeLargePaper(paper);
        SavePaper(paper, BenchFilePath());
    }
    for (auto _ : state) {
        Paper paper;
        if (!LoadPaper(paper, BenchFilePath())) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(paper.objects.size());
    }
    std::remove(BenchFilePath().c_str());
}
BENCHMARK(BM_Load100k)->Unit(benchmark::kMillisecond);

} // namespace
