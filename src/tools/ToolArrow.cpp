#include "tools/ToolArrow.h"

#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"
#include "view/PaperView.h"

void ToolArrow::Render(PaperView& view) {
    RenderSegment(view, DrawArrow);
}

const ToolRegistrar<ToolArrow> kArrowRegistration("arrow");
