#include "tools/ToolDashedLine.h"

#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"
#include "view/PaperView.h"

void ToolDashedLine::Render(PaperView& view, const ToolContext& context) {
    RenderSegment(view, context, DrawDashedLine);
}

const ToolRegistrar<ToolDashedLine> kDashedLineRegistration("dashed_line");
