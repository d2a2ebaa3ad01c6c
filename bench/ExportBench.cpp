// How long exporting a letter paper of 5,000 objects as a PNG takes, drawing
// and encoding together. The goal is 100 ms.

#include "BenchDocument.h"
#include "app/Editor.h"
#include "document/Paper.h"
#include "view/PaperPng.h"
#include "view/PaperView.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kLetterObjectCount = 5000;

void BM_ExportLetter(benchmark::State& state) {
    BenchDrawingSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {kDefaultPaperWidth, kDefaultPaperHeight});
    paper.SetSize(kDefaultPaperWidth, kDefaultPaperHeight);
    Populate(paper, {0, 0, kDefaultPaperWidth, kDefaultPaperHeight}, kLetterObjectCount);
    const std::string path =
        (std::filesystem::temp_directory_path() / "tessellon_bench_letter.png").string();
    for (auto _ : state) {
        if (!WritePaperPng(view, true, path)) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ExportLetter)->Unit(benchmark::kMillisecond);

} // namespace
