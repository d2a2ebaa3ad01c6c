#pragma once
// One line of text, turned clockwise about its top-left corner. Its size comes
// from the paper's text measurer.

#include "document/PaperObject.h"

#include <cstdint>

class PaperObjectText final : public PaperObject {
  public:
    // Keeps at most 63 bytes of the record's text.
    PaperObjectText(Paper* owner, const ObjectRecord& record);

    ObjectPoints GetRect() const override;
    void AddEditFields(std::set<int32_t>& fields) const override;
    bool HasSecondPoint(int32_t dx, int32_t dy) const override;
    bool HitTest(const SDL_Rect& rect) const override;
    double DrawnDistance(SDL_Point point) const override;
    PixelBox GetDrawBox() const override;

    // The text's size in pixels as the paper's measurer gives it.
    SDL_Point TextSize() const;

  private:
    // The box's corners A (origin), B (below A), C (right of A), D (opposite A),
    // each turned about A.
    struct Corners {
        SDL_Point a, b, c, d;
    };
    Corners RotatedCorners() const;

    // Measuring is kept for the same text and measurer. They are remembered as
    // one 64-bit digest (0: nothing measured yet) rather than a copy of the
    // text field, so that a document of many texts stays small.
    mutable uint64_t measuredKey_ = 0;
    mutable SDL_Point measuredSize_ = {0, 0};
};
