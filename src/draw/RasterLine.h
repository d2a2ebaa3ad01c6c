#pragma once
// Integer lines walked with Bresenham's error term, visiting only the points
// inside a clip rectangle. Jumping straight to the first visible step keeps a
// line of any length (coordinates may come from a file) as cheap as its visible
// part, and the points are exactly those of the full walk, so a line looks the
// same whichever part of the paper is being drawn.

#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <vector>

// How a step that falls exactly halfway between two pixels is resolved; the
// two variants of the error-term loop differ only there.
enum class LineTies {
    // Error tests with >= and <=: the lines SDL's renderer draws.
    TowardEnd,
    // Strict error tests: the walk of dashed lines.
    TowardStart,
};

struct LinePoint {
    int64_t step; // 0 at (x1, y1), one more per point of the walk
    int32_t x;
    int32_t y;
};

// Calls visit(LinePoint) for every point of the walk from (x1, y1) to
// (x2, y2), in walk order, that lies inside `clip`.
template <class Visit>
void WalkLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, LineTies ties, const SDL_Rect& clip,
              Visit&& visit);

// The offset along the minor axis after `step` steps of a line that moves
// `major` pixels along its major axis and `minor` along the other (both >= 0,
// minor <= major, major > 0).
int64_t MinorOffsetAtStep(int64_t step, int64_t major, int64_t minor, LineTies ties);

// The points of the walk inside `clip`, for one SDL_RenderDrawPoints call;
// `keep` decides by step number (for dash patterns).
void CollectLinePoints(int32_t x1, int32_t y1, int32_t x2, int32_t y2, LineTies ties,
                       const SDL_Rect& clip, bool (*keep)(int64_t step),
                       std::vector<SDL_Point>& points);

// --------------------------------------------------------------------------

template <class Visit>
void WalkLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, LineTies ties, const SDL_Rect& clip,
              Visit&& visit) {
    if (clip.w <= 0 || clip.h <= 0) {
        return;
    }
    const int64_t dx = int64_t{x2} - x1;
    const int64_t dy = int64_t{y2} - y1;
    const int64_t adx = dx < 0 ? -dx : dx;
    const int64_t ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const int64_t major = xMajor ? adx : ady;
    const int64_t minor = xMajor ? ady : adx;
    const int64_t majorStart = xMajor ? x1 : y1;
    const int64_t minorStart = xMajor ? y1 : x1;
    const int64_t majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorClipLow = xMajor ? clip.x : clip.y;
    const int64_t majorClipHigh = majorClipLow + (xMajor ? clip.w : clip.h) - 1;
    const int64_t minorClipLow = xMajor ? clip.y : clip.x;
    const int64_t minorClipHigh = minorClipLow + (xMajor ? clip.h : clip.w) - 1;

    // Every step advances the major coordinate by one, so the visible steps
    // form one range.
    int64_t first = majorSign > 0 ? majorClipLow - majorStart : majorStart - majorClipHigh;
    int64_t last = majorSign > 0 ? majorClipHigh - majorStart : majorStart - majorClipLow;
    first = first < 0 ? 0 : first;
    last = last > major ? major : last;
    for (int64_t step = first; step <= last; ++step) {
        const int64_t minorAt =
            minorStart + minorSign * (major == 0 ? 0 : MinorOffsetAtStep(step, major, minor, ties));
        if (minorAt < minorClipLow || minorAt > minorClipHigh) {
            continue;
        }
        const int64_t majorAt = majorStart + majorSign * step;
        const auto x = static_cast<int32_t>(xMajor ? majorAt : minorAt);
        const auto y = static_cast<int32_t>(xMajor ? minorAt : majorAt);
        visit(LinePoint{step, x, y});
    }
}
