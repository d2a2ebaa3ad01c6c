#include "document/PaperObjectCircle.h"

#include "document/Paper.h"

#include <SDL2/SDL_rect.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kFullTurn = 360.0;
// The perimeter of a true circle is hit-tested at points at least this many
// pixels apart, but never fewer than every 44 degrees.
constexpr double kSampleSpacing = 15.0;
constexpr int kMaxSampleStep = 45;
// Anti-aliased outlines reach one pixel beyond the radius.
constexpr int64_t kCircleMargin = 2;

SDL_Point PerimeterPoint(int32_t cx, int32_t cy, int16_t radius, int degrees) {
    const double a = degrees * kDegreesToRadians;
    return {WrapAdd(cx, TruncToInt32(std::cos(a) * radius)),
            WrapAdd(cy, TruncToInt32(std::sin(a) * radius))};
}

bool CircleOutlineTouches(const SDL_Rect& rect, int32_t cx, int32_t cy, int16_t radius) {
    const SDL_Point start = PerimeterPoint(cx, cy, radius, 0);
    int step = 1;
    while (step < kMaxSampleStep) {
        const SDL_Point next = PerimeterPoint(cx, cy, radius, step);
        const double dx = double(next.x) - start.x;
        const double dy = double(next.y) - start.y;
        if (std::sqrt(dx * dx + dy * dy) >= kSampleSpacing) {
            break;
        }
        ++step;
    }
    // The sampling walks one degree less than the step it found.
    const int spacing = step == 1 ? 1 : step - 1;
    for (int w = 0; w < 360; w += spacing) {
        if (PointInside(rect, PerimeterPoint(cx, cy, radius, w))) {
            return true;
        }
    }
    return false;
}

} // namespace

PolygonCorners PolygonVertices(int32_t x, int32_t y, int16_t radius, int32_t sides, int32_t angle) {
    const int32_t count = std::min(sides, kMaxPolygonSides);
    const double increment = kFullTurn / count;
    PolygonCorners corners;
    for (double sum = 0; sum < kFullTurn; sum += increment) {
        const double a = (angle + sum) * kDegreesToRadians;
        corners.x.push_back(ToGfx(TruncToInt32(std::cos(a) * radius + x)));
        corners.y.push_back(ToGfx(TruncToInt32(std::sin(a) * radius + y)));
    }
    return corners;
}

ObjectPoints PaperObjectCircle::GetRect() const {
    const int16_t r = record.Radius();
    return {{WrapSub(record.X1(), r), WrapSub(record.Y1(), r)},
            {WrapAdd(record.X1(), r), WrapAdd(record.Y1(), r)}};
}

void PaperObjectCircle::AddEditFields(std::set<int32_t>& fields) const {
    fields.insert(kEditFieldRadius);
}

bool PaperObjectCircle::HasSecondPoint(int32_t /*dx*/, int32_t /*dy*/) const {
    return false;
}

bool PaperObjectCircle::HitTest(const SDL_Rect& rect) const {
    if (record.Sides() < kMinPolygonSides) {
        return CircleOutlineTouches(rect, record.X1(), record.Y1(), record.Radius());
    }
    const PolygonCorners corners =
        PolygonVertices(record.X1(), record.Y1(), record.Radius(), record.Sides(), record.Angle());
    const size_t count = corners.x.size();
    for (size_t i = 0; i < count; ++i) {
        const size_t next = (i + 1) % count;
        if (SegmentTouches(rect, {corners.x[i], corners.y[i]},
                           {corners.x[next], corners.y[next]})) {
            return true;
        }
    }
    return false;
}

double PaperObjectCircle::DrawnDistance(SDL_Point point) const {
    const int16_t radius = record.Radius();
    if (record.Sides() < kMinPolygonSides) {
        // SDL2_gfx draws no circle of a negative radius.
        if (radius < 0) {
            return std::numeric_limits<double>::infinity();
        }
        const double fromCentre =
            std::hypot(double(point.x) - record.X1(), double(point.y) - record.Y1());
        return std::abs(fromCentre - radius);
    }
    const PolygonCorners corners =
        PolygonVertices(record.X1(), record.Y1(), radius, record.Sides(), record.Angle());
    const size_t count = corners.x.size();
    double nearest = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < count; ++i) {
        const size_t next = (i + 1) % count;
        nearest = std::min(nearest, SegmentDistance(point, {corners.x[i], corners.y[i]},
                                                    {corners.x[next], corners.y[next]}));
    }
    return nearest;
}

PixelBox PaperObjectCircle::GetDrawBox() const {
    const int64_t r = std::abs(int32_t{record.Radius()});
    const int64_t x = record.X1();
    const int64_t y = record.Y1();
    return Wrap16Box(BoxOf(x - r, y - r, x + r, y + r).Grown(kCircleMargin), x, y);
}
