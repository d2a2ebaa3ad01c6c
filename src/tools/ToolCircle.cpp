#include "tools/ToolCircle.h"

#include "document/Paper.h"
#include "document/PaperObjectCircle.h"
#include "document/Units.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"
#include "view/ObjectDrawing.h"
#include "view/PaperView.h"

#include <algorithm>
#include <cstdlib>

void ToolCircle::Begin(const ToolContext& context) {
    ToolWithObject::Begin(context);
    record.SetSides(kCircleSides);
}

void ToolCircle::ChangeSides(int32_t delta) {
    const int64_t sides = int64_t{record.Sides()} + delta;
    record.SetSides(static_cast<int32_t>(std::clamp<int64_t>(sides, kCircleSides, INT32_MAX)));
}

int16_t ToolCircle::Radius(const ToolContext& context) const {
    // A radius of 32768 or more would read back negative from the record.
    return static_cast<int16_t>(ClampToInt16(std::abs(int64_t{GetLength(context)})));
}

bool ToolCircle::Click(const ToolContext& context) {
    record.SetRadius(Radius(context));
    record.SetAngle(static_cast<int16_t>(context.rotation));
    Commit(context);
    return false;
}

bool ToolCircle::GetStatusText(const ToolContext& context, std::string& text) {
    if (context.paper == nullptr) {
        return false;
    }
    const Paper& paper = *context.paper;
    text = FormatToolText("rad: %.02f %s", HorizontalPixelsToUnits(paper, Radius(context)),
                          UnitAbbreviation(paper));
    if (record.Sides() > kCircleSides) {
        text += " | sides: " + std::to_string(record.Sides());
    }
    text += " | Shift+M-Wheel for # of sides. M-Wheel to rotate.";
    return true;
}

void ToolCircle::Render(PaperView& view, const ToolContext& context) {
    SurfacePainter painter = view.Painter();
    DrawCircleShape(painter, record.X1(), record.Y1(), Radius(context), record.Sides(),
                    context.rotation, CurrentDrawingColor(view.paper));
}

const ToolRegistrar<ToolCircle> kCircleRegistration("circle");
