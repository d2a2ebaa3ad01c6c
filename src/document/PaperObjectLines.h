#pragma once
// A straight object between two points: plain line, dashed line, arrow or
// measurement, told apart by the record's kind.

#include "document/PaperObject.h"

// Plain lines are drawn this many pixels thick, and hit where they are drawn.
constexpr int32_t kPlainLineWidth = 2;

class PaperObjectLines final : public PaperObject {
  public:
    using PaperObject::PaperObject;

    ObjectPoints GetRect() const override;
    void AddEditFields(std::set<int32_t>& fields) const override;
    bool HasSecondPoint(int32_t dx, int32_t dy) const override;
    bool HitTest(const SDL_Rect& rect) const override;
    double DrawnDistance(SDL_Point point) const override;
    PixelBox GetDrawBox() const override;

  private:
    // Where the measurement label lies depends on the length, the paper's scale
    // and unit and how texts measure; it is kept until one of them changes.
    struct LabelBoxCache {
        bool valid = false;
        int32_t x1, y1, x2, y2;
        int32_t blockWidth, blocksPerUnit, unitIndex;
        const void* measurer;
        uint32_t generation;
        SDL_Rect rect;
    };
    SDL_Rect MeasurementLabelBox() const;
    double MeasurementDistance(SDL_Point point) const;
    // Made on first use: only measurements have a label, and a document may
    // hold a million plain lines.
    mutable std::unique_ptr<LabelBoxCache> labelBox_;
};
