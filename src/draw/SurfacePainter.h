#pragma once
// Drawing straight into the pixels of a 16-bit RGB565 surface, the format the
// paper is drawn in. Each routine gives exactly the pixels that SDL2_gfx, or
// SDL's own point, line and rectangle calls, give through a software renderer
// on the same surface: the same pixel walks and anti-aliasing weights, the
// same colour blending (an opaque colour replaces a pixel, any other is
// blended with its alpha), the same clipping and the same 16-bit coordinate
// wrap-around. Only the cost differs: SDL2_gfx calls the renderer once per
// pixel, these routines touch each pixel once in one pass.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstddef>
#include <cstdint>

struct SDL_Surface;

class SurfacePainter {
  public:
    // `viewport` is what SDL_RenderSetViewport would be given: coordinate
    // (0, 0) lands on its corner, and nothing is drawn outside it or outside
    // the surface. A surface that is not RGB565 is left alone. The painter
    // writes to the pixels at once, so a renderer drawing on the same surface
    // must be flushed (SDL_RenderFlush) before painting for the order of the
    // drawing to hold; and it must not outlive the surface. `clip` is what
    // SDL_RenderSetClipRect would be given, in viewport coordinates: null
    // draws everywhere in the viewport, anything else only inside it (an
    // empty rectangle nowhere).
    SurfacePainter(SDL_Surface* surface, const SDL_Rect& viewport, const SDL_Rect* clip = nullptr);

    // The part of the viewport's coordinates that can be drawn on: inside the
    // viewport, the clip rectangle and the surface. Empty when nothing can.
    SDL_Rect DrawableArea() const;

    // SDL_RenderDrawPoints, SDL_RenderDrawLine and SDL_RenderDrawRect with the
    // blend mode set as for SDL2_gfx (blending only a translucent colour).
    void Points(const SDL_Point* points, size_t count, SDL_Color color);
    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, SDL_Color color);
    void Rect(const SDL_Rect& rect, SDL_Color color);

    // SDL2_gfx's boxRGBA, thickLineRGBA, aalineRGBA, aapolygonRGBA and
    // aacircleRGBA.
    void Box(int16_t x1, int16_t y1, int16_t x2, int16_t y2, SDL_Color color);
    void ThickLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, uint8_t width, SDL_Color color);
    void AaLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, SDL_Color color);
    void AaPolygon(const int16_t* xs, const int16_t* ys, int count, SDL_Color color);
    void AaCircle(int16_t x, int16_t y, int16_t radius, SDL_Color color);

  private:
    struct Ink;

    // Surface coordinates from here on: the viewport corner already added.
    void Plot(int32_t x, int32_t y, const Ink& ink);
    void Span(int32_t x1, int32_t x2, int32_t y, const Ink& ink);
    void Segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, bool drawEnd, const Ink& ink);
    bool CutToClip(int& x1, int& y1, int& x2, int& y2) const;
    void HorizontalLine(int32_t x1, int32_t x2, int32_t y, const Ink& ink);
    void Polyline(const SDL_Point* points, int count, const Ink& ink);
    void FillRect(const SDL_Rect& rect, const Ink& ink);

    // Paper coordinates, as SDL2_gfx hands them to the renderer.
    void GfxPoint(int16_t x, int16_t y, SDL_Color color);
    void GfxPlot(int16_t x, int16_t y, const Ink& ink);
    void GfxPlotPair(int16_t x, int16_t mirroredX, int16_t y, const Ink& ink);
    void GfxLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, const Ink& ink);
    void GfxAaLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2, SDL_Color color,
                   bool drawEndpoint);
    void GfxFilledQuad(const int16_t* xs, const int16_t* ys, SDL_Color color);

    uint16_t* pixels_ = nullptr;
    int32_t pitch_ = 0; // in pixels
    SDL_Point origin_ = {0, 0};
    SDL_Rect clip_ = {0, 0, 0, 0};
};
