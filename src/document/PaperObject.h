#pragma once
// Everything drawn on a paper is a PaperObject: a 256-byte record holding its
// persistent state plus the geometry of its class (bounds, hit testing,
// moving). Drawing them is the view's work (view/ObjectDrawing.h). Objects are shared between a
// paper's list, its selection and its undo records.

#include "document/ObjectRecord.h"
#include "draw/Geometry.h"

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <memory>
#include <set>

class Paper;

// Control ids of the Edit Object dialog that an object offers beyond position,
// layer and colour, which every object has.
constexpr int32_t kEditFieldText = 1001;
constexpr int32_t kEditFieldPosition2X = 1005;
constexpr int32_t kEditFieldPosition2Y = 1006;
constexpr int32_t kEditFieldRadius = 1007;
constexpr int32_t kEditFieldAngle = 1008;
constexpr int32_t kEditFieldSwap = 1009;
constexpr int32_t kEditFieldLineType = 1015;

struct ObjectPoints {
    SDL_Point first;
    SDL_Point second;
};

// Left <= right and top <= bottom.
struct ObjectBounds {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

class PaperObject {
  public:
    PaperObject(Paper* owner, const ObjectRecord& record) : owner(owner), record(record) {}
    virtual ~PaperObject() = default;
    PaperObject(const PaperObject&) = delete;
    PaperObject& operator=(const PaperObject&) = delete;

    // The two defining points: the stored ones for lines and rectangles, the
    // enclosing square for circles, origin and far corner for texts.
    virtual ObjectPoints GetRect() const = 0;
    // Adds the Edit Object controls this object offers.
    virtual void AddEditFields(std::set<int32_t>& fields) const { (void)fields; }
    virtual bool HasSecondPoint(int32_t dx, int32_t dy) const = 0;
    // Shifts the first point, and the second where there is one.
    virtual bool Move(int32_t dx, int32_t dy);
    // GetRect ordered so that left <= right and top <= bottom.
    virtual ObjectBounds GetBounds() const;
    // True when the drawn outline touches `rect` (interiors do not count).
    virtual bool HitTest(const SDL_Rect& rect) const = 0;
    // How far `point` lies from what is drawn of the object, in pixels: 0 on
    // the drawing, and anywhere inside a text's box. A click picks objects by
    // this, so that a thin outline can be hit without pixel precision.
    virtual double DrawnDistance(SDL_Point point) const = 0;
    // Every pixel the drawing can touch lies inside this box, so objects that miss
    // the part of the paper being drawn are skipped.
    virtual PixelBox GetDrawBox() const = 0;

    ObjectKind Kind() const { return static_cast<ObjectKind>(record.Kind()); }

    Paper* owner; // never owning
    int32_t id = 0;
    ObjectRecord record;
};

// Builds the class that belongs to the record's kind, owned by `paper`, with
// id 0; null for a kind without a class.
std::shared_ptr<PaperObject> CreateObjectFromRecord(Paper* paper, const ObjectRecord& record);

// SDL_IntersectRectAndLine on copies of the end points.
bool SegmentTouches(const SDL_Rect& rect, SDL_Point a, SDL_Point b);
// Half-open: x <= px < x + w.
bool PointInside(const SDL_Rect& rect, SDL_Point point);
// How far a point lies outside a stroke `width` pixels wide, given its
// distance from the stroke's centre line.
inline double OutsideStroke(double centreDistance, double width) {
    const double outside = centreDistance - width / 2;
    return outside > 0.0 ? outside : 0.0;
}
