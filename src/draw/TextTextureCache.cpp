#include "draw/TextTextureCache.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <functional>

namespace {

uint32_t PackColor(SDL_Color color) {
    return static_cast<uint32_t>(color.r) | static_cast<uint32_t>(color.g) << 8 |
           static_cast<uint32_t>(color.b) << 16 | static_cast<uint32_t>(color.a) << 24;
}

} // namespace

size_t TextTextureCache::KeyHash::operator()(const Key& key) const {
    const size_t text = std::hash<std::string>()(key.text);
    const size_t rest = std::hash<const void*>()(key.font) ^ (size_t{key.color} << 1) ^
                        (static_cast<size_t>(key.style) << 33);
    return text ^ (rest + 0x9E3779B97F4A7C15ULL + (text << 6) + (text >> 2));
}

TextTextureCache::~TextTextureCache() {
    Clear();
}

SDL_Texture* TextTextureCache::Get(SDL_Renderer* renderer, TTF_Font* font, const std::string& text,
                                   SDL_Color color, int& width, int& height, int style) {
    Key key{font, PackColor(color), style, text};
    auto found = entries_.find(key);
    if (found == entries_.end()) {
        // The text is drawn in the style asked for, whatever the font was left
        // at by others, and the font is left as it was found.
        const int previousStyle = TTF_GetFontStyle(font);
        if (previousStyle != style) {
            TTF_SetFontStyle(font, style);
        }
        SDL_Surface* surface = TTF_RenderUTF8_Blended(font, text.c_str(), color);
        if (previousStyle != style) {
            TTF_SetFontStyle(font, previousStyle);
        }
        Entry entry = {nullptr, 0, 0, true};
        if (surface != nullptr) {
            entry.texture = SDL_CreateTextureFromSurface(renderer, surface);
            entry.width = surface->w;
            entry.height = surface->h;
            SDL_FreeSurface(surface);
        }
        // Failures are remembered too, so an unrenderable text is not retried
        // every frame.
        found = entries_.emplace(std::move(key), entry).first;
    }
    found->second.used = true;
    width = found->second.width;
    height = found->second.height;
    return found->second.texture;
}

void TextTextureCache::Sweep() {
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (!entry->second.used) {
            if (entry->second.texture != nullptr) {
                SDL_DestroyTexture(entry->second.texture);
            }
            entry = entries_.erase(entry);
        } else {
            entry->second.used = false;
            ++entry;
        }
    }
}

void TextTextureCache::Clear() {
    for (auto& entry : entries_) {
        if (entry.second.texture != nullptr) {
            SDL_DestroyTexture(entry.second.texture);
        }
    }
    entries_.clear();
}
