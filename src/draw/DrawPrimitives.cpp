#include "draw/DrawPrimitives.h"

#include "draw/Geometry.h"
#include "draw/RasterLine.h"
#include "draw/SurfacePainter.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr int64_t kDashPeriod = 20;
constexpr int64_t kDashOn = 10;
constexpr double kArrowHeadLength = 10.0;
constexpr double kArrowHeadHalfWidth = 10.0;
constexpr int32_t kTickHalfLength = 10;
constexpr int32_t kStubLength = 10;
// The second end's stub of a slanted measurement is one pixel longer.
constexpr int32_t kSlantedEndStubLength = 11;
constexpr Uint8 kMarkWidth = 2;
constexpr double kRadiansToDegrees = 57.29577951308232;

bool DashKeeps(int64_t step) {
    return step % kDashPeriod < kDashOn;
}

void ThickMark(SurfacePainter& painter, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
               SDL_Color color) {
    if (!ClipSegmentToGfx(x1, y1, x2, y2)) {
        return;
    }
    painter.ThickLine(ToGfx(x1), ToGfx(y1), ToGfx(x2), ToGfx(y2), kMarkWidth, color);
}

// A slanted measurement's mark is drawn anti-aliased twice, the second time
// one pixel lower, for weight.
void DoubledMark(SurfacePainter& painter, const MarkStroke& stroke, SDL_Color color) {
    for (int64_t down = 0; down <= 1; ++down) {
        int64_t ax = stroke.x1;
        int64_t ay = stroke.y1 + down;
        int64_t bx = stroke.x2;
        int64_t by = stroke.y2 + down;
        if (ClipSegmentToGfx(ax, ay, bx, by)) {
            painter.AaLine(ToGfx(ax), ToGfx(ay), ToGfx(bx), ToGfx(by), color);
        }
    }
}

// A point given in a slanted measurement's own frame (u along it, v across it).
struct SlantedFrame {
    int32_t ox;
    int32_t oy;
    double cosTheta;
    double sinTheta;

    SDL_Point Map(int32_t u, int32_t v) const {
        return {static_cast<int32_t>(int64_t{ox} + TruncToInt32(u * cosTheta - v * sinTheta)),
                static_cast<int32_t>(int64_t{oy} + TruncToInt32(u * sinTheta + v * cosTheta))};
    }
    MarkStroke Stroke(int32_t u1, int32_t v1, int32_t u2, int32_t v2) const {
        const SDL_Point a = Map(u1, v1);
        const SDL_Point b = Map(u2, v2);
        return {a.x, a.y, b.x, b.y};
    }
};

// The visible points of a walked line, drawn with one call.
void DrawWalkedLine(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    SDL_Color color, LineTies ties, bool (*keep)(int64_t step)) {
    std::vector<SDL_Point> points;
    CollectLinePoints(x1, y1, x2, y2, ties, painter.DrawableArea(), keep, points);
    painter.Points(points.data(), points.size(), color);
}

} // namespace

void SetPaperDrawColor(SDL_Renderer* renderer, SDL_Color color) {
    SDL_SetRenderDrawBlendMode(renderer, color.a == SDL_ALPHA_OPAQUE ? SDL_BLENDMODE_NONE
                                                                     : SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
}

void DrawPixelLine(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   SDL_Color color) {
    DrawWalkedLine(painter, x1, y1, x2, y2, color, LineTies::TowardEnd, nullptr);
}

void DrawDashedLine(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    SDL_Color color) {
    DrawWalkedLine(painter, x1, y1, x2, y2, color, LineTies::TowardStart, DashKeeps);
}

ArrowHead ArrowHeadCorners(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    // The direction from the tip back along the shaft.
    const double back =
        std::fmod(std::atan2(double(int64_t{y2} - y1), double(int64_t{x2} - x1)) + M_PI, 2 * M_PI);
    const int32_t bx = TruncToInt32(std::cos(back) * kArrowHeadLength + x2);
    const int32_t by = TruncToInt32(std::sin(back) * kArrowHeadLength + y2);
    const int32_t hx = TruncToInt32(std::cos(back + M_PI / 2) * kArrowHeadHalfWidth + bx);
    const int32_t hy = TruncToInt32(std::sin(back + M_PI / 2) * kArrowHeadHalfWidth + by);
    const int32_t ox = TruncToInt32(std::cos(back - M_PI / 2) * kArrowHeadHalfWidth + bx);
    const int32_t oy = TruncToInt32(std::sin(back - M_PI / 2) * kArrowHeadHalfWidth + by);
    return {{hx, hy}, {ox, oy}};
}

void DrawArrow(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
               SDL_Color color) {
    DrawPixelLine(painter, x1, y1, x2, y2, color);
    const ArrowHead head = ArrowHeadCorners(x1, y1, x2, y2);
    DrawPixelLine(painter, head.left.x, head.left.y, x2, y2, color);
    DrawPixelLine(painter, head.right.x, head.right.y, x2, y2, color);
    DrawPixelLine(painter, head.right.x, head.right.y, head.left.x, head.left.y, color);
}

MeasurementGeometry MeasureMeasurement(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;
    MeasurementGeometry g{};
    if (dx == 0 || (adx == 1 && ady >= 2)) {
        g.kind = MeasurementCase::Vertical;
        g.x0 = x1;
        g.y0 = dy < 0 ? y2 : y1;
        g.length = ady;
        g.fitWidth = 0;
        g.centre = {g.x0, static_cast<int32_t>(g.y0 + g.length / 2)};
    } else if (ady <= 1) {
        g.kind = MeasurementCase::Horizontal;
        g.x0 = std::min(x1, x2);
        g.y0 = dy < 0 ? y2 : y1;
        g.length = adx;
        g.fitWidth = adx;
        g.centre = {static_cast<int32_t>(g.x0 + g.length / 2),
                    static_cast<int32_t>(g.y0 + ady / 2)};
    } else {
        g.kind = MeasurementCase::Slanted;
        g.x0 = x1;
        g.y0 = y1;
        g.length =
            static_cast<int64_t>(std::sqrt(double(dx) * double(dx) + double(dy) * double(dy)));
        g.fitWidth = dx;
        g.centre = {static_cast<int32_t>(x1 + dx / 2), static_cast<int32_t>(y1 + dy / 2)};
    }
    return g;
}

std::array<MarkStroke, 4> MeasurementMarkStrokes(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                                 const MeasurementGeometry& g) {
    const int64_t x0 = g.x0;
    const int64_t y0 = g.y0;
    const int64_t length = g.length;
    switch (g.kind) {
    case MeasurementCase::Vertical:
        return {{{x0 - kTickHalfLength, y0, x0 + kTickHalfLength, y0},
                 {x0, y0, x0, y0 + kStubLength},
                 {x0 - kTickHalfLength, y0 + length, x0 + kTickHalfLength, y0 + length},
                 {x0, y0 + length, x0, y0 + length - kStubLength}}};
    case MeasurementCase::Horizontal:
        return {{{x0, y0 - kTickHalfLength, x0, y0 + kTickHalfLength},
                 {x0, y0, x0 + kStubLength, y0},
                 {x0 + length, y0 - kTickHalfLength, x0 + length, y0 + kTickHalfLength},
                 {x0 + length, y0, x0 + length - kStubLength, y0}}};
    case MeasurementCase::Slanted:
        break;
    }
    const double dx = double(int64_t{x2} - x1);
    const double dy = double(int64_t{y2} - y1);
    const double theta = (90.0 - std::atan2(dx, dy) * kRadiansToDegrees) * kDegreesToRadians;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const SlantedFrame start{x1, y1, c, s};
    const SlantedFrame end{x2, y2, c, s};
    return {start.Stroke(0, -kTickHalfLength, 0, kTickHalfLength),
            start.Stroke(0, 0, kStubLength, 0), end.Stroke(0, -kTickHalfLength, 0, kTickHalfLength),
            end.Stroke(0, 0, -kSlantedEndStubLength, 0)};
}

void DrawMeasurementMarks(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          const MeasurementGeometry& g, SDL_Color color) {
    for (const MarkStroke& stroke : MeasurementMarkStrokes(x1, y1, x2, y2, g)) {
        if (g.kind == MeasurementCase::Slanted) {
            DoubledMark(painter, stroke, color);
        } else {
            ThickMark(painter, stroke.x1, stroke.y1, stroke.x2, stroke.y2, color);
        }
    }
}
