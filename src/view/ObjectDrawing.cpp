#include "view/ObjectDrawing.h"

#include "document/MeasurementLabel.h"
#include "document/PaperObject.h"
#include "document/PaperObjectCircle.h"
#include "document/PaperObjectLines.h"
#include "draw/DrawPrimitives.h"
#include "draw/Geometry.h"
#include "draw/SurfacePainter.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>

namespace {

void DrawLineObject(PaperView& view, const PaperObject& object, SDL_Color color) {
    const ObjectRecord& record = object.record;
    const int32_t x1 = record.X1();
    const int32_t y1 = record.Y1();
    const int32_t x2 = record.X2();
    const int32_t y2 = record.Y2();
    switch (object.Kind()) {
    case ObjectKind::Measurement:
        DrawMeasurement(view, x1, y1, x2, y2, color);
        break;
    case ObjectKind::DashedLine: {
        SurfacePainter painter = view.Painter();
        DrawDashedLine(painter, x1, y1, x2, y2, color);
        break;
    }
    case ObjectKind::Arrow: {
        SurfacePainter painter = view.Painter();
        DrawArrow(painter, x1, y1, x2, y2, color);
        break;
    }
    default:
        view.Painter().ThickLine(ToGfx(x1), ToGfx(y1), ToGfx(x2), ToGfx(y2),
                                 static_cast<uint8_t>(kPlainLineWidth), color);
        break;
    }
}

void DrawRectObject(PaperView& view, const ObjectRecord& record, SDL_Color color) {
    const SDL_Rect rect = {record.X1(), record.Y1(), WrapSub(record.X2(), record.X1()),
                           WrapSub(record.Y2(), record.Y1())};
    view.Painter().Rect(rect, color);
}

} // namespace

void DrawObject(PaperView& view, const PaperObject& object, SDL_Color color) {
    if (view.Renderer() == nullptr) {
        return;
    }
    const ObjectRecord& record = object.record;
    switch (object.Kind()) {
    case ObjectKind::Circle: {
        SurfacePainter painter = view.Painter();
        DrawCircleShape(painter, record.X1(), record.Y1(), record.Radius(), record.Sides(),
                        record.Angle(), color);
        break;
    }
    case ObjectKind::Text:
        DrawText(view, record.X1(), record.Y1(), color, record.Text(), record.Angle());
        break;
    case ObjectKind::Rect:
        DrawRectObject(view, record, color);
        break;
    case ObjectKind::Line:
    case ObjectKind::Measurement:
    case ObjectKind::DashedLine:
    case ObjectKind::Arrow:
        DrawLineObject(view, object, color);
        break;
    }
}

void DrawCircleShape(SurfacePainter& painter, int32_t x, int32_t y, int16_t radius, int32_t sides,
                     int32_t angle, SDL_Color color) {
    if (sides < kMinPolygonSides) {
        painter.AaCircle(ToGfx(x), ToGfx(y), radius, color);
        return;
    }
    const PolygonCorners corners = PolygonVertices(x, y, radius, sides, angle);
    painter.AaPolygon(corners.x.data(), corners.y.data(), static_cast<int>(corners.x.size()),
                      color);
}

void DrawMeasurement(PaperView& view, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     SDL_Color color) {
    if (view.Renderer() == nullptr) {
        return;
    }
    const MeasurementGeometry g = MeasureMeasurement(x1, y1, x2, y2);
    SurfacePainter painter = view.Painter();
    DrawMeasurementMarks(painter, x1, y1, x2, y2, g, color);

    // A joined label is one line centred the same way.
    DrawTextLines(view, LayOutMeasurementLabel(view.paper, g).lines, color, g.centre);
}

void DrawText(PaperView& view, int32_t x, int32_t y, SDL_Color color, const std::string& text,
              int32_t angle) {
    SDL_Renderer* renderer = view.Renderer();
    if (view.Font() == nullptr || renderer == nullptr) {
        return;
    }
    int width = 0;
    int height = 0;
    SDL_Texture* texture = view.textCache.Get(renderer, view.Font(), text, color, width, height);
    if (texture == nullptr) {
        return;
    }
    const SDL_Rect destination = {x, y, width, height};
    if (angle == 0) {
        SDL_RenderCopy(renderer, texture, nullptr, &destination);
    } else {
        const SDL_Point corner = {0, 0};
        SDL_RenderCopyEx(renderer, texture, nullptr, &destination, angle, &corner, SDL_FLIP_NONE);
    }
}

void DrawTextLines(PaperView& view, const std::vector<std::string>& lines, SDL_Color color,
                   SDL_Point centre) {
    std::vector<SDL_Point> sizes;
    for (const std::string& line : lines) {
        sizes.push_back(MeasureText(view.paper, line));
    }
    const std::vector<SDL_Point> corners = CentredLineCorners(sizes, centre);
    for (size_t i = 0; i < lines.size(); ++i) {
        DrawText(view, corners[i].x, corners[i].y, color, lines[i], 0);
    }
}
