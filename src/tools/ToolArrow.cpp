#include "tools/ToolArrow.h"

#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"

void ToolArrow::Render() {
    RenderSegment(DrawArrow);
}

const ToolRegistrar<ToolArrow> kArrowRegistration("arrow");
