#pragma once
// Rendered texts kept as textures of one renderer from one frame to the next,
// so that labels drawn again and again (measurements, tool read-outs, the
// window's menus and status line) are not rasterised and uploaded anew every
// frame.

#include <SDL2/SDL_pixels.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

struct SDL_Renderer;
struct SDL_Texture;
typedef struct _TTF_Font TTF_Font;

class TextTextureCache {
  public:
    TextTextureCache() = default;
    ~TextTextureCache();
    TextTextureCache(const TextTextureCache&) = delete;
    TextTextureCache& operator=(const TextTextureCache&) = delete;

    // The text rendered in `font` with `style` (an SDL_ttf style mask, normal
    // when 0) and `color` as a texture of `renderer`, with its size; null when
    // the text cannot be rendered. The texture stays owned by the cache, which
    // holds the textures of one renderer only: clear it before using another.
    SDL_Texture* Get(SDL_Renderer* renderer, TTF_Font* font, const std::string& text,
                     SDL_Color color, int& width, int& height, int style = 0);
    // Destroys the textures not asked for since the previous sweep.
    void Sweep();
    // Destroys all textures; needed before their renderer goes.
    void Clear();
    size_t Size() const { return entries_.size(); }

  private:
    struct Key {
        const TTF_Font* font;
        uint32_t color;
        int style;
        std::string text;
        bool operator==(const Key& other) const {
            return font == other.font && color == other.color && style == other.style &&
                   text == other.text;
        }
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };
    struct Entry {
        SDL_Texture* texture;
        int width;
        int height;
        bool used;
    };
    std::unordered_map<Key, Entry, KeyHash> entries_;
};
