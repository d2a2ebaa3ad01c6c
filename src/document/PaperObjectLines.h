#pragma once
// A straight object between two points: plain line, dashed line, arrow or
// measurement, told apart by the record's kind.

#include "document/PaperObject.h"

// Plain lines are drawn this many pixels thick, and hit where they are drawn.
constexpr int32_t kPlainLineWidth = 2;

class PaperObjectLines final : public PaperObject {
  public:
    using PaperObject::PaperObject;
    ~PaperObjectLines() override;

    ObjectPoints GetRect() const override;
    void AddEditFields(std::set<int32_t>& fields) const override;
    bool HasSecondPoint(int32_t dx, int32_t dy) const override;
    bool HitTest(const SDL_Rect& rect) const override;
    double DrawnDistance(SDL_Point point) const override;
    PixelBox GetDrawBox() const override;

  private:
    SDL_Rect MeasurementLabelBox() const;
    double MeasurementDistance(SDL_Point point) const;
    // Where the measurement label lies depends on the length, the paper's scale
    // and unit and how texts measure; it is kept until one of them changes, in
    // a slot of a table shared by all lines (0: none yet). Only measurements
    // take one, and a four-byte slot number fits where the object has room to
    // spare, so that a document of a million plain lines pays nothing for it.
    mutable uint32_t labelSlot_ = 0;
};
