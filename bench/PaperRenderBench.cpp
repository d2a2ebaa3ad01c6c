// How long a frame of the paper view and a PNG export take with thousands of
// objects. The frame budget is 66 ms.

#include "BenchDocument.h"
#include "app/Editor.h"
#include "document/Paper.h"
#include "document/PaperObject.h"
#include "view/PaperPng.h"
#include "view/PaperRenderer.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

namespace {

constexpr int kObjectCount = 5000;
constexpr int kViewWidth = 1000;
constexpr int kViewHeight = 700;

enum class Frames { Changing, Unchanged };

// Frames of the view; "changing" draws every frame afresh, as after an edit,
// "unchanged" is a frame in which only the pointer moved.
void ViewFrames(benchmark::State& state, int paperWidth, int paperHeight, SDL_Rect spread,
                SDL_Point scroll, Frames frames = Frames::Changing) {
    BenchDrawingSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {kViewWidth, kViewHeight});
    paper.SetSize(paperWidth, paperHeight);
    Populate(paper, spread, kObjectCount);
    view.scrollX = scroll.x;
    view.scrollY = scroll.y;
    for (auto _ : state) {
        if (frames == Frames::Changing) {
            view.InvalidatePicture();
        }
        RenderPaper(view, false, true);
    }
}

void BM_ViewOfBigPaper(benchmark::State& state) {
    // 5000 objects over a 125 x 94 inch paper; the view shows a part of it.
    ViewFrames(state, 12000, 9000, {0, 0, 12000, 9000}, {5000, 4000});
}
BENCHMARK(BM_ViewOfBigPaper)->Unit(benchmark::kMillisecond);

void BM_ViewOfCrowdedPaper(benchmark::State& state) {
    // 5000 objects over 31 x 25 inches: about 500 of them in the view.
    ViewFrames(state, 3000, 2400, {0, 0, 3000, 2400}, {1000, 850});
}
BENCHMARK(BM_ViewOfCrowdedPaper)->Unit(benchmark::kMillisecond);

void BM_ViewWithAllObjectsVisible(benchmark::State& state) {
    // The worst case: all 5000 objects inside the view.
    ViewFrames(state, 1056, 816, {0, 0, kViewWidth, kViewHeight}, {0, 0});
}
BENCHMARK(BM_ViewWithAllObjectsVisible)->Unit(benchmark::kMillisecond);

void BM_UnchangedViewWithAllObjectsVisible(benchmark::State& state) {
    // The same view while nothing on the paper changes (the pointer moves).
    ViewFrames(state, 1056, 816, {0, 0, kViewWidth, kViewHeight}, {0, 0}, Frames::Unchanged);
}
BENCHMARK(BM_UnchangedViewWithAllObjectsVisible)->Unit(benchmark::kMillisecond);

void BM_ExportPng(benchmark::State& state) {
    BenchDrawingSession session;
    Paper paper;
    PaperView view(paper, editor->shell.drawFont.get(), {kViewWidth, kViewHeight});
    paper.SetSize(4000, 3000);
    Populate(paper, {0, 0, 4000, 3000}, kObjectCount);
    const std::string path =
        std::string(SDL_getenv("TMPDIR") != nullptr ? SDL_getenv("TMPDIR") : "/tmp") +
        "/tessellon-bench-export.png";
    for (auto _ : state) {
        WritePaperPng(view, true, path);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ExportPng)->Unit(benchmark::kMillisecond);

} // namespace
