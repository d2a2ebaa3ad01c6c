// How long exporting a letter paper of 5,000 objects takes, drawing and
// encoding together. The goals are 100 ms for a PNG and 500 ms for a PDF.

#include "BenchDocument.h"
#include "app/Editor.h"
#include "document/Paper.h"
#include "view/PaperPng.h"
#include "view/PaperVector.h"
#include "view/PaperView.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int kLetterObjectCount = 5000;

// The PNG, PDF and SVG of the paper, the vector files with the drawing font
// embedded.
void BM_ExportLetter(benchmark::State& state) {
    BenchDrawingSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {kDefaultPaperWidth, kDefaultPaperHeight});
    paper.SetSize(kDefaultPaperWidth, kDefaultPaperHeight);
    Populate(paper, {0, 0, kDefaultPaperWidth, kDefaultPaperHeight}, kLetterObjectCount);
    std::ifstream fontFile(BenchResourcePath("fonts/cad.ttf"), std::ios::binary);
    const std::vector<uint8_t> font{std::istreambuf_iterator<char>(fontFile),
                                    std::istreambuf_iterator<char>()};
    const auto format = static_cast<ExportFormat>(state.range(0));
    const std::string path =
        (std::filesystem::temp_directory_path() /
         (std::string("tessellon_bench_letter") + ExportFormatExtension(format)))
            .string();
    for (auto _ : state) {
        const bool written = format == ExportFormat::Png
                                 ? WritePaperPng(view, true, path)
                                 : WritePaperVector(view, format, true, path, true, {&font, 18});
        if (!written) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.SetLabel(ExportFormatExtension(format));
    std::remove(path.c_str());
}
BENCHMARK(BM_ExportLetter)
    ->Arg(static_cast<int>(ExportFormat::Png))
    ->Arg(static_cast<int>(ExportFormat::Pdf))
    ->Arg(static_cast<int>(ExportFormat::Svg))
    ->Unit(benchmark::kMillisecond);

} // namespace
