#include "draw/RasterLine.h"

namespace {

using Wide = __int128;

// floor(a / b) for b > 0.
int64_t FloorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if (a % b != 0 && a < 0) {
        --q;
    }
    return static_cast<int64_t>(q);
}

} // namespace

// The error-term loop moves the minor coordinate when the accumulated error
// passes half a pixel; summed up that is the nearest pixel to step * minor /
// major, with exact halves going toward the end point (tests with >= and <=)
// or toward the start point (strict tests).
int64_t MinorOffsetAtStep(int64_t step, int64_t major, int64_t minor, LineTies ties) {
    const Wide twiceMajor = Wide{2} * major;
    const Wide scaled = Wide{2} * step * minor;
    if (ties == LineTies::TowardEnd) {
        return FloorDiv(scaled + major, twiceMajor);
    }
    // ceil((scaled - major) / twiceMajor), never below 0.
    const int64_t offset = -FloorDiv(-(scaled - major), twiceMajor);
    return offset < 0 ? 0 : offset;
}

void CollectLinePoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2, LineTies ties,
                       const SDL_Rect& clip, bool (*keep)(int64_t step),
                       std::vector<SDL_Point>& points) {
    WalkLine(x1, y1, x2, y2, ties, clip, [&](const LinePoint& point) {
        if (keep == nullptr || keep(point.step)) {
            points.push_back({point.x, point.y});
        }
    });
}
