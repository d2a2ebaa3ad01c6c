// The same 1,000 shapes drawn onto a paper-sized RGB565 surface through
// SDL2_gfx and SDL's software renderer, and by the one-pass painter.

#include "draw/SurfacePainter.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL2_gfxPrimitives.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kShapeCount = 1000;
constexpr int kSurfaceWidth = 1000;
constexpr int kSurfaceHeight = 700;
constexpr Uint8 kLineWidth = 2;

enum class ShapeKind { Circle, Polygon, ThickLine, AaLine };

// Sizes as the paper's objects have them; a third of them translucent, as
// a selection being dragged is drawn.
struct Shape {
    int16_t x1, y1, x2, y2;
    int16_t radius;
    std::vector<int16_t> xs, ys; // polygon corners
    SDL_Color color;
};

std::vector<Shape> MakeShapes(ShapeKind kind) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> x(0, kSurfaceWidth - 1);
    std::uniform_int_distribution<int> y(0, kSurfaceHeight - 1);
    std::uniform_int_distribution<int> length(-300, 300);
    std::vector<Shape> shapes;
    for (int i = 0; i < kShapeCount; ++i) {
        Shape s{};
        s.x1 = static_cast<int16_t>(x(random));
        s.y1 = static_cast<int16_t>(y(random));
        s.x2 = static_cast<int16_t>(s.x1 + length(random));
        s.y2 = static_cast<int16_t>(s.y1 + length(random));
        s.radius = static_cast<int16_t>(10 + i % 150);
        s.color = {200, 120, 40, static_cast<Uint8>(i % 3 == 0 ? 128 : 255)};
        if (kind == ShapeKind::Polygon) {
            const int sides = 3 + i % 6;
            for (int k = 0; k < sides; ++k) {
                const double a = 6.283185307179586 * k / sides;
                s.xs.push_back(static_cast<int16_t>(s.x1 + std::cos(a) * s.radius));
                s.ys.push_back(static_cast<int16_t>(s.y1 + std::sin(a) * s.radius));
            }
        }
        shapes.push_back(std::move(s));
    }
    return shapes;
}

struct Target {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kSurfaceWidth, kSurfaceHeight, 16,
                                                          SDL_PIXELFORMAT_RGB565);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
    // The paper view's viewport: the paper's origin at the surface's corner.
    SDL_Rect viewport = {0, 0, kSurfaceWidth, kSurfaceHeight};

    Target() { SDL_RenderSetViewport(renderer, &viewport); }
    ~Target() {
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(surface);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    void Clear() { SDL_FillRect(surface, nullptr, 0xFFFF); }
};

void DrawThroughSdl2Gfx(SDL_Renderer* renderer, ShapeKind kind, const Shape& s) {
    const SDL_Color c = s.color;
    switch (kind) {
    case ShapeKind::Circle:
        aacircleRGBA(renderer, s.x1, s.y1, s.radius, c.r, c.g, c.b, c.a);
        break;
    case ShapeKind::Polygon:
        aapolygonRGBA(renderer, s.xs.data(), s.ys.data(), static_cast<int>(s.xs.size()), c.r, c.g,
                      c.b, c.a);
        break;
    case ShapeKind::ThickLine:
        thickLineRGBA(renderer, s.x1, s.y1, s.x2, s.y2, kLineWidth, c.r, c.g, c.b, c.a);
        break;
    case ShapeKind::AaLine:
        aalineRGBA(renderer, s.x1, s.y1, s.x2, s.y2, c.r, c.g, c.b, c.a);
        break;
    }
}

void DrawWithPainter(SurfacePainter& painter, ShapeKind kind, const Shape& s) {
    switch (kind) {
    case ShapeKind::Circle:
        painter.AaCircle(s.x1, s.y1, s.radius, s.color);
        break;
    case ShapeKind::Polygon:
        painter.AaPolygon(s.xs.data(), s.ys.data(), static_cast<int>(s.xs.size()), s.color);
        break;
    case ShapeKind::ThickLine:
        painter.ThickLine(s.x1, s.y1, s.x2, s.y2, kLineWidth, s.color);
        break;
    case ShapeKind::AaLine:
        painter.AaLine(s.x1, s.y1, s.x2, s.y2, s.color);
        break;
    }
}

void BM_Sdl2GfxThroughRenderer(benchmark::State& state, ShapeKind kind) {
    const std::vector<Shape> shapes = MakeShapes(kind);
    Target target;
    for (auto _ : state) {
        target.Clear();
        for (const Shape& s : shapes) {
            DrawThroughSdl2Gfx(target.renderer, kind, s);
        }
        SDL_RenderFlush(target.renderer);
    }
    state.SetItemsProcessed(state.iterations() * kShapeCount);
}

void BM_SurfacePainter(benchmark::State& state, ShapeKind kind) {
    const std::vector<Shape> shapes = MakeShapes(kind);
    Target target;
    for (auto _ : state) {
        target.Clear();
        SurfacePainter painter(target.surface, target.viewport);
        for (const Shape& s : shapes) {
            DrawWithPainter(painter, kind, s);
        }
        benchmark::DoNotOptimize(target.surface->pixels);
    }
    state.SetItemsProcessed(state.iterations() * kShapeCount);
}

BENCHMARK_CAPTURE(BM_Sdl2GfxThroughRenderer, circles, ShapeKind::Circle)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SurfacePainter, circles, ShapeKind::Circle)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sdl2GfxThroughRenderer, polygons, ShapeKind::Polygon)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SurfacePainter, polygons, ShapeKind::Polygon)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sdl2GfxThroughRenderer, thickLines, ShapeKind::ThickLine)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SurfacePainter, thickLines, ShapeKind::ThickLine)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Sdl2GfxThroughRenderer, aaLines, ShapeKind::AaLine)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SurfacePainter, aaLines, ShapeKind::AaLine)->Unit(benchmark::kMillisecond);

} // namespace
