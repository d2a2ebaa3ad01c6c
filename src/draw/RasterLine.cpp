#include "draw/RasterLine.h"

namespace {

using Wide = __int128;

// Below this length, 2 * step * minor + major fits in 64 bits, and the
// 128-bit division (a library call, once for every pixel) is not needed.
constexpr int64_t kNarrowMajor = int64_t{1} << 30;

// floor(a / b) for b > 0.
template <class Int> int64_t FloorDiv(Int a, Int b) {
    Int q = a / b;
    if (a % b != 0 && a < 0) {
        --q;
    }
    return static_cast<int64_t>(q);
}

template <class Int>
int64_t MinorOffset(int64_t step, int64_t major, int64_t minor, LineTies ties) {
    const Int twiceMajor = Int{2} * major;
    const Int scaled = Int{2} * step * minor;
    if (ties == LineTies::TowardEnd) {
        return FloorDiv<Int>(scaled + major, twiceMajor);
    }
    // ceil((scaled - major) / twiceMajor), never below 0.
    const int64_t offset = -FloorDiv<Int>(-(scaled - major), twiceMajor);
    return offset < 0 ? 0 : offset;
}

} // namespace

// The error-term loop moves the minor coordinate when the accumulated error
// passes half a pixel; summed up that is the nearest pixel to step * minor /
// major, with exact halves going toward the end point (tests with >= and <=)
// or toward the start point (strict tests).
int64_t MinorOffsetAtStep(int64_t step, int64_t major, int64_t minor, LineTies ties) {
    if (major < kNarrowMajor && minor <= major && step >= 0 && step <= major) {
        return MinorOffset<int64_t>(step, major, minor, ties);
    }
    return MinorOffset<Wide>(step, major, minor, ties);
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
