#pragma once
// Where a measurement's length label goes and how it is broken into lines.
// The hit test and the drawing both take it from here, so a click finds the
// label exactly where it is drawn.

#include "draw/DrawPrimitives.h"

#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>
#include <vector>

class Paper;
class TextMeasurer;

// One joined line when it fits between the marks, else its parts stacked.
struct MeasurementLabelLayout {
    bool joined = false;
    std::vector<std::string> lines;
    std::vector<SDL_Point> sizes; // width, height of each line
};

MeasurementLabelLayout LayOutMeasurementLabel(const Paper& paper,
                                              const MeasurementGeometry& geometry);
// The rectangle the label of a measurement of that geometry covers on `paper`.
SDL_Rect MeasurementLabelRect(const Paper& paper, const MeasurementGeometry& geometry);
// The size of `text` by the paper's measurer; {0, 0} without one.
SDL_Point MeasureText(const Paper& paper, const std::string& text);
// The sum of the heights.
int32_t TotalTextHeight(const std::vector<SDL_Point>& sizes);
// Where lines of text of `sizes` go, as their top-left corners: each centred
// across `centre`, stacked as a block centred on it. A label is drawn so,
// joined or broken.
std::vector<SDL_Point> CentredLineCorners(const std::vector<SDL_Point>& sizes, SDL_Point centre);
