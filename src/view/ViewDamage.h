#pragma once
// What a view needs to redraw only the part of its picture that changed.
//
// The document is changed in many ways, some of them straight to its fields,
// so the view does not rely on being told: each frame it compares what every
// object looks like now with what it drew last time, and the boxes of the
// objects that changed, came or went are the damage. Only those rectangles are
// drawn again, with every object that touches them, in document order.

#include "draw/Geometry.h"

#include <SDL2/SDL_rect.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// One object as the view last drew it, in 16 bytes: a view keeps one for
// every object of the document.
struct DrawnObject {
    // A digest of everything its drawing depends on besides the scene: its id
    // and record, whether it is selected, and how far a drag carries it.
    uint64_t look = 0;
    // Every pixel it drew lies inside this box (inclusive), cut to the 16-bit
    // range that holds every paper; empty (right < left) when nothing was.
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = -1;
    int16_t bottom = -1;

    bool HasBox() const { return right >= left; }
    PixelBox Box() const { return {left, top, right, bottom}; }
    void SetBox(const PixelBox& box);
};
// A 64-bit digest of everything a drawing depends on: two with the same
// digest draw the same pixels.
class ViewFingerprint {
  public:
    void Add(const void* data, size_t size);
    template <class T> void Add(const T& value) { Add(&value, sizeof value); }
    uint64_t Value() const { return value_; }

  private:
    void Mix(uint64_t word);
    uint64_t value_ = 0x9E3779B97F4A7C15ull;
};

// The rectangles of a view that must be drawn again, in paper pixels, each
// inside the view's area. A few separate rectangles are kept so that changes
// far apart do not redraw everything between them; past that they are joined.
class DamageRegion {
  public:
    explicit DamageRegion(const SDL_Rect& area) : area_(area) {}
    void Add(const PixelBox& box);
    void Add(const SDL_Rect& rect);
    // The whole area: used when the change cannot be told piece by piece.
    void AddEverything() { Add(area_); }
    bool Empty() const { return rects_.empty(); }
    bool Everything() const;
    const std::vector<SDL_Rect>& Rects() const { return rects_; }
    // The smallest rectangle holding them all.
    SDL_Rect Bounds() const;

  private:
    SDL_Rect area_;
    std::vector<SDL_Rect> rects_;
};

// Compares the objects drawn last time (`before`, in document order) with the
// ones to draw now (`now`, looks filled in, boxes not yet) and adds the boxes
// of what changed to `damage`. Objects that did not change take their old box;
// the others get theirs from `boxOf(index in now)`. False when the order of
// the objects changed or looks repeat: then only a whole redraw is sure to be
// right.
bool FindDamage(const std::vector<DrawnObject>& before, std::vector<DrawnObject>& now,
                const std::function<PixelBox(size_t)>& boxOf, DamageRegion& damage);
