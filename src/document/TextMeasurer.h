#pragma once
// How large a text is drawn. A document needs the size of its texts for their
// boxes and hit tests, but the font belongs to the view that draws them; the
// view hands the document one of these.

#include <SDL2/SDL_rect.h>

#include <string>

class TextMeasurer {
  public:
    virtual ~TextMeasurer() = default;
    // Width and height in pixels of one line of UTF-8 text; {0, 0} when it
    // cannot be measured.
    virtual SDL_Point Measure(const std::string& text) const = 0;
};
