#include "tools/ToolLine.h"

#include "document/Paper.h"
#include "document/Units.h"
#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"
#include "view/PaperView.h"

#include <cmath>

namespace {

constexpr double kRadiansToDegrees = 57.29577951308232;
constexpr double kHalfTurn = 180.0;

// Negative values carry their own minus sign; zero and up get a plus.
const char* SignOf(double value) {
    return value < 0 ? "" : "+";
}

} // namespace

std::string LineStatusText(const Paper& paper, SDL_Point start, SDL_Point end, int32_t length) {
    const double dx = double(int64_t{end.x} - start.x);
    const double dy = double(int64_t{end.y} - start.y);
    const double len = HorizontalPixelsToUnits(paper, length);
    const double ex = HorizontalPixelsToUnits(paper, dx);
    const double ey = VerticalPixelsToUnits(paper, dy);
    // A bearing: 0 up the screen, 90 to the right, 180 down, 270 to the left.
    double turn = std::atan2(dx, dy) * kRadiansToDegrees;
    if (std::isnan(turn)) {
        turn = 0.0;
    }
    const double bearing = kHalfTurn - turn;
    return FormatToolText("len: %.02f %s | diff: %s%.02f, %s%.02f | ang: %.02f\xC2\xB0", len,
                          UnitAbbreviation(paper), SignOf(ex), ex, SignOf(ey), ey, bearing);
}

bool ToolLine::Click(const ToolContext& context) {
    const SDL_Point end = ToolPoint(context);
    record.SetX2(end.x);
    record.SetY2(end.y);
    Commit(context);
    // The chain goes on: the next Begin starts a segment at this point.
    return true;
}

bool ToolLine::GetStatusText(const ToolContext& context, std::string& text) {
    if (context.paper == nullptr) {
        return false;
    }
    text = LineStatusText(*context.paper, {record.X1(), record.Y1()}, ToolPoint(context),
                          GetLength(context));
    return true;
}

void ToolLine::RenderSegment(PaperView& view, const ToolContext& context,
                             SegmentDrawer draw) const {
    SurfacePainter painter = view.Painter();
    const SDL_Point end = ToolPoint(context);
    draw(painter, record.X1(), record.Y1(), end.x, end.y, CurrentDrawingColor(view.paper));
}

void ToolLine::Render(PaperView& view, const ToolContext& context) {
    RenderSegment(view, context, DrawPixelLine);
}

const ToolRegistrar<ToolLine> kLineRegistration("line");
