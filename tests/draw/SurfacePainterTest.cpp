#include "draw/SurfacePainter.h"

#include "draw/SdlOwners.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL2_gfxPrimitives.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSurfaceWidth = 90;
constexpr int kSurfaceHeight = 70;

// Two RGB565 surfaces like the paper's with the same noisy start (so every
// blend and every overwrite shows): one drawn on through SDL's software
// renderer, the other by the painter.
struct SurfacePair {
    SurfacePtr reference;
    RendererPtr renderer;
    SurfacePtr painted;
    size_t bytes = 0;

    SurfacePair(int width, int height)
        : reference(SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565)),
          painted(SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565)) {
        if (reference == nullptr || painted == nullptr) {
            return;
        }
        renderer.reset(SDL_CreateSoftwareRenderer(reference.get()));
        bytes = size_t(reference->pitch) * size_t(height);
        std::mt19937 noise(7);
        auto* pixels = static_cast<uint16_t*>(reference->pixels);
        for (size_t i = 0; i < bytes / 2; ++i) {
            pixels[i] = static_cast<uint16_t>(noise());
        }
        Resync();
    }
    bool Ready() const { return renderer != nullptr; }
    bool Same() const { return std::memcmp(reference->pixels, painted->pixels, bytes) == 0; }
    // Carries on from the reference, so that one difference is counted once.
    void Resync() { std::memcpy(painted->pixels, reference->pixels, bytes); }

    // How many pixels differ and by how much, in the largest channel step.
    std::string Difference() const {
        const auto* a = static_cast<const uint16_t*>(reference->pixels);
        const auto* b = static_cast<const uint16_t*>(painted->pixels);
        size_t pixels = 0;
        int worst = 0;
        for (size_t i = 0; i < bytes / 2; ++i) {
            const int red = std::abs((a[i] >> 11) - (b[i] >> 11));
            const int green = std::abs(((a[i] >> 5) & 63) - ((b[i] >> 5) & 63));
            const int blue = std::abs((a[i] & 31) - (b[i] & 31));
            const int d = std::max({red, green, blue});
            pixels += d != 0;
            worst = std::max(worst, d);
        }
        return std::to_string(pixels) + " pixels differ, by up to " + std::to_string(worst);
    }
};

// The kinds of shape the paper is drawn with, each drawn once through
// SDL2_gfx or SDL's renderer and once by the painter.
enum Kind { Points, Line, Rect, Box, ThickLine, AaLine, AaPolygon, AaCircle, KindCount };
const char* const kKindNames[KindCount] = {"points",    "line",   "rect",      "box",
                                           "thickLine", "aaLine", "aaPolygon", "aaCircle"};

struct Shape {
    Kind kind = Points;
    SDL_Rect viewport = {0, 0, 0, 0};
    bool clipped = false;
    SDL_Rect clip = {0, 0, 0, 0}; // viewport coordinates, as the renderer takes it
    SDL_Color color = {0, 0, 0, 0};
    std::vector<int32_t> xs; // points, ends or corners; the centre of a circle
    std::vector<int32_t> ys;
    int32_t size = 0;  // a thick line's width, a rectangle's width, a circle's radius
    int32_t size2 = 0; // a rectangle's height

    std::string Describe() const {
        std::ostringstream text;
        text << kKindNames[kind] << " viewport " << viewport.x << "," << viewport.y << " "
             << viewport.w << "x" << viewport.h;
        if (clipped) {
            text << " clip " << clip.x << "," << clip.y << " " << clip.w << "x" << clip.h;
        }
        text << " colour " << int(color.r) << "," << int(color.g) << "," << int(color.b) << ","
             << int(color.a) << " size " << size << "," << size2 << " at";
        for (size_t i = 0; i < xs.size(); ++i) {
            text << " (" << xs[i] << "," << ys[i] << ")";
        }
        return text.str();
    }
};

std::vector<int16_t> Gfx(const std::vector<int32_t>& values) {
    return {values.begin(), values.end()};
}

std::vector<SDL_Point> PointsOf(const Shape& s) {
    std::vector<SDL_Point> points;
    for (size_t i = 0; i < s.xs.size(); ++i) {
        points.push_back({s.xs[i], s.ys[i]});
    }
    return points;
}

void DrawThroughRenderer(SDL_Renderer* renderer, const Shape& s) {
    SDL_RenderSetViewport(renderer, &s.viewport);
    SDL_RenderSetClipRect(renderer, s.clipped ? &s.clip : nullptr);
    const SDL_Color c = s.color;
    // SDL's own calls get the blend mode SDL2_gfx would pick for the colour.
    SDL_SetRenderDrawBlendMode(renderer, c.a == 255 ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, c.a);
    const std::vector<int16_t> gx = Gfx(s.xs);
    const std::vector<int16_t> gy = Gfx(s.ys);
    switch (s.kind) {
    case Points: {
        const std::vector<SDL_Point> points = PointsOf(s);
        SDL_RenderDrawPoints(renderer, points.data(), static_cast<int>(points.size()));
        break;
    }
    case Line:
        SDL_RenderDrawLine(renderer, s.xs[0], s.ys[0], s.xs[1], s.ys[1]);
        break;
    case Rect: {
        const SDL_Rect rect = {s.xs[0], s.ys[0], s.size, s.size2};
        SDL_RenderDrawRect(renderer, &rect);
        break;
    }
    case Box:
        boxRGBA(renderer, gx[0], gy[0], gx[1], gy[1], c.r, c.g, c.b, c.a);
        break;
    case ThickLine:
        thickLineRGBA(renderer, gx[0], gy[0], gx[1], gy[1], static_cast<Uint8>(s.size), c.r, c.g,
                      c.b, c.a);
        break;
    case AaLine:
        aalineRGBA(renderer, gx[0], gy[0], gx[1], gy[1], c.r, c.g, c.b, c.a);
        break;
    case AaPolygon:
        aapolygonRGBA(renderer, gx.data(), gy.data(), static_cast<int>(gx.size()), c.r, c.g, c.b,
                      c.a);
        break;
    case AaCircle:
        aacircleRGBA(renderer, gx[0], gy[0], static_cast<Sint16>(s.size), c.r, c.g, c.b, c.a);
        break;
    case KindCount:
        break;
    }
    SDL_RenderFlush(renderer);
}

void DrawWithPainter(SDL_Surface* surface, const Shape& s) {
    SurfacePainter painter(surface, s.viewport, s.clipped ? &s.clip : nullptr);
    const std::vector<int16_t> gx = Gfx(s.xs);
    const std::vector<int16_t> gy = Gfx(s.ys);
    switch (s.kind) {
    case Points: {
        const std::vector<SDL_Point> points = PointsOf(s);
        painter.Points(points.data(), points.size(), s.color);
        break;
    }
    case Line:
        painter.Line(s.xs[0], s.ys[0], s.xs[1], s.ys[1], s.color);
        break;
    case Rect:
        painter.Rect({s.xs[0], s.ys[0], s.size, s.size2}, s.color);
        break;
    case Box:
        painter.Box(gx[0], gy[0], gx[1], gy[1], s.color);
        break;
    case ThickLine:
        painter.ThickLine(gx[0], gy[0], gx[1], gy[1], static_cast<uint8_t>(s.size), s.color);
        break;
    case AaLine:
        painter.AaLine(gx[0], gy[0], gx[1], gy[1], s.color);
        break;
    case AaPolygon:
        painter.AaPolygon(gx.data(), gy.data(), static_cast<int>(gx.size()), s.color);
        break;
    case AaCircle:
        painter.AaCircle(gx[0], gy[0], static_cast<int16_t>(s.size), s.color);
        break;
    case KindCount:
        break;
    }
}

// Random shapes that reach every case the drawing code has: tiny and huge,
// inside, across and far outside the surface, opaque and translucent, and a
// viewport placing the paper as the paper view does (its origin above and
// left of the surface, the paper sometimes ending inside it).
class ShapeMaker {
  public:
    // `clipped`: every shape with a clip rectangle, else none.
    ShapeMaker(uint32_t seed, bool clipped) : random_(seed), clipped_(clipped) {}

    Shape Make(Kind kind) {
        Shape s;
        s.kind = kind;
        s.viewport = MakeViewport();
        if (clipped_) {
            s.clipped = true;
            s.clip = MakeClip(s.viewport);
        }
        s.color = MakeColor();
        // Paper coordinates of the middle of the surface.
        focusX_ = kSurfaceWidth / 2 - s.viewport.x;
        focusY_ = kSurfaceHeight / 2 - s.viewport.y;
        scale_ = Pick({8, 40, 200, 3000, 70000});
        switch (kind) {
        case Points:
            for (int i = Between(1, 30); i > 0; --i) {
                AddPoint(s, Coordinate32(focusX_), Coordinate32(focusY_));
            }
            break;
        case Line:
            AddPoint(s, End32(focusX_), End32(focusY_));
            AddPoint(s, Coordinate32(focusX_), Coordinate32(focusY_));
            break;
        case Rect:
            AddPoint(s, End32(focusX_), End32(focusY_));
            s.size = Coordinate32(0);
            s.size2 = Coordinate32(0);
            break;
        case Box:
            AddPoint(s, End16(focusX_), End16(focusY_));
            AddPoint(s, Coordinate16(focusX_), Coordinate16(focusY_));
            break;
        case AaLine:
            AddLine16(s);
            break;
        case ThickLine:
            AddLine16(s);
            s.size = Pick({2, 2, 2, 1, 0, 3, 5, Between(0, 255)});
            break;
        case AaPolygon:
            MakePolygon(s);
            break;
        case AaCircle:
            s.size = Radius();
            AddCentre(s, s.size);
            break;
        case KindCount:
            break;
        }
        return s;
    }

  private:
    int32_t Between(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random_);
    }
    int32_t Pick(std::initializer_list<int32_t> choices) {
        return choices.begin()[Between(0, static_cast<int32_t>(choices.size()) - 1)];
    }
    bool OneIn(int n) { return Between(1, n) == 1; }

    SDL_Rect MakeViewport() {
        if (OneIn(10)) {
            return {Between(-20, 20), Between(-20, 20), Between(0, 120), Between(0, 120)};
        }
        const int32_t reach = Pick({0, 0, 100, 5000, 30000, 70000});
        const int32_t x = -Between(0, reach);
        const int32_t y = -Between(0, reach);
        // The paper ends somewhere around the surface's far edges.
        return {x, y, -x + Between(-10, 120), -y + Between(-10, 120)};
    }

    // A clip rectangle as a view redrawing part of itself sets: mostly on the
    // surface, now and then reaching past it or the paper, empty or missing
    // everything.
    SDL_Rect MakeClip(const SDL_Rect& viewport) {
        if (OneIn(20)) {
            return {Between(-200, 200), Between(-200, 200), Between(-5, 5), Between(-5, 5)};
        }
        const int32_t x = Between(-15, kSurfaceWidth / 2) - viewport.x;
        const int32_t y = Between(-15, kSurfaceHeight / 2) - viewport.y;
        const int32_t w = OneIn(10) ? 1 : Between(kSurfaceWidth / 3, kSurfaceWidth + 20);
        const int32_t h = OneIn(10) ? 1 : Between(kSurfaceHeight / 3, kSurfaceHeight + 20);
        return {x, y, w, h};
    }

    SDL_Color MakeColor() {
        const auto channel = [this] { return static_cast<Uint8>(Between(0, 255)); };
        const Uint8 alpha = static_cast<Uint8>(Pick({255, 255, 255, 128, 1, 0, Between(0, 254)}));
        return {channel(), channel(), channel(), alpha};
    }

    // One end of a line: half the time on the surface, so that long lines
    // cross it.
    int32_t End16(int32_t around) {
        return OneIn(2) ? std::clamp(around + Between(-40, 40), -32768, 32767)
                        : Coordinate16(around);
    }
    int32_t End32(int32_t around) {
        return OneIn(2) ? around + Between(-40, 40) : Coordinate32(around);
    }

    int32_t Coordinate16(int32_t around) {
        if (OneIn(12)) {
            return Between(-32768, 32767);
        }
        return std::clamp(around + Between(-scale_, scale_), -32768, 32767);
    }
    int32_t Coordinate32(int32_t around) {
        if (OneIn(40)) {
            return Pick({INT32_MIN, INT32_MAX, Between(INT32_MIN, INT32_MAX),
                         around + Between(-20000000, 20000000)});
        }
        return around + Between(-scale_, scale_);
    }
    void AddPoint(Shape& s, int32_t x, int32_t y) {
        s.xs.push_back(x);
        s.ys.push_back(y);
    }

    void AddLine16(Shape& s) {
        if (OneIn(8)) {
            AddLongFlatLine(s);
            return;
        }
        AddPoint(s, End16(focusX_), End16(focusY_));
        AddPoint(s, Coordinate16(focusX_), Coordinate16(focusY_));
    }

    // Nearly flat or nearly upright from one end of the 16-bit range to the
    // other, through the surface: the longest walks, and scan lines that cross
    // a thick line's edges tens of thousands of pixels apart.
    void AddLongFlatLine(Shape& s) {
        const bool flat = OneIn(2);
        const int32_t across = std::clamp(flat ? focusY_ : focusX_, -32700, 32700);
        const int32_t a = across + Between(-30, 30);
        const int32_t b = a + Between(-4, 4);
        const int32_t from = Between(-32768, -20000);
        const int32_t to = Between(20000, 32767);
        if (flat) {
            AddPoint(s, from, a);
            AddPoint(s, to, b);
        } else {
            AddPoint(s, a, from);
            AddPoint(s, b, to);
        }
    }

    // A centre near the surface, or one that puts the outline of a large
    // radius across it.
    void AddCentre(Shape& s, int32_t radius) {
        if (OneIn(3) || radius < 20) {
            AddPoint(s, Coordinate16(focusX_), Coordinate16(focusY_));
            return;
        }
        const double a = Between(0, 359) * 0.017453292519943295;
        const int32_t jitter = Between(-3, 3);
        AddPoint(s, std::clamp(focusX_ + int32_t(std::cos(a) * (radius + jitter)), -32768, 32767),
                 std::clamp(focusY_ + int32_t(std::sin(a) * (radius + jitter)), -32768, 32767));
    }

    // Radii as the paper stores them, mostly drawable sizes; beyond about a
    // thousand SDL2_gfx's error terms wrap around.
    int32_t Radius() {
        if (OneIn(25)) {
            return OneIn(5) ? Between(-32768, -1) : Between(1000, 32767);
        }
        return Pick({0, 1, 2, Between(3, 40), Between(3, 300)});
    }

    // Regular polygons as the paper's circle objects make them, and now and
    // then a random outline.
    void MakePolygon(Shape& s) {
        if (OneIn(4)) {
            const int32_t cx = Coordinate16(focusX_);
            const int32_t cy = Coordinate16(focusY_);
            for (int i = Between(0, 9); i > 0; --i) {
                AddPoint(s, Coordinate16(cx), Coordinate16(cy));
            }
            return;
        }
        const int32_t sides = Between(3, 40);
        const int32_t radius = Radius();
        AddCentre(s, radius);
        const int32_t cx = s.xs.back();
        const int32_t cy = s.ys.back();
        s.xs.clear();
        s.ys.clear();
        const double start = Between(0, 359);
        for (int32_t i = 0; i < sides; ++i) {
            const double a = (start + 360.0 * i / sides) * 0.017453292519943295;
            AddPoint(s, std::clamp(cx + int32_t(std::cos(a) * radius), -32768, 32767),
                     std::clamp(cy + int32_t(std::sin(a) * radius), -32768, 32767));
        }
    }

    std::mt19937 random_;
    bool clipped_ = false;
    int32_t focusX_ = 0;
    int32_t focusY_ = 0;
    int32_t scale_ = 0;
};

struct KindResult {
    int shapes = 0;
    int visible = 0;   // shapes that changed the surface
    int differing = 0; // shapes whose pixels differ
    std::string first; // the first such shape
};

// Draws shapes of every kind from `maker` onto one surface through SDL2_gfx
// and SDL's software renderer, and onto a copy of it by the painter, and
// expects the two to hold the same pixels after every shape; at least one in
// `visibleOneIn` of each kind must change the surface for that to mean something.
void ExpectSamePixelsForRandomShapes(ShapeMaker& maker, int shapesPerKind, int visibleOneIn) {
    SurfacePair pair(kSurfaceWidth, kSurfaceHeight);
    ASSERT_TRUE(pair.Ready());
    std::vector<uint8_t> before(pair.bytes);
    std::array<KindResult, KindCount> results{};
    for (int round = 0; round < shapesPerKind; ++round) {
        for (int k = 0; k < KindCount; ++k) {
            const Shape shape = maker.Make(static_cast<Kind>(k));
            std::memcpy(before.data(), pair.reference->pixels, pair.bytes);
            DrawThroughRenderer(pair.renderer.get(), shape);
            DrawWithPainter(pair.painted.get(), shape);
            KindResult& result = results[size_t(k)];
            ++result.shapes;
            result.visible += std::memcmp(before.data(), pair.reference->pixels, pair.bytes) != 0;
            if (!pair.Same()) {
                if (result.differing++ == 0) {
                    result.first = shape.Describe() + ": " + pair.Difference();
                }
                pair.Resync();
            }
        }
    }
    for (int k = 0; k < KindCount; ++k) {
        const KindResult& result = results[size_t(k)];
        EXPECT_EQ(result.differing, 0) << result.differing << " of " << result.shapes << " "
                                       << kKindNames[k] << " differ; first: " << result.first;
        EXPECT_GT(result.visible, result.shapes / visibleOneIn) << kKindNames[k];
    }
}

} // namespace

// Thousands of random shapes of every kind: the painter gives exactly the
// pixels of SDL2_gfx and SDL's own calls through the software renderer.
TEST(SurfacePainter, DrawsExactlyThePixelsOfSdl2GfxThroughTheRenderer) {
    ShapeMaker maker(20240613, false);
    ExpectSamePixelsForRandomShapes(maker, 1000, 8);
}

// The same with a clip rectangle set on the renderer and given to the painter,
// as a view does when it redraws only a damaged part of itself. The clip hides
// part of what would show, so fewer shapes change the surface.
TEST(SurfacePainter, KeepsToTheRenderersClipRectangle) {
    ShapeMaker maker(77031, true);
    ExpectSamePixelsForRandomShapes(maker, 600, 16);
}

// SDL2_gfx's circle arithmetic overflows 32 bits from a radius of about a
// thousand on, and which pixels a circle lights then depends on exactly how
// it wraps. A quadrant holds a pixel of every step of the walk (the rest are
// mirror images), so a surface showing a whole quadrant shows every step.
TEST(SurfacePainter, LargeCirclesMatchWhereTheArithmeticWrapsAround) {
    constexpr int kLargestRadius = 2400;
    SurfacePair pair(kLargestRadius + 4, kLargestRadius + 4);
    ASSERT_TRUE(pair.Ready());
    std::mt19937 random(99);
    int differing = 0;
    std::string first;
    for (int radius = 1000; radius <= kLargestRadius; radius += 23) {
        const SDL_Color color = {static_cast<Uint8>(random()), static_cast<Uint8>(random()),
                                 static_cast<Uint8>(random()),
                                 radius % 2 == 0 ? Uint8{255} : Uint8{90}};
        // Paper centre (3000, 3000) one pixel in from the surface's left
        // edge, the top of the circle one pixel below its top edge.
        const int16_t centre = 3000;
        const SDL_Rect viewport = {1 - centre, radius + 2 - centre, 65536, 65536};
        SDL_RenderSetViewport(pair.renderer.get(), &viewport);
        aacircleRGBA(pair.renderer.get(), centre, centre, static_cast<Sint16>(radius), color.r,
                     color.g, color.b, color.a);
        SDL_RenderFlush(pair.renderer.get());
        SurfacePainter(pair.painted.get(), viewport)
            .AaCircle(centre, centre, static_cast<int16_t>(radius), color);
        if (!pair.Same()) {
            if (differing++ == 0) {
                first = "radius " + std::to_string(radius) + ": " + pair.Difference();
            }
            pair.Resync();
        }
    }
    EXPECT_EQ(differing, 0) << "first: " << first;
}
