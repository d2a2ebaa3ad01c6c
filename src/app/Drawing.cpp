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

void WindowText::DrawAt(int32_t x, int32_t y) const {
    if (texture != nullptr) {
        const SDL_Rect target = {x, y, size.x, size.y};
        SDL_RenderCopy(editor->shell.renderer.get(), texture, nullptr, &target);
    }
}

WindowText PrepareText(TTF_Font* font, const std::string& text, SDL_Color color, int style) {
    WindowText prepared;
    if (font == nullptr || text.empty() || editor->shell.renderer.get() == nullptr) {
        return prepared;
    }
    prepared.texture = editor->shell.windowTexts.Get(
        editor->shell.renderer.get(), font, text, color, prepared.size.x, prepared.size.y, style);
    if (prepared.texture == nullptr) {
        prepared.size = {0, 0};
    }
    return prepared;
}

void RenderText(TTF_Font* font, int32_t x, int32_t y, SDL_Color color, const std::string& text,
                int style) {
    PrepareText(font, text, color, style).DrawAt(x, y);
}
