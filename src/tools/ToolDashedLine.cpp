#include "tools/ToolDashedLine.h"

#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"
#include "view/PaperView.h"

void ToolDashedLine::Render(PaperView& view) {
    RenderSegment(view, DrawDashedLine);
}

const ToolRegistrar<ToolDashedLine> kDashedLineRegistration("dashed_line");
