#include "tools/ToolSelect.h"

#include "app/AppState.h"
#include "document/Paper.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"

#include <SDL2/SDL_render.h>

#include <algorithm>
#include <cstdlib>

namespace {

// One edge of the band: from the smaller end, covering both end pixels.
void Span(int32_t a, int32_t b, int& from, int& size) {
    const int64_t low = std::min(a, b);
    const int64_t extent = std::llabs(int64_t{b} - a) + 1;
    from = static_cast<int>(low);
    size = static_cast<int>(std::min<int64_t>(extent, INT32_MAX));
}

} // namespace

void ToolSelect::Begin() {
    start_ = mousePaperPos;
}

SDL_Rect ToolSelect::Band() const {
    SDL_Rect band = {0, 0, 0, 0};
    Span(start_.x, mousePaperPos.x, band.x, band.w);
    Span(start_.y, mousePaperPos.y, band.y, band.h);
    return band;
}

bool ToolSelect::Click() {
    if (activePaper != nullptr) {
        activePaper->SelectInRect(Band());
    }
    return false;
}

void ToolSelect::Render() {
    SDL_Renderer* renderer = ActivePaperRenderer();
    if (renderer == nullptr) {
        return;
    }
    // Twice, the copy one pixel right and down, so the band stands out on any grid.
    const SDL_Rect band = Band();
    const SDL_Rect shadow = {band.x + 1, band.y + 1, band.w, band.h};
    SDL_RenderDrawRect(renderer, &band);
    SDL_RenderDrawRect(renderer, &shadow);
}

const ToolRegistrar<ToolSelect> kSelectRegistration("select");
