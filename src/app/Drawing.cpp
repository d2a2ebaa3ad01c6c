#include "app/Drawing.h"

#include "app/Editor.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

SDL_Color MakeColor(uint8_t r, uint8_t g, uint8_t b) {
    return SDL_Color{r, g, b, SDL_ALPHA_OPAQUE};
}

SDL_Point TextSize(TTF_Font* font, const std::string& text, int style) {
    SDL_Point size = {0, 0};
    if (font == nullptr || text.empty()) {
        return size;
    }
    const int previousStyle = TTF_GetFontStyle(font);
    TTF_SetFontStyle(font, style);
    TTF_SizeUTF8(font, text.c_str(), &size.x, &size.y);
    TTF_SetFontStyle(font, previousStyle);
    return size;
}

void RenderText(TTF_Font* font, int32_t x, int32_t y, SDL_Color color, const std::string& text,
                int style) {
    if (font == nullptr || editor->shell.renderer.get() == nullptr) {
        return;
    }
    const int previousStyle = TTF_GetFontStyle(font);
    TTF_SetFontStyle(font, style);
    SDL_Surface* surface = TTF_RenderUTF8_Blended(font, text.c_str(), color);
    TTF_SetFontStyle(font, previousStyle);
    if (surface == nullptr) {
        return;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(editor->shell.renderer.get(), surface);
    if (texture != nullptr) {
        const SDL_Rect target = {x, y, surface->w, surface->h};
        SDL_RenderCopy(editor->shell.renderer.get(), texture, nullptr, &target);
        SDL_DestroyTexture(texture);
    }
    SDL_FreeSurface(surface);
}
