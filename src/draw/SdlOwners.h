#pragma once
// Owners of SDL objects: each frees its object when it goes, so nothing is
// freed by hand and no path forgets one.

#include <SDL2/SDL_render.h>
#include <SDL2/SDL_surface.h>

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

using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
using RendererPtr = std::unique_ptr<SDL_Renderer, RendererDeleter>;
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;
