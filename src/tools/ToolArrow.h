#pragma once
// A chain of arrows, each pointing at the point that ends it.

#include "tools/ToolLine.h"

class PaperView;

class ToolArrow final : public ToolLine {
  public:
    ToolArrow() : ToolLine(ObjectKind::Arrow) {}
    void Render(PaperView& view, const ToolContext& context) override;
};
