#pragma once
// Small numeric helpers shared by the drawing routines and the paper objects.
// Coordinates may come from a file and lie anywhere in the 32-bit range, so
// conversions and sums here never overflow into undefined behaviour.

#include <SDL2/SDL_rect.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

constexpr double kDegreesToRadians = 0.017453292519943295;

// Truncation toward zero, saturated to the 32-bit range (NaN gives 0).
inline int32_t TruncToInt32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= INT32_MIN) {
        return INT32_MIN;
    }
    if (value >= INT32_MAX) {
        return INT32_MAX;
    }
    return static_cast<int32_t>(value);
}

// A coordinate as SDL2_gfx takes it: the low 16 bits, read signed.
inline int16_t ToGfx(int64_t value) {
    return static_cast<int16_t>(static_cast<uint16_t>(value));
}

// Cuts the segment to the coordinates SDL2_gfx can take. False when none of it
// lies there. Without this an end past 32767 would wrap to the far side and the
// segment would be drawn as a long stray line across the whole paper.
inline bool ClipSegmentToGfx(int64_t& x1, int64_t& y1, int64_t& x2, int64_t& y2) {
    constexpr double kLow = INT16_MIN;
    constexpr double kHigh = INT16_MAX;
    const auto inside = [](int64_t v) { return v >= INT16_MIN && v <= INT16_MAX; };
    if (inside(x1) && inside(y1) && inside(x2) && inside(y2)) {
        return true;
    }
    // Liang-Barsky: the part of the segment, as t in [0, 1], inside the box.
    const double dx = double(x2 - x1);
    const double dy = double(y2 - y1);
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(x1) - kLow, kHigh - double(x1), double(y1) - kLow,
                         kHigh - double(y1)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) {
        return false;
    }
    const int64_t ox = x1;
    const int64_t oy = y1;
    const auto at = [](int64_t origin, double delta, double t) {
        return std::clamp<int64_t>(std::llround(double(origin) + delta * t), INT16_MIN, INT16_MAX);
    };
    x1 = at(ox, dx, t0);
    y1 = at(oy, dy, t0);
    x2 = at(ox, dx, t1);
    y2 = at(oy, dy, t1);
    return true;
}

// Two's-complement sum, wrapping like the 32-bit fields it updates.
inline int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

// (px, py) turned about (ox, oy) by `degrees`, clockwise on screen (y grows
// downwards), each offset truncated toward zero.
inline SDL_Point RotatePoint(int32_t px, int32_t py, int32_t ox, int32_t oy, double degrees) {
    const double a = degrees * kDegreesToRadians;
    const double dx = double(int64_t{px} - ox);
    const double dy = double(int64_t{py} - oy);
    return {WrapAdd(ox, TruncToInt32(std::cos(a) * dx - std::sin(a) * dy)),
            WrapAdd(oy, TruncToInt32(std::sin(a) * dx + std::cos(a) * dy))};
}

// How far (px, py) lies from the segment a-b, in pixels; a segment of zero
// length is its one point. Doubles hold every 32-bit coordinate exactly.
inline double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0) {
        t = ((px - ax) * dx + (py - ay) * dy) / lengthSquared;
        t = t < 0.0 ? 0.0 : t > 1.0 ? 1.0 : t;
    }
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

inline double SegmentDistance(SDL_Point p, SDL_Point a, SDL_Point b) {
    return SegmentDistance(p.x, p.y, a.x, a.y, b.x, b.y);
}

// How far (px, py) lies from the box left..right, top..bottom: 0 inside it.
inline double BoxDistance(double px, double py, double left, double top, double right,
                          double bottom) {
    const double outX = px < left ? left - px : px > right ? px - right : 0.0;
    const double outY = py < top ? top - py : py > bottom ? py - bottom : 0.0;
    return std::hypot(outX, outY);
}

// An inclusive pixel box in 64 bits, for telling whether a shape can touch an area.
struct PixelBox {
    int64_t left;
    int64_t top;
    int64_t right;
    int64_t bottom;

    bool Touches(const SDL_Rect& area) const {
        return left < int64_t{area.x} + area.w && right >= area.x &&
               top < int64_t{area.y} + area.h && bottom >= area.y;
    }
    PixelBox Grown(int64_t margin) const {
        return {left - margin, top - margin, right + margin, bottom + margin};
    }
    PixelBox Shifted(int64_t dx, int64_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
};

inline PixelBox BoxOf(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
}

// SDL2_gfx takes coordinates as 16-bit values, so a shape whose coordinates
// lie beyond that range lands wrapped around. Given the box of a shape and one
// of its points, this is the box where SDL2_gfx really draws it; a shape that
// the wrap tears apart may land anywhere in the 16-bit plane.
inline PixelBox Wrap16Box(const PixelBox& box, int64_t refX, int64_t refY) {
    const int64_t shiftX = static_cast<int16_t>(static_cast<uint16_t>(refX)) - refX;
    const int64_t shiftY = static_cast<int16_t>(static_cast<uint16_t>(refY)) - refY;
    const PixelBox shifted = box.Shifted(shiftX, shiftY);
    if (shifted.left >= INT16_MIN && shifted.right <= INT16_MAX && shifted.top >= INT16_MIN &&
        shifted.bottom <= INT16_MAX) {
        return shifted;
    }
    return {INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX};
}
