#include "draw/SurfacePainter.h"

#include "draw/Geometry.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <array>
#include <cmath>

// Matching SDL2_gfx pixel for pixel means doing its arithmetic as its
// compiled code does: in 32-bit integers that wrap around on overflow (huge
// radii and 16-bit coordinate spans overflow its error terms), coordinates
// cut to 16 bits wherever it passes them on as Sint16, and float-to-integer
// conversions as x86-64 makes them.

namespace {

// What is left of a 5- or 6-bit channel under a translucent colour, by the
// colour's 255 - alpha: SDL widens the channel to 8 bits by scaling (rounding
// down) and multiplies. Looked up rather than worked out, pixel by pixel.
template <uint32_t Levels> constexpr std::array<std::array<uint8_t, Levels>, 256> MakeFadeTable() {
    std::array<std::array<uint8_t, Levels>, 256> table{};
    for (uint32_t keep = 0; keep < 256; ++keep) {
        for (uint32_t v = 0; v < Levels; ++v) {
            table[keep][v] = static_cast<uint8_t>(v * 255 / (Levels - 1) * keep / 255);
        }
    }
    return table;
}
constexpr auto kFade5 = MakeFadeTable<32>();
constexpr auto kFade6 = MakeFadeTable<64>();

uint16_t PackRgb565(uint32_t r, uint32_t g, uint32_t b) {
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

// (int) of a float the way x86-64 converts it: truncated, and INT_MIN for NaN
// or anything outside the int range.
int32_t FloatToInt(float value) {
    if (!(value >= -2147483648.0f && value < 2147483648.0f)) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

// SDL's renderer takes integer coordinates as floats and converts them back.
int32_t ThroughFloat(int32_t value) {
    return FloatToInt(static_cast<float>(value));
}

int32_t WrapMul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// (Sint16) of a double: truncated to an int, then cut to 16 bits.
int16_t DoubleToGfx(double value) {
    if (!(value >= -2147483648.0 && value < 2147483648.0)) {
        return 0;
    }
    return ToGfx(static_cast<int32_t>(value));
}

// The 16.16 fixed-point step of SDL2_gfx's anti-aliased line, shifted into
// the top bits of its 32-bit error accumulator. The shift into the sign bit
// and the signed division are those of its compiled code.
uint32_t AaLineErrorStep(int32_t minor, int32_t major) {
    const auto shifted = static_cast<int32_t>(static_cast<uint32_t>(minor) << 16);
    return static_cast<uint32_t>(shifted / major) << 16;
}

// glibc's qsort on a few ints is a stable top-down merge sort. SDL2_gfx
// compares by subtraction, which overflows for values far apart, so the
// order is only reproduced by sorting the same way with the same comparison.
bool GfxOrdered(int32_t a, int32_t b) {
    return WrapSub(a, b) <= 0;
}

void MergeSort(int32_t* values, int count, int32_t* scratch) {
    if (count <= 1) {
        return;
    }
    if (count == 2) {
        const int32_t a = values[0];
        const int32_t b = values[1];
        const bool ordered = GfxOrdered(a, b);
        values[0] = ordered ? a : b;
        values[1] = ordered ? b : a;
        return;
    }
    const int half = count / 2;
    MergeSort(values, half, scratch);
    MergeSort(values + half, count - half, scratch);
    int left = 0;
    int right = half;
    int out = 0;
    while (left < half && right < count) {
        scratch[out++] = GfxOrdered(values[left], values[right]) ? values[left++] : values[right++];
    }
    while (left < half) {
        scratch[out++] = values[left++];
    }
    for (int i = 0; i < out; ++i) {
        values[i] = scratch[i];
    }
}

// Rounds a 16.16 scan-line crossing to a pixel the way SDL2_gfx does.
int32_t GfxRoundFixed(int32_t fixed) {
    return (fixed >> 16) + ((fixed & 32768) >> 15);
}

} // namespace

// A colour ready for the surface: the pixel an opaque colour writes, or the
// premultiplied channels a translucent one adds to what is left of the pixel.
struct SurfacePainter::Ink {
    bool blend = false;
    bool invisible = false; // blending with alpha 0 leaves every pixel as it is
    uint16_t solid = 0;
    uint32_t r = 0;
    uint32_t g = 0;
    uint32_t b = 0;
    const uint8_t* fade5 = nullptr;
    const uint8_t* fade6 = nullptr;

    explicit Ink(SDL_Color color) {
        if (color.a == SDL_ALPHA_OPAQUE) {
            solid = PackRgb565(color.r, color.g, color.b);
            return;
        }
        blend = true;
        invisible = color.a == 0;
        r = uint32_t{color.r} * color.a / 255;
        g = uint32_t{color.g} * color.a / 255;
        b = uint32_t{color.b} * color.a / 255;
        fade5 = kFade5[255u - color.a].data();
        fade6 = kFade6[255u - color.a].data();
    }

    // The colour with its alpha scaled by weight / 256, as SDL2_gfx weights
    // the pixels along an anti-aliased edge.
    static Ink Weighted(SDL_Color color, uint32_t weight) {
        const uint32_t alpha = (uint32_t{color.a} * weight) >> 8;
        return Ink({color.r, color.g, color.b, static_cast<Uint8>(std::min<uint32_t>(alpha, 255))});
    }

    uint16_t Over(uint16_t pixel) const {
        if (!blend) {
            return solid;
        }
        return PackRgb565(fade5[pixel >> 11] + r, fade6[(pixel >> 5) & 63] + g,
                          fade5[pixel & 31] + b);
    }
};

SurfacePainter::SurfacePainter(SDL_Surface* surface, const SDL_Rect& viewport,
                               const SDL_Rect* clip) {
    if (surface == nullptr || surface->pixels == nullptr || surface->format == nullptr ||
        surface->format->format != SDL_PIXELFORMAT_RGB565) {
        return;
    }
    // The software renderer moves the clip rectangle by the viewport's corner
    // and keeps what lies inside the viewport; the surface then cuts that to
    // its own bounds. An empty clip, or one that misses the viewport, draws
    // nothing.
    SDL_Rect limit = viewport;
    if (clip != nullptr) {
        const SDL_Rect moved = {WrapAdd(clip->x, viewport.x), WrapAdd(clip->y, viewport.y), clip->w,
                                clip->h};
        if (!SDL_IntersectRect(&viewport, &moved, &limit)) {
            return;
        }
    }
    const SDL_Rect whole = {0, 0, surface->w, surface->h};
    if (!SDL_IntersectRect(&limit, &whole, &clip_)) {
        clip_ = {0, 0, 0, 0};
        return;
    }
    pixels_ = static_cast<uint16_t*>(surface->pixels);
    pitch_ = surface->pitch / 2;
    origin_ = {viewport.x, viewport.y};
}

SDL_Rect SurfacePainter::DrawableArea() const {
    if (pixels_ == nullptr) {
        return {0, 0, 0, 0};
    }
    return {WrapSub(clip_.x, origin_.x), WrapSub(clip_.y, origin_.y), clip_.w, clip_.h};
}

// ---------------------------------------------------------------------------
// Surface coordinates

void SurfacePainter::Plot(int32_t x, int32_t y, const Ink& ink) {
    if (ink.invisible || x < clip_.x || y < clip_.y || x - clip_.x >= clip_.w ||
        y - clip_.y >= clip_.h) {
        return;
    }
    uint16_t& pixel = pixels_[ptrdiff_t{y} * pitch_ + x];
    pixel = ink.Over(pixel);
}

// x1..x2 inclusive, already inside the clip.
void SurfacePainter::Span(int32_t x1, int32_t x2, int32_t y, const Ink& ink) {
    uint16_t* row = pixels_ + ptrdiff_t{y} * pitch_;
    if (!ink.blend) {
        std::fill(row + x1, row + x2 + 1, ink.solid);
        return;
    }
    for (int32_t x = x1; x <= x2; ++x) {
        row[x] = ink.Over(row[x]);
    }
}

// SDL's line walk between two points inside the clip; the end point only when
// asked for. Straight lines take the same pixels as the walk.
void SurfacePainter::Segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool drawEnd,
                             const Ink& ink) {
    if (y1 == y2) {
        if (x1 <= x2) {
            Span(x1, drawEnd ? x2 : x2 - 1, y1, ink);
        } else {
            Span(drawEnd ? x2 : x2 + 1, x1, y1, ink);
        }
        return;
    }
    const int32_t deltaX = std::abs(x2 - x1);
    const int32_t deltaY = std::abs(y2 - y1);
    const bool xMajor = deltaX >= deltaY;
    const int32_t major = xMajor ? deltaX : deltaY;
    const int32_t minor = xMajor ? deltaY : deltaX;
    const int32_t stepX = x1 > x2 ? -1 : 1;
    const int32_t stepY = y1 > y2 ? -1 : 1;
    int32_t error = 2 * minor - major;
    const int32_t count = drawEnd ? major + 1 : major;
    int32_t x = x1;
    int32_t y = y1;
    for (int32_t i = 0; i < count; ++i) {
        Plot(x, y, ink);
        if (error < 0) {
            error += 2 * minor;
            (xMajor ? x : y) += xMajor ? stepX : stepY;
        } else {
            error += 2 * (minor - major);
            x += stepX;
            y += stepY;
        }
    }
}

// SDL_IntersectRectAndLine, with its horizontal case (the spans of filled
// shapes) worked out here as it does: both ends pulled into the clip.
bool SurfacePainter::CutToClip(int& x1, int& y1, int& x2, int& y2) const {
    if (y1 != y2) {
        return SDL_IntersectRectAndLine(&clip_, &x1, &y1, &x2, &y2);
    }
    const int left = clip_.x;
    const int right = clip_.x + clip_.w - 1;
    if (y1 < clip_.y || y1 - clip_.y >= clip_.h || (x1 < left && x2 < left) ||
        (x1 > right && x2 > right)) {
        return false;
    }
    x1 = std::clamp(x1, left, right);
    x2 = std::clamp(x2, left, right);
    return true;
}

// A single horizontal line (the spans of every filled shape) in one run: what
// the general case of Polyline draws comes to every pixel of the cut line
// once, except that a line of one point is left out when translucent.
void SurfacePainter::HorizontalLine(int32_t x1, int32_t x2, int32_t y, const Ink& ink) {
    int left = x1;
    int right = x2;
    int row = y;
    int sameRow = y;
    if (!CutToClip(left, row, right, sameRow)) {
        return;
    }
    if (x1 == x2) {
        if (!ink.blend) {
            Plot(x1, y, ink);
        }
        return;
    }
    if (left > right) {
        std::swap(left, right);
    }
    Span(left, right, y, ink);
}

// SDL's software renderer drawing connected lines: each segment cut to the
// clip rectangle (which may bend it), its end drawn only where the cut moved
// it, and the last point drawn on its own unless the lines close on the
// first. An opaque segment cut to a single point is drawn; a translucent one
// is not.
void SurfacePainter::Polyline(const SDL_Point* points, int count, const Ink& ink) {
    if (pixels_ == nullptr || count < 2) {
        return;
    }
    if (count == 2 && points[0].y == points[1].y) {
        HorizontalLine(points[0].x, points[1].x, points[0].y, ink);
        return;
    }
    for (int i = 1; i < count; ++i) {
        int x1 = points[i - 1].x;
        int y1 = points[i - 1].y;
        int x2 = points[i].x;
        int y2 = points[i].y;
        if (!CutToClip(x1, y1, x2, y2)) {
            continue;
        }
        const bool endCut = x2 != points[i].x || y2 != points[i].y;
        const bool singlePoint = x1 == x2 && y1 == y2;
        Segment(x1, y1, x2, y2, endCut || (singlePoint && !ink.blend), ink);
    }
    const SDL_Point& first = points[0];
    const SDL_Point& last = points[count - 1];
    if (first.x != last.x || first.y != last.y) {
        Plot(last.x, last.y, ink);
    }
}

void SurfacePainter::FillRect(const SDL_Rect& rect, const Ink& ink) {
    SDL_Rect visible;
    if (pixels_ == nullptr || !SDL_IntersectRect(&rect, &clip_, &visible)) {
        return;
    }
    for (int32_t y = visible.y; y < visible.y + visible.h; ++y) {
        Span(visible.x, visible.x + visible.w - 1, y, ink);
    }
}

// ---------------------------------------------------------------------------
// SDL's own calls

void SurfacePainter::Points(const SDL_Point* points, size_t count, SDL_Color color) {
    if (pixels_ == nullptr || points == nullptr) {
        return;
    }
    const Ink ink(color);
    for (size_t i = 0; i < count; ++i) {
        Plot(WrapAdd(ThroughFloat(points[i].x), origin_.x),
             WrapAdd(ThroughFloat(points[i].y), origin_.y), ink);
    }
}

void SurfacePainter::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SDL_Color color) {
    const SDL_Point points[2] = {
        {WrapAdd(ThroughFloat(x1), origin_.x), WrapAdd(ThroughFloat(y1), origin_.y)},
        {WrapAdd(ThroughFloat(x2), origin_.x), WrapAdd(ThroughFloat(y2), origin_.y)}};
    Polyline(points, 2, Ink(color));
}

// SDL outlines a rectangle as a closed polyline through its corners, the far
// ones at x + w - 1 and y + h - 1, all worked out in floats.
void SurfacePainter::Rect(const SDL_Rect& rect, SDL_Color color) {
    const auto x = static_cast<float>(rect.x);
    const auto y = static_cast<float>(rect.y);
    const float right = x + static_cast<float>(rect.w) - 1.0f;
    const float bottom = y + static_cast<float>(rect.h) - 1.0f;
    const float corners[5][2] = {{x, y}, {right, y}, {right, bottom}, {x, bottom}, {x, y}};
    SDL_Point points[5];
    for (int i = 0; i < 5; ++i) {
        points[i] = {WrapAdd(FloatToInt(corners[i][0]), origin_.x),
                     WrapAdd(FloatToInt(corners[i][1]), origin_.y)};
    }
    Polyline(points, 5, Ink(color));
}

// ---------------------------------------------------------------------------
// SDL2_gfx

void SurfacePainter::GfxPoint(int16_t x, int16_t y, SDL_Color color) {
    GfxPlot(x, y, Ink(color));
}

void SurfacePainter::GfxPlot(int16_t x, int16_t y, const Ink& ink) {
    if (pixels_ != nullptr) {
        Plot(WrapAdd(x, origin_.x), WrapAdd(y, origin_.y), ink);
    }
}

// A pixel and its mirror image across the circle's upright axis, in that
// order: where the two meet, the second blends over the first.
void SurfacePainter::GfxPlotPair(int16_t x, int16_t mirroredX, int16_t y, const Ink& ink) {
    GfxPlot(x, y, ink);
    GfxPlot(mirroredX, y, ink);
}

void SurfacePainter::GfxLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, const Ink& ink) {
    const SDL_Point points[2] = {{WrapAdd(x1, origin_.x), WrapAdd(y1, origin_.y)},
                                 {WrapAdd(x2, origin_.x), WrapAdd(y2, origin_.y)}};
    Polyline(points, 2, ink);
}

void SurfacePainter::Box(int16_t x1, int16_t y1, int16_t x2, int16_t y2, SDL_Color color) {
    if (x1 == x2) {
        if (y1 == y2) {
            GfxPoint(x1, y1, color);
        } else {
            GfxLine(x1, y1, x1, y2, Ink(color));
        }
        return;
    }
    if (y1 == y2) {
        GfxLine(x1, y1, x2, y1, Ink(color));
        return;
    }
    if (x1 > x2) {
        std::swap(x1, x2);
    }
    if (y1 > y2) {
        std::swap(y1, y2);
    }
    const SDL_Rect rect = {WrapAdd(x1, origin_.x), WrapAdd(y1, origin_.y), x2 - x1 + 1,
                           y2 - y1 + 1};
    FillRect(rect, Ink(color));
}

// A thick line is a filled quadrilateral around the segment, narrowed a
// little along the diagonals; SDL's own math functions give the same
// corners SDL2_gfx computes with them.
void SurfacePainter::ThickLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint8_t width,
                               SDL_Color color) {
    if (width < 1) {
        return;
    }
    if (x1 == x2 && y1 == y2) {
        const int32_t half = width / 2;
        Box(ToGfx(x1 - half), ToGfx(y1 - half), ToGfx(x2 + width), ToGfx(y2 + width), color);
        return;
    }
    if (width == 1) {
        GfxLine(x1, y1, x2, y2, Ink(color));
        return;
    }
    const double dx = double(x2 - x1);
    const double dy = double(y2 - y1);
    const double length = SDL_sqrt(dx * dx + dy * dy);
    const double angle = SDL_atan2(dx, dy);
    const double narrowing = 0.1 + 0.9 * SDL_fabs(SDL_cos(2.0 * angle));
    const double halfWidthPerLength = (double(width) - narrowing) / (2.0 * length);
    const double nx = dx * halfWidthPerLength;
    const double ny = dy * halfWidthPerLength;
    const int16_t xs[4] = {DoubleToGfx(x1 + ny), DoubleToGfx(x1 - ny), DoubleToGfx(x2 - ny),
                           DoubleToGfx(x2 + ny)};
    const int16_t ys[4] = {DoubleToGfx(y1 - nx), DoubleToGfx(y1 + nx), DoubleToGfx(y2 + nx),
                           DoubleToGfx(y2 - nx)};
    GfxFilledQuad(xs, ys, color);
}

// SDL2_gfx's filled polygon with the four corners of a thick line: scan
// lines from the lowest to the highest corner, each edge crossing a line at a
// 16.16 fixed-point x; the crossings are sorted and filled pairwise as
// renderer lines, one pixel in from each crossing.
void SurfacePainter::GfxFilledQuad(const int16_t* xs, const int16_t* ys, SDL_Color color) {
    if (pixels_ == nullptr) {
        return;
    }
    constexpr int kCorners = 4;
    int32_t lowest = ys[0];
    int32_t highest = ys[0];
    for (int i = 1; i < kCorners; ++i) {
        if (ys[i] < lowest) {
            lowest = ys[i];
        } else if (ys[i] > highest) {
            highest = ys[i];
        }
    }
    // Scan lines outside the clip draw nothing.
    const int64_t clipTop = int64_t{clip_.y} - origin_.y;
    const int64_t clipBottom = clipTop + clip_.h - 1;
    const auto first = static_cast<int32_t>(std::max<int64_t>(lowest, clipTop));
    const auto last = static_cast<int32_t>(std::min<int64_t>(highest, clipBottom));
    const Ink ink(color);
    int32_t crossings[kCorners];
    int32_t scratch[kCorners];
    for (int32_t y = first; y <= last; ++y) {
        int found = 0;
        for (int i = 0; i < kCorners; ++i) {
            const int from = i == 0 ? kCorners - 1 : i - 1;
            int32_t ya = ys[from];
            int32_t yb = ys[i];
            int32_t xa = xs[from];
            int32_t xb = xs[i];
            if (ya == yb) {
                continue;
            }
            if (ya > yb) {
                std::swap(ya, yb);
                std::swap(xa, xb);
            }
            const bool crosses = (y >= ya && y < yb) || (y == highest && y > ya && y <= yb);
            if (crosses) {
                const auto scaled = static_cast<int32_t>(static_cast<uint32_t>(y - ya) << 16);
                crossings[found++] = WrapAdd(WrapMul(scaled / (yb - ya), xb - xa),
                                             static_cast<int32_t>(static_cast<uint32_t>(xa) << 16));
            }
        }
        MergeSort(crossings, found, scratch);
        for (int i = 0; i + 1 < found; i += 2) {
            const int32_t left = GfxRoundFixed(WrapAdd(crossings[i], 1));
            const int32_t right = GfxRoundFixed(WrapSub(crossings[i + 1], 1));
            GfxLine(ToGfx(left), ToGfx(y), ToGfx(right), ToGfx(y), ink);
        }
    }
}

void SurfacePainter::AaLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, SDL_Color color) {
    GfxAaLine(x1, y1, x2, y2, color, true);
}

// Wu's anti-aliased line: along the major axis a pair of pixels per step,
// weighted by the top 8 bits of a 32-bit error accumulator. Straight lines
// (and diagonals that include their end) are plain renderer lines.
void SurfacePainter::GfxAaLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, SDL_Color color,
                               bool drawEndpoint) {
    int32_t xx0 = x1;
    int32_t yy0 = y1;
    int32_t xx1 = x2;
    int32_t yy1 = y2;
    if (yy0 > yy1) {
        std::swap(yy0, yy1);
        std::swap(xx0, xx1);
    }
    int32_t dx = xx1 - xx0;
    int32_t dy = yy1 - yy0;
    int32_t xdir = 1;
    if (dx < 0) {
        xdir = -1;
        dx = -dx;
    }
    if (dx == 0) {
        if (drawEndpoint) {
            GfxLine(x1, y1, x1, y2, Ink(color));
        } else if (dy > 0) {
            GfxLine(x1, ToGfx(yy0), x1, ToGfx(yy0 + dy), Ink(color));
        } else {
            GfxPoint(x1, y1, color);
        }
        return;
    }
    if (dy == 0) {
        if (drawEndpoint) {
            GfxLine(x1, y1, x2, y1, Ink(color));
        } else {
            GfxLine(ToGfx(xx0), y1, ToGfx(xx0 + xdir * dx), y1, Ink(color));
        }
        return;
    }
    if (dx == dy && drawEndpoint) {
        GfxLine(x1, y1, x2, y2, Ink(color));
        return;
    }

    GfxPoint(x1, y1, color);
    uint32_t accumulator = 0;
    if (dy > dx) {
        const uint32_t step = AaLineErrorStep(dx, dy);
        int32_t nextX = xx0 + xdir;
        while (--dy != 0) {
            const uint32_t before = accumulator;
            accumulator += step;
            if (accumulator <= before) {
                xx0 = nextX;
                nextX += xdir;
            }
            ++yy0;
            const uint32_t weight = accumulator >> 24;
            GfxPlot(ToGfx(xx0), ToGfx(yy0), Ink::Weighted(color, 255 - weight));
            GfxPlot(ToGfx(nextX), ToGfx(yy0), Ink::Weighted(color, weight));
        }
    } else {
        const uint32_t step = AaLineErrorStep(dy, dx);
        int32_t nextY = yy0 + 1;
        while (--dx != 0) {
            const uint32_t before = accumulator;
            accumulator += step;
            if (accumulator <= before) {
                yy0 = nextY;
                ++nextY;
            }
            xx0 += xdir;
            const uint32_t weight = accumulator >> 24;
            GfxPlot(ToGfx(xx0), ToGfx(yy0), Ink::Weighted(color, 255 - weight));
            GfxPlot(ToGfx(xx0), ToGfx(nextY), Ink::Weighted(color, weight));
        }
    }
    if (drawEndpoint) {
        GfxPoint(x2, y2, color);
    }
}

// Every edge an anti-aliased line without its end, the last one closing on
// the first corner.
void SurfacePainter::AaPolygon(const int16_t* xs, const int16_t* ys, int count, SDL_Color color) {
    if (xs == nullptr || ys == nullptr || count < 3) {
        return;
    }
    for (int i = 1; i < count; ++i) {
        GfxAaLine(xs[i - 1], ys[i - 1], xs[i], ys[i], color, false);
    }
    GfxAaLine(xs[count - 1], ys[count - 1], xs[0], ys[0], color, false);
}

namespace {

// The weight of the outer pixel of a pair on an anti-aliased circle: the
// error over the step, at most 1, times 255, converted as x86-64 does.
uint8_t CircleWeight(int32_t error, int32_t step) {
    float share = 1.0f;
    if (step != 0) {
        // abs() of INT_MIN stays negative, as in the compiled code.
        const auto magnitude = [](int32_t v) {
            return v < 0 ? static_cast<int32_t>(0u - static_cast<uint32_t>(v)) : v;
        };
        share = static_cast<float>(magnitude(error)) / static_cast<float>(magnitude(step));
        if (share > 1.0f) {
            share = 1.0f;
        }
    }
    const float scaled = share * 255.0f;
    if (!(scaled >= -2147483648.0f && scaled < 2147483648.0f)) {
        return 0;
    }
    return static_cast<uint8_t>(static_cast<int32_t>(scaled));
}

} // namespace

// SDL2_gfx's anti-aliased ellipse with both radii equal: an integer midpoint
// walk over the first octant pair, mirrored into all four quadrants, each
// step weighting an inner and an outer pixel. Its error terms overflow 32
// bits for radii beyond about a thousand; that wrap-around, and the order in
// which its compiled comparisons subtract, decide which pixels a huge circle
// lights, so both are kept.
void SurfacePainter::AaCircle(int16_t x, int16_t y, int16_t radius, SDL_Color color) {
    if (radius < 0) {
        return;
    }
    if (radius == 0) {
        GfxPoint(x, y, color);
        return;
    }
    const int32_t r = radius;
    const int32_t a2 = r * r;
    const int32_t b2 = a2;
    const int32_t ds = 2 * a2;
    const int32_t dt = 2 * b2;
    const int16_t xc2 = ToGfx(2 * x);
    const int16_t yc2 = ToGfx(2 * y);
    const double sab = std::sqrt(double(a2) + double(b2));
    const int16_t overdraw = ToGfx(int32_t{ToGfx(std::lrint(sab * 0.01))} + 1);
    const int32_t dxt = int32_t{ToGfx(std::lrint(double(a2) / sab))} + overdraw;

    int32_t t = 0;
    int32_t s = WrapMul(-2 * a2, r);
    int32_t d = 0;
    int16_t xp = x;
    int16_t yp = ToGfx(y - r);
    int16_t xs = 0;
    int16_t ys = 0;

    GfxPoint(xp, yp, color);
    GfxPoint(ToGfx(xc2 - xp), yp, color);
    GfxPoint(xp, ToGfx(yc2 - yp), color);
    GfxPoint(ToGfx(xc2 - xp), ToGfx(yc2 - yp), color);

    for (int32_t i = 1; i <= dxt; ++i) {
        xp = ToGfx(xp - 1);
        d = WrapAdd(d, WrapSub(t, b2));
        if (d >= 0) {
            ys = ToGfx(yp - 1);
        } else if (WrapSub(d, s) > a2) {
            if (WrapSub(WrapAdd(d, d), s) >= a2) {
                ys = ToGfx(yp + 1);
            } else {
                ys = yp;
                yp = ToGfx(yp + 1);
                d = WrapSub(d, WrapAdd(s, a2));
                s = WrapAdd(s, ds);
            }
        } else {
            yp = ToGfx(yp + 1);
            ys = ToGfx(yp + 1);
            d = WrapSub(d, WrapAdd(s, a2));
            s = WrapAdd(s, ds);
        }
        t = WrapSub(t, dt);

        const uint8_t weight = CircleWeight(d, s);
        const Ink inner = Ink::Weighted(color, 255u - weight);
        const Ink outer = Ink::Weighted(color, weight);
        const int16_t xx = ToGfx(xc2 - xp);
        GfxPlotPair(xp, xx, yp, inner);
        GfxPlotPair(xp, xx, ys, outer);
        GfxPlotPair(xp, xx, ToGfx(yc2 - yp), inner);
        GfxPlotPair(xp, xx, ToGfx(yc2 - ys), outer);
    }

    const int16_t dyt = ToGfx(int32_t{ToGfx(std::lrint(double(b2) / sab))} + overdraw);
    for (int32_t i = 1; i <= dyt; ++i) {
        yp = ToGfx(yp + 1);
        d = WrapSub(d, WrapAdd(s, a2));
        if (d <= 0) {
            xs = ToGfx(xp + 1);
        } else if (WrapAdd(d, t) < b2) {
            if (WrapAdd(WrapAdd(d, t), d) <= b2) {
                xs = ToGfx(xp - 1);
            } else {
                xs = xp;
                xp = ToGfx(xp - 1);
                d = WrapAdd(d, WrapSub(t, b2));
                t = WrapSub(t, dt);
            }
        } else {
            xp = ToGfx(xp - 1);
            xs = ToGfx(xp - 1);
            d = WrapAdd(d, WrapSub(t, b2));
            t = WrapSub(t, dt);
        }
        s = WrapAdd(s, ds);

        const uint8_t weight = CircleWeight(d, t);
        const Ink inner = Ink::Weighted(color, 255u - weight);
        const Ink outer = Ink::Weighted(color, weight);
        const int16_t xx = ToGfx(xc2 - xp);
        const int16_t yy = ToGfx(yc2 - yp);
        const int16_t xxOuter = ToGfx(xc2 - xs);
        GfxPlotPair(xp, xx, yp, inner);
        GfxPlotPair(xp, xx, yy, inner);
        GfxPlotPair(xs, xxOuter, yp, outer);
        GfxPlotPair(xs, xxOuter, yy, outer);
    }
}
