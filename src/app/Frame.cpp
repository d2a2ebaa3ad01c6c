#include "app/Frame.h"

#include "app/AppState.h"
#include "app/Layout.h"
#include "app/StatusLine.h"
#include "document/Paper.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

constexpr SDL_Color kWorkspaceColor = {33, 40, 48, 255};
constexpr SDL_Color kStatusStripColor = {0, 128, 0, 255};
constexpr SDL_Color kCrosshairColor = {255, 0, 255, 255};
constexpr int32_t kCrosshairArm = 6;

void SetDrawColor(const SDL_Color& color) {
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
}

} // namespace

// The copy never reaches past the surface, so a scroll position beyond the
// paper cannot stretch the picture.
void CopyPaperToView(const Paper& paper) {
    SDL_Surface* surface = paper.paperSurface;
    if (surface == nullptr) {
        return;
    }
    const int32_t visibleWidth =
        std::min({paper.width, surface->w - paper.scrollX, paperViewRect.w});
    const int32_t visibleHeight =
        std::min({paper.height, surface->h - paper.scrollY, paperViewRect.h});
    if (visibleWidth <= 0 || visibleHeight <= 0 || paper.scrollX < 0 || paper.scrollY < 0) {
        return;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (texture == nullptr) {
        return;
    }
    const SDL_Rect source = {paper.scrollX, paper.scrollY, visibleWidth, visibleHeight};
    const SDL_Rect target = {paperViewRect.x, paperViewRect.y, visibleWidth, visibleHeight};
    SDL_RenderCopy(renderer, texture, &source, &target);
    SDL_DestroyTexture(texture);
}

void DrawToolCrosshair() {
    if (activePaper == nullptr || toolPos.x < 0 || toolPos.y < 0) {
        return;
    }
    const SDL_Point center = {paperViewRect.x + toolPos.x - activePaper->scrollX,
                              paperViewRect.y + toolPos.y - activePaper->scrollY};
    if (!IsInside(paperViewRect, center)) {
        return;
    }
    SetDrawColor(kCrosshairColor);
    SDL_RenderDrawLine(renderer, center.x - kCrosshairArm, center.y, center.x + kCrosshairArm,
                       center.y);
    SDL_RenderDrawLine(renderer, center.x, center.y - kCrosshairArm, center.x,
                       center.y + kCrosshairArm);
}

void RenderFrame() {
    SetDrawColor(kWorkspaceColor);
    SDL_RenderClear(renderer);

    if (activePaper != nullptr) {
        // INTEGRATION: RenderPaper(*activePaper, /*wholePaper=*/false, /*ownPalette=*/true);
        CopyPaperToView(*activePaper);
    }

    SetDrawColor(kStatusStripColor);
    SDL_RenderFillRect(renderer, &statusBarRect);
    DrawToolCrosshair();

    // INTEGRATION: RenderToolbox();
    // INTEGRATION: RenderMenus();

    RenderStatusLine();
    SDL_RenderPresent(renderer);
}
