#pragma once
// A chain of dashed segments.

#include "tools/ToolLine.h"

class ToolDashedLine final : public ToolLine {
  public:
    ToolDashedLine() : ToolLine(ObjectKind::DashedLine) {}
    void Render() override;
};
