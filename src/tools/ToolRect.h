#pragma once
// An axis-aligned rectangle from two corners.

#include "tools/ToolWithObject.h"

class PaperView;

class ToolRect final : public ToolWithObject {
  public:
    ToolRect() : ToolWithObject(ObjectKind::Rect) {}
    bool Click(const ToolContext& context) override;
    bool GetStatusText(const ToolContext& context, std::string& text) override;
    void Render(PaperView& view, const ToolContext& context) override;
};
