#pragma once
// An axis-aligned rectangle outline between two corners.

#include "document/PaperObject.h"

class PaperObjectRect final : public PaperObject {
  public:
    using PaperObject::PaperObject;

    ObjectPoints GetRect() const override;
    void AddEditFields(std::set<int32_t>& fields) const override;
    bool HasSecondPoint(int32_t dx, int32_t dy) const override;
    bool HitTest(const SDL_Rect& rect) const override;
    double DrawnDistance(SDL_Point point) const override;
    PixelBox GetDrawBox() const override;
};
