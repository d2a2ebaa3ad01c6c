#pragma once
// Small numeric helpers shared by the drawing routines and the paper objects.
// Coordinates may come from a file and lie anywhere in the 32-bit range, so
// conversions and sums here never overflow into undefined behaviour.

#include <SDL2/SDL_rect.h>

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
