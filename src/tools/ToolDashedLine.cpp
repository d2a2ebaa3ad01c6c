#include "tools/ToolDashedLine.h"

#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"

void ToolDashedLine::Render() {
    RenderSegment(DrawDashedLine);
}

const ToolRegistrar<ToolDashedLine> kDashedLineRegistration("dashed_line");
