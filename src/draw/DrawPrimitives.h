#pragma once
// The shapes that are not plain SDL lines: dashed lines, arrows and
// measurement marks. They paint onto the surface of a paper's own renderer in paper pixels, through
// a painter set up with that renderer's viewport and clip rectangle; the surface may cover only
// part of the paper, and every routine here gives the same pixels whichever part is covered.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class SurfacePainter;
struct SDL_Renderer;

// 10 pixels on, 10 off.
void DrawDashedLine(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                    SDL_Color color);
// A shaft with an outlined head at (x2, y2).
void DrawArrow(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
               SDL_Color color);
// The two back corners of the head DrawArrow puts at (x2, y2).
struct ArrowHead {
    SDL_Point left;
    SDL_Point right;
};
ArrowHead ArrowHeadCorners(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// Sets the draw colour together with the blend mode SDL2_gfx picks for it
// (blending only for a translucent colour), so a shape drawn with SDL's own
// calls looks the same whatever was drawn before it.
void SetPaperDrawColor(SDL_Renderer* renderer, SDL_Color color);

// A 1-pixel line exactly as SDL's renderer draws it on a whole-paper target.
void DrawPixelLine(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                   SDL_Color color);

// Where a measurement puts its marks and label, for drawing and for telling
// whether it can touch a part of the paper.
enum class MeasurementCase { Vertical, Horizontal, Slanted };
struct MeasurementGeometry {
    MeasurementCase kind;
    int32_t x0; // vertical and horizontal cases: the first mark
    int32_t y0;
    int64_t length; // pixels
    int64_t fitWidth;
    SDL_Point centre;
};
MeasurementGeometry MeasureMeasurement(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// The strokes of a measurement's end marks: the tick across each end and its
// stub pointing inward. Upright measurements draw each as a 2-pixel thick
// line; slanted ones as an anti-aliased line drawn twice, the copy one pixel
// lower. Drawing and the click test both take them from here.
struct MarkStroke {
    int64_t x1, y1, x2, y2;
};
std::array<MarkStroke, 4> MeasurementMarkStrokes(int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                                                 const MeasurementGeometry& geometry);
// Draws the end marks with their inward stubs, without the label.
void DrawMeasurementMarks(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                          const MeasurementGeometry& geometry, SDL_Color color);
