#include "app/Frame.h"

#include "app/ActiveTool.h"
#include "app/Editor.h"
#include "app/Layout.h"
#include "app/MenuBar.h"
#include "app/PaperWindows.h"
#include "app/StatusLine.h"
#include "app/Toolbox.h"
#include "document/Paper.h"
#include "tools/Tool.h"
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
    SDL_SetRenderDrawColor(editor->shell.renderer.get(), color.r, color.g, color.b, color.a);
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
    const SDL_Rect placed = {editor->shell.paperViewRect.x + area.x - view.scrollX,
                             editor->shell.paperViewRect.y + area.y - view.scrollY,
                             std::min(area.w, surface->w), std::min(area.h, surface->h)};
    SDL_Rect target;
    if (SDL_IntersectRect(&placed, &editor->shell.paperViewRect, &target) == SDL_FALSE) {
        return;
    }
    SDL_Texture* texture = SDL_CreateTextureFromSurface(editor->shell.renderer.get(), surface);
    if (texture == nullptr) {
        return;
    }
    const SDL_Rect source = {target.x - placed.x, target.y - placed.y, target.w, target.h};
    SDL_RenderCopy(editor->shell.renderer.get(), texture, &source, &target);
    SDL_DestroyTexture(texture);
}

void DrawToolCrosshair() {
    const PaperView* view = ActiveView();
    if (view == nullptr || editor->session.toolPos.x < 0 || editor->session.toolPos.y < 0) {
        return;
    }
    const SDL_Point center = {
        editor->shell.paperViewRect.x + editor->session.toolPos.x - view->scrollX,
        editor->shell.paperViewRect.y + editor->session.toolPos.y - view->scrollY};
    if (!IsInside(editor->shell.paperViewRect, center)) {
        return;
    }
    SetDrawColor(kCrosshairColor);
    SDL_RenderDrawLine(editor->shell.renderer.get(), center.x - kCrosshairArm, center.y,
                       center.x + kCrosshairArm, center.y);
    SDL_RenderDrawLine(editor->shell.renderer.get(), center.x, center.y - kCrosshairArm, center.x,
                       center.y + kCrosshairArm);
}

namespace {

// What the view shows besides the document itself.
RenderOverlay ViewOverlay(const Paper& paper) {
    RenderOverlay overlay;
    overlay.showGrid = editor->session.gridVisible;
    overlay.draggingSelection = editor->session.selectionDragging;
    if (editor->session.selectionDragging) {
        overlay.dragOffset = CurrentDragOffset(paper);
    }
    if (editor->session.activeToolInstance != nullptr) {
        // Tools draw on the active paper; another paper (an export) gets no preview.
        overlay.toolPreview = [&paper](PaperView& view) {
            if (&view.paper == &paper && editor->session.activeToolInstance != nullptr) {
                editor->session.activeToolInstance->Render(view, ActiveToolContext());
            }
        };
    }
    return overlay;
}

} // namespace

void DrawFrame() {
    SetDrawColor(kWorkspaceColor);
    SDL_RenderClear(editor->shell.renderer.get());

    if (PaperView* view = ActiveView(); view != nullptr) {
        if (RenderPaper(*view, /*wholePaper=*/false, /*ownPalette=*/true,
                        ViewOverlay(view->paper))) {
            CopyPaperToView(*view);
        }
    }

    SetDrawColor(kStatusStripColor);
    SDL_RenderFillRect(editor->shell.renderer.get(), &editor->shell.statusBarRect);
    DrawToolCrosshair();

    RenderToolbox();
    RenderMenus();

    RenderStatusLine();
    editor->shell.windowTexts.Sweep();
}

void RenderFrame() {
    UpdateWindowTitle();
    DrawFrame();
    UpdateMouseCursor();
    SDL_RenderPresent(editor->shell.renderer.get());
}
