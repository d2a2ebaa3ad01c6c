#include "document/Paper.h"

#include "app/AppState.h"

#include <SDL2/SDL.h>

#include <algorithm>

PaperHooks paperHooks;

PaperPalette DefaultPaperPalette() {
    return PaperPalette{
        {0x21, 0x28, 0x30, 0xFF}, // dark slate
        {0x00, 0x00, 0x00, 0xFF},
        {0xFF, 0xFF, 0xFF, 0xFF},
        {0xFF, 0x00, 0xFF, 0xFF},
    };
}

PaperPalette MonochromePalette() {
    return PaperPalette{
        {0xFF, 0xFF, 0xFF, 0xFF},
        {0xD0, 0xD0, 0xD0, 0xFF},
        {0x00, 0x00, 0x00, 0xFF},
        {0xFF, 0x00, 0xFF, 0xFF},
    };
}

Paper::Paper() {
    openPapers.push_back(this);
    if (paperHooks.paperCreated != nullptr) {
        paperHooks.paperCreated(*this);
    }
}

Paper::~Paper() {
    openPapers.erase(std::remove(openPapers.begin(), openPapers.end(), this), openPapers.end());
    if (paperHooks.paperDestroyed != nullptr) {
        paperHooks.paperDestroyed(*this);
    }
    undoStack.clear();
    selection.clear();
    objects.clear();
    if (backgroundTexture != nullptr) {
        SDL_DestroyTexture(backgroundTexture);
    }
    if (paperRenderer != nullptr) {
        SDL_DestroyRenderer(paperRenderer);
    }
    if (paperSurface != nullptr) {
        SDL_FreeSurface(paperSurface);
    }
}

// Placeholder until the file format lands.
bool Paper::Serialize(VRX_Buffer& /*buffer*/, bool /*reading*/) {
    return false;
}
