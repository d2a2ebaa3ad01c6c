#include "tools/ToolArrow.h"

#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"
#include "view/PaperView.h"

void ToolArrow::Render(PaperView& view, const ToolContext& context) {
    RenderSegment(view, context, DrawArrow);
}

const ToolRegistrar<ToolArrow> kArrowRegistration("arrow");
