#pragma once
// A circle, or a regular polygon, from its centre and a point on its outline.
// Shift with the mouse wheel changes the number of sides while it is drawn.

#include "tools/ToolWithObject.h"

class PaperView;

// Two sides mean a true circle; three or more a polygon.
constexpr int32_t kCircleSides = 2;

class ToolCircle final : public ToolWithObject {
  public:
    ToolCircle() : ToolWithObject(ObjectKind::Circle) {}
    void Begin(const ToolContext& context) override;
    bool Click(const ToolContext& context) override;
    bool GetStatusText(const ToolContext& context, std::string& text) override;
    void Render(PaperView& view, const ToolContext& context) override;

    int32_t Sides() const { return record.Sides(); }
    // One side more or fewer; never fewer than a circle's two.
    void ChangeSides(int32_t delta);
    // The radius the circle gets now: the distance to the tool position,
    // limited to what the record's 16-bit radius holds.
    int16_t Radius(const ToolContext& context) const;
};
