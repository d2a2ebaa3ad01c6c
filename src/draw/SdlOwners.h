#pragma once
// Owners of SDL objects: each frees its object when it goes, so nothing is
// freed by hand and no path forgets one.

#include <SDL2/SDL_mouse.h>
#include <SDL2/SDL_render.h>
#include <SDL2/SDL_surface.h>
#include <SDL2/SDL_ttf.h>
#include <SDL2/SDL_video.h>

#include <memory>

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
struct RendererDeleter {
    void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
};
struct TextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};

struct WindowDeleter {
    void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct FontDeleter {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
struct CursorDeleter {
    void operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }
};

using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, RendererDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;
using FontPtr = std::unique_ptr<TTF_Font, FontDeleter>;
using CursorPtr = std::unique_ptr<SDL_Cursor, CursorDeleter>;
