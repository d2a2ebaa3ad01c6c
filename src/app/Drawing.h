#pragma once
// Small drawing helpers shared by the status line, the menu bar and the toolbox.

#include <SDL2/SDL_pixels.h>

#include <cstdint>
#include <string>

typedef struct _TTF_Font TTF_Font;

// The opaque colour (r, g, b).
SDL_Color MakeColor(uint8_t r, uint8_t g, uint8_t b);

// Draws UTF-8 `text` anti-aliased at window position (x, y) in its natural size,
// with the font's style set to `style` (an SDL_ttf style mask) for the call only.
// Nothing is drawn when the text cannot be rendered (an empty text, for one).
void RenderText(TTF_Font* font, int32_t x, int32_t y, SDL_Color color, const std::string& text,
                int style);
