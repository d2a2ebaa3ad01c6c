#include "tools/ToolRect.h"

#include "document/Paper.h"
#include "document/Units.h"
#include "draw/Geometry.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"
#include "view/PaperView.h"

bool ToolRect::Click(const ToolContext& context) {
    // The corners stay in the order clicked; the object copes with any order.
    const SDL_Point corner = ToolPoint(context);
    record.SetX2(corner.x);
    record.SetY2(corner.y);
    Commit(context);
    return false;
}

bool ToolRect::GetStatusText(const ToolContext& context, std::string& text) {
    if (context.paper == nullptr) {
        return false;
    }
    const Paper& paper = *context.paper;
    const SDL_Point corner = ToolPoint(context);
    // Signed: negative when the second corner lies left of or above the first.
    const double w = HorizontalPixelsToUnits(paper, double(int64_t{corner.x} - record.X1()));
    const double h = VerticalPixelsToUnits(paper, double(int64_t{corner.y} - record.Y1()));
    text = FormatToolText("size: %.02fx%.02f %s", w, h, UnitAbbreviation(paper));
    return true;
}

void ToolRect::Render(PaperView& view, const ToolContext& context) {
    // Drawn exactly as the rectangle object will be, negative sizes included.
    const SDL_Point corner = ToolPoint(context);
    const SDL_Rect outline = {record.X1(), record.Y1(), WrapSub(corner.x, record.X1()),
                              WrapSub(corner.y, record.Y1())};
    view.Painter().Rect(outline, CurrentDrawingColor(view.paper));
}

const ToolRegistrar<ToolRect> kRectRegistration("rect");
