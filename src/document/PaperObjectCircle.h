#pragma once
// A circle, or a regular polygon when the record asks for three or more sides.

#include "document/PaperObject.h"

#include <SDL2/SDL_stdinc.h>

#include <vector>

// A side count beyond this draws like this many sides: far more corners than
// any circle has pixels on its outline, and a count from a file cannot make
// drawing or hit testing run away.
constexpr int32_t kMaxPolygonSides = 4096;
// Fewer sides than this make a true circle.
constexpr int32_t kMinPolygonSides = 3;

struct PolygonCorners {
    std::vector<Sint16> x;
    std::vector<Sint16> y;
};

// The corners of the polygon centred on (x, y) with its first corner at
// `angle` degrees, in SDL2_gfx's 16-bit coordinates. The number of corners
// comes from accumulating 360 / sides in double precision.
PolygonCorners PolygonVertices(int32_t x, int32_t y, int16_t radius, int32_t sides, int32_t angle);

class PaperObjectCircle final : public PaperObject {
  public:
    using PaperObject::PaperObject;

    ObjectPoints GetRect() const override;
    void AddEditFields(std::set<int32_t>& fields) const override;
    bool HasSecondPoint(int32_t dx, int32_t dy) const override;
    bool HitTest(const SDL_Rect& rect) const override;
    double DrawnDistance(SDL_Point point) const override;
    PixelBox GetDrawBox() const override;
};
