// The document loader fed arbitrary bytes: whatever it accepts must draw,
// export as a PDF or SVG and describe itself (as --info does) without a
// sanitizer report.

#include "app/HeadlessCommands.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "view/PaperRenderer.h"
#include "view/PaperVector.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A small view keeps a render cheap, so thousands of inputs run a second.
constexpr int kViewWidth = 96;
constexpr int kViewHeight = 64;

std::FILE* nowhere = nullptr;
TTF_Font* font = nullptr;
std::vector<uint8_t> fontFile;
std::string exportPath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    TTF_Init();
    IMG_Init(IMG_INIT_PNG);
    font = TTF_OpenFont(TESSELLON_CAD_FONT, 18);
    nowhere = std::fopen("/dev/null", "w");
    std::ifstream file(TESSELLON_CAD_FONT, std::ios::binary);
    fontFile.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    exportPath = "/tmp/tessellon-fuzz-" + std::to_string(getpid()) + ".export";
    std::atexit([] { std::remove(exportPath.c_str()); });
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
    // Both vector formats in turn; the file is written over each time.
    WritePaperVector(view, size % 2 == 0 ? ExportFormat::Pdf : ExportFormat::Svg, true, exportPath,
                     true, {&fontFile, 18});
    if (nowhere != nullptr) {
        WritePaperJson(nowhere, paper, header);
    }
    return 0;
}
