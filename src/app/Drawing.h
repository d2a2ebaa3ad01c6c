#pragma once
// Small drawing helpers shared by the status line, the menu bar and the toolbox.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>

typedef struct _TTF_Font TTF_Font;

// The opaque colour (r, g, b).
SDL_Color MakeColor(uint8_t r, uint8_t g, uint8_t b);

// The size `text` takes in `font` with `style` (an SDL_ttf style mask); (0, 0)
// for an empty text or without a font.
SDL_Point TextSize(TTF_Font* font, const std::string& text, int style);

// Draws UTF-8 `text` anti-aliased at window position (x, y) in its natural size,
// with the font's style set to `style` (an SDL_ttf style mask) for the call only.
// Nothing is drawn when the text cannot be rendered (an empty text, for one).
void RenderText(TTF_Font* font, int32_t x, int32_t y, SDL_Color color, const std::string& text,
                int style);
