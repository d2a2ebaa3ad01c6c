#pragma once
// Drawing the document's objects, and texts, onto a view in paper pixels:
// shapes through the view's painter, texts through its renderer. The objects
// know their geometry; how each kind looks is here.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>
#include <vector>

class PaperObject;
class PaperView;
class SurfacePainter;
typedef struct _TTF_Font TTF_Font;

// Draws `object` in `color` onto the view.
void DrawObject(PaperView& view, const PaperObject& object, SDL_Color color);
// The shape of circle objects, used for them and for the circle tool's preview.
void DrawCircleShape(SurfacePainter& painter, int32_t x, int32_t y, int16_t radius, int32_t sides,
                     int32_t angle, SDL_Color color);
// End marks with inward stubs and the length label between them.
void DrawMeasurement(PaperView& view, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                     SDL_Color color);
// One text in the view's font with its top-left corner at (x, y), turned
// clockwise about that corner by `angle` degrees.
void DrawText(PaperView& view, int32_t x, int32_t y, SDL_Color color, const std::string& text,
              int32_t angle);
// Lines of text, each centred horizontally, the block centred vertically on
// `centre`.
void DrawTextLines(PaperView& view, const std::vector<std::string>& lines, SDL_Color color,
                   SDL_Point centre);
