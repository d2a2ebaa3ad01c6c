#pragma once
// Small drawing helpers shared by the status line, the menu bar and the toolbox.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>

struct SDL_Texture;
typedef struct _TTF_Font TTF_Font;

// The opaque colour (r, g, b).
SDL_Color MakeColor(uint8_t r, uint8_t g, uint8_t b);

// The size `text` takes in `font` with `style` (an SDL_ttf style mask); (0, 0)
// for an empty text or without a font.
SDL_Point TextSize(TTF_Font* font, const std::string& text, int style);

// A text rendered for the window, as a texture of the window renderer held by
// the editor's text cache: use it within the frame being drawn, since the
// sweep at the frame's end may free it. No texture and size (0, 0) when the
// text cannot be rendered (an empty text, for one).
struct WindowText {
    SDL_Texture* texture = nullptr;
    SDL_Point size = {0, 0};

    // Draws the text in its natural size with its top left at window position (x, y).
    void DrawAt(int32_t x, int32_t y) const;
};

// UTF-8 `text` anti-aliased in `font` with `style` (an SDL_ttf style mask) and
// `color`. Rendered anew only when the previous frame did not draw it, so a
// text shown frame after frame, and its size, cost a look-up.
WindowText PrepareText(TTF_Font* font, const std::string& text, SDL_Color color, int style);

// Draws the text as PrepareText renders it at window position (x, y).
void RenderText(TTF_Font* font, int32_t x, int32_t y, SDL_Color color, const std::string& text,
                int style);
