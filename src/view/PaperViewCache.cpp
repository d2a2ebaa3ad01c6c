#include "view/PaperViewCache.h"

#include <SDL2/SDL.h>

#include <cstring>

bool PaperViewCache::Restore(uint64_t key, SDL_Surface* target) const {
    if (!valid_ || key != key_ || target == nullptr || picture_->w != target->w ||
        picture_->h != target->h || picture_->format->format != target->format->format) {
        return false;
    }
    return SDL_BlitSurface(picture_.get(), nullptr, target, nullptr) == 0;
}

void PaperViewCache::Store(uint64_t key, SDL_Surface* source) {
    valid_ = false;
    if (source == nullptr) {
        return;
    }
    if (picture_ == nullptr || picture_->w != source->w || picture_->h != source->h ||
        picture_->format->format != source->format->format) {
        Clear();
        picture_.reset(SDL_CreateRGBSurfaceWithFormat(
            0, source->w, source->h, source->format->BitsPerPixel, source->format->format));
        if (picture_ == nullptr) {
            return;
        }
        // A plain copy both ways, whatever the surfaces' blend settings.
        SDL_SetSurfaceBlendMode(picture_.get(), SDL_BLENDMODE_NONE);
    }
    SDL_BlendMode sourceMode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(source, &sourceMode);
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    valid_ = SDL_BlitSurface(source, nullptr, picture_.get(), nullptr) == 0;
    SDL_SetSurfaceBlendMode(source, sourceMode);
    key_ = key;
}

void PaperViewCache::Clear() {
    picture_.reset();
    valid_ = false;
}

void ViewFingerprint::Mix(uint64_t word) {
    value_ = (value_ ^ word) * 0xFF51AFD7ED558CCDull;
    value_ ^= value_ >> 32;
}

void ViewFingerprint::Add(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    size_t offset = 0;
    for (; offset + sizeof(uint64_t) <= size; offset += sizeof(uint64_t)) {
        uint64_t word = 0;
        std::memcpy(&word, bytes + offset, sizeof word);
        Mix(word);
    }
    uint64_t tail = 0;
    std::memcpy(&tail, bytes + offset, size - offset);
    Mix(tail);
    // The length goes in as well, so that runs of different sizes never alias.
    Mix(size);
}
