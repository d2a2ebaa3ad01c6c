// The document loader fed arbitrary bytes: whatever it accepts must draw and
// describe itself (as --info does) without a sanitizer report.

#include "app/HeadlessCommands.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "view/PaperRenderer.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

// A small view keeps a render cheap, so thousands of inputs run a second.
constexpr int kViewWidth = 96;
constexpr int kViewHeight = 64;

std::FILE* nowhere = nullptr;
TTF_Font* font = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    TTF_Init();
    IMG_Init(IMG_INIT_PNG);
    font = TTF_OpenFont(TESSELLON_CAD_FONT, 18);
    nowhere = std::fopen("/dev/null", "w");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Paper paper;
    PaperFileHeader header;
    if (!LoadPaperBytes(paper, std::string(reinterpret_cast<const char*>(data), size), &header)) {
        return 0;
    }
    PaperView view(paper, font, {kViewWidth, kViewHeight});
    RenderPaper(view, false, true);
    RenderPaper(view, false, false);
    if (nowhere != nullptr) {
        WritePaperJson(nowhere, paper, header);
    }
    return 0;
}
