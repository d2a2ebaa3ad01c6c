#pragma once
// A chain of dashed segments.

#include "tools/ToolLine.h"

class PaperView;

class ToolDashedLine final : public ToolLine {
  public:
    ToolDashedLine() : ToolLine(ObjectKind::DashedLine) {}
    void Render(PaperView& view, const ToolContext& context) override;
};
