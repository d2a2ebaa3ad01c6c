#include "app/Frame.h"

#include "app/ActiveTool.h"
#include "app/AppState.h"
#include "app/Layout.h"
#include "app/StatusLine.h"
#include "document/Paper.h"
#include "tools/Tool.h"
#include "ui/MenuBar.h"
#include "ui/PaperWindows.h"
#include "ui/Toolbox.h"
#include "view/PaperRenderer.h"
#include "view/PaperView.h"

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

// The surface holds `renderArea` of the paper; it goes to the same place in the
// view that those paper pixels have at the current scroll position, cut to the
// view so that nothing is ever stretched or drawn over the toolbox.
void CopyPaperToView(const PaperView& view) {
    SDL_Surface* surface = view.Surface();
    const SDL_Rect area = view.RenderArea();
    if (surface == nullptr || area.w <= 0 || area.h <= 0) {
        return;
    }
    const SDL_Rect placed = {paperViewRect.x + area.x - view.scrollX,
                             paperViewRect.y + area.y - view.scrollY, std::min(area.w, surface->w),
                             std::min(area.h, surface->h)};
    SDL_Rect target;
    if (SDL_IntersectRect(&placed, &paperViewRect, &target) == SDL_FALSE) {
        return;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
    if (texture == nullptr) {
        return;
    }
    const SDL_Rect source = {target.x - placed.x, target.y - placed.y, target.w, target.h};
    SDL_RenderCopy(renderer, texture, &source, &target);
    SDL_DestroyTexture(texture);
}

void DrawToolCrosshair() {
    const PaperView* view = ActiveView();
    if (view == nullptr || toolPos.x < 0 || toolPos.y < 0) {
        return;
    }
    const SDL_Point center = {paperViewRect.x + toolPos.x - view->scrollX,
                              paperViewRect.y + toolPos.y - view->scrollY};
    if (!IsInside(paperViewRect, center)) {
        return;
    }
    SetDrawColor(kCrosshairColor);
    SDL_RenderDrawLine(renderer, center.x - kCrosshairArm, center.y, center.x + kCrosshairArm,
                       center.y);
    SDL_RenderDrawLine(renderer, center.x, center.y - kCrosshairArm, center.x,
                       center.y + kCrosshairArm);
}

namespace {

// What the view shows besides the document itself.
RenderOverlay ViewOverlay(const Paper& paper) {
    RenderOverlay overlay;
    overlay.showGrid = gridVisible;
    overlay.draggingSelection = selectionDragging;
    if (selectionDragging) {
        overlay.dragOffset = CurrentDragOffset(paper);
    }
    if (activeToolInstance != nullptr) {
        // Tools draw on the active paper; another paper (an export) gets no preview.
        overlay.toolPreview = [&paper](PaperView& view) {
            if (&view.paper == &paper && activeToolInstance != nullptr) {
                activeToolInstance->Render(view, ActiveToolContext());
            }
        };
    }
    return overlay;
}

} // namespace

void DrawFrame() {
    SetDrawColor(kWorkspaceColor);
    SDL_RenderClear(renderer);

    if (PaperView* view = ActiveView(); view != nullptr) {
        if (RenderPaper(*view, /*wholePaper=*/false, /*ownPalette=*/true,
                        ViewOverlay(view->paper))) {
            CopyPaperToView(*view);
        }
    }

    SetDrawColor(kStatusStripColor);
    SDL_RenderFillRect(renderer, &statusBarRect);
    DrawToolCrosshair();

    RenderToolbox();
    RenderMenus();

    RenderStatusLine();
}

void RenderFrame() {
    DrawFrame();
    UpdateMouseCursor();
    SDL_RenderPresent(renderer);
}
