#include "app/ResourceFont.h"

#include "app/PhysfsRWops.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <memory>

namespace {

// Larger than any real font; a bigger file in the user's resource folder is
// refused rather than read whole into memory.
constexpr Sint64 kMaxFontFileSize = Sint64{64} << 20;

struct StreamCloser {
    void operator()(SDL_RWops* stream) const { SDL_RWclose(stream); }
};

bool ReadResourceFile(const char* file, std::vector<uint8_t>& bytes) {
    const std::unique_ptr<SDL_RWops, StreamCloser> stream(PHYSFSRWOPS_openRead(file));
    if (stream == nullptr) {
        return false;
    }
    const Sint64 size = SDL_RWsize(stream.get());
    if (size < 0) {
        return false;
    }
    if (size > kMaxFontFileSize) {
        SDL_SetError("%s is too large for a font", file);
        return false;
    }
    bytes.resize(static_cast<size_t>(size));
    if (SDL_RWread(stream.get(), bytes.data(), 1, bytes.size()) != bytes.size()) {
        SDL_SetError("%s could not be read whole", file);
        return false;
    }
    return true;
}

} // namespace

TTF_Font* OpenResourceFontKeepingFile(const char* file, int points, std::vector<uint8_t>& bytes) {
    TTF_Font* font = nullptr;
    if (ReadResourceFile(file, bytes)) {
        // The stream only points into `bytes`; the font closes it.
        font = TTF_OpenFontRW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1,
                              points);
    }
    if (font == nullptr) {
        bytes.clear();
    }
    return font;
}
