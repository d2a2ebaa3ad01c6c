#include "document/PaperObject.h"

#include "document/PaperObjectCircle.h"
#include "document/PaperObjectLines.h"
#include "document/PaperObjectRect.h"
#include "document/PaperObjectText.h"

#include <SDL2/SDL_rect.h>

#include <utility>

bool PaperObject::Move(int32_t dx, int32_t dy) {
    record.SetX1(WrapAdd(record.X1(), dx));
    record.SetY1(WrapAdd(record.Y1(), dy));
    const bool second = HasSecondPoint(dx, dy);
    if (second) {
        record.SetX2(WrapAdd(record.X2(), dx));
        record.SetY2(WrapAdd(record.Y2(), dy));
    }
    return second;
}

ObjectBounds PaperObject::GetBounds() const {
    const ObjectPoints points = GetRect();
    ObjectBounds bounds = {points.first.x, points.first.y, points.second.x, points.second.y};
    if (bounds.right < bounds.left) {
        std::swap(bounds.left, bounds.right);
    }
    if (bounds.bottom < bounds.top) {
        std::swap(bounds.top, bounds.bottom);
    }
    return bounds;
}

// A document may hold a million objects, so each costs little beyond its
// record: the plain classes add nothing to PaperObject, a text only what its
// measuring keeps.
static_assert(sizeof(PaperObjectLines) == sizeof(PaperObject));
static_assert(sizeof(PaperObjectRect) == sizeof(PaperObject));
static_assert(sizeof(PaperObjectCircle) == sizeof(PaperObject));
static_assert(sizeof(PaperObjectText) <= sizeof(PaperObject) + 16);

std::shared_ptr<PaperObject> CreateObjectFromRecord(Paper* paper, const ObjectRecord& record) {
    switch (static_cast<ObjectKind>(record.Kind())) {
    case ObjectKind::Circle:
        return std::make_shared<PaperObjectCircle>(paper, record);
    case ObjectKind::Text:
        return std::make_shared<PaperObjectText>(paper, record);
    case ObjectKind::Rect:
        return std::make_shared<PaperObjectRect>(paper, record);
    case ObjectKind::Line:
    case ObjectKind::Measurement:
    case ObjectKind::DashedLine:
    case ObjectKind::Arrow:
        return std::make_shared<PaperObjectLines>(paper, record);
    }
    return nullptr;
}

bool SegmentTouches(const SDL_Rect& rect, SDL_Point a, SDL_Point b) {
    int x1 = a.x;
    int y1 = a.y;
    int x2 = b.x;
    int y2 = b.y;
    return SDL_IntersectRectAndLine(&rect, &x1, &y1, &x2, &y2) == SDL_TRUE;
}

bool PointInside(const SDL_Rect& rect, SDL_Point point) {
    return point.x >= rect.x && int64_t{point.x} < int64_t{rect.x} + rect.w && point.y >= rect.y &&
           int64_t{point.y} < int64_t{rect.y} + rect.h;
}
