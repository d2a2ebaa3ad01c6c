#include "document/PaperObjectRect.h"

#include "document/Paper.h"
#include "draw/Geometry.h"

#include <SDL2/SDL_rect.h>

#include <algorithm>

namespace {

// SDL draws the right and bottom edges one pixel inside x + w and y + h, which
// lands outside the corner box when the size is zero or negative.
constexpr int64_t kRectMargin = 1;

} // namespace

ObjectPoints PaperObjectRect::GetRect() const {
    return {{record.X1(), record.Y1()}, {record.X2(), record.Y2()}};
}

void PaperObjectRect::AddEditFields(std::set<int32_t>& fields) const {
    fields.insert({kEditFieldPosition2X, kEditFieldPosition2Y});
}

bool PaperObjectRect::HasSecondPoint(int32_t /*dx*/, int32_t /*dy*/) const {
    return true;
}

bool PaperObjectRect::HitTest(const SDL_Rect& rect) const {
    const SDL_Point a = {record.X1(), record.Y1()};
    const SDL_Point b = {record.X2(), record.Y1()};
    const SDL_Point c = {record.X2(), record.Y2()};
    const SDL_Point d = {record.X1(), record.Y2()};
    return SegmentTouches(rect, a, b) || SegmentTouches(rect, b, c) || SegmentTouches(rect, c, d) ||
           SegmentTouches(rect, d, a);
}

double PaperObjectRect::DrawnDistance(SDL_Point point) const {
    // SDL draws the far edges one pixel inside the second corner.
    const double left = record.X1();
    const double top = record.Y1();
    const double right = double(record.X2()) - 1;
    const double bottom = double(record.Y2()) - 1;
    return std::min({SegmentDistance(point.x, point.y, left, top, right, top),
                     SegmentDistance(point.x, point.y, right, top, right, bottom),
                     SegmentDistance(point.x, point.y, right, bottom, left, bottom),
                     SegmentDistance(point.x, point.y, left, bottom, left, top)});
}

PixelBox PaperObjectRect::GetDrawBox() const {
    return BoxOf(record.X1(), record.Y1(), record.X2(), record.Y2()).Grown(kRectMargin);
}
