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

namespace {

// The window texture made for `surface` in the window's own pixel format, so
// that putting it on the window is a plain copy; null when none can be made.
SDL_Texture* PaperTextureFor(const SDL_Surface* surface) {
    SDL_Renderer* renderer = editor->shell.renderer.get();
    SDL_Texture* texture = editor->shell.paperTexture.get();
    int w = 0;
    int h = 0;
    if (texture != nullptr && SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) == 0 &&
        w == surface->w && h == surface->h) {
        return texture;
    }
    editor->shell.paperTexture.reset();
    editor->shell.paperTextureView = nullptr;
    const Uint32 windowFormat = SDL_GetWindowPixelFormat(editor->shell.window.get());
    for (const Uint32 format : {windowFormat, Uint32{SDL_PIXELFORMAT_ARGB8888}}) {
        if (format == SDL_PIXELFORMAT_UNKNOWN || SDL_ISPIXELFORMAT_INDEXED(format)) {
            continue;
        }
        texture = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_STREAMING, surface->w,
                                    surface->h);
        if (texture != nullptr) {
            SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
            editor->shell.paperTexture.reset(texture);
            return texture;
        }
    }
    return nullptr;
}

// Brings the window texture up to date with the view's surface, converting
// only the pixels that changed since it last did.
SDL_Texture* UploadPaper(PaperView& view) {
    SDL_Surface* surface = view.Surface();
    SDL_Texture* texture = PaperTextureFor(surface);
    if (texture == nullptr) {
        return nullptr;
    }
    SDL_Rect changed = view.TakeChangedArea();
    if (editor->shell.paperTextureView != &view) {
        changed = {0, 0, surface->w, surface->h};
        editor->shell.paperTextureView = &view;
    }
    const SDL_Rect whole = {0, 0, surface->w, surface->h};
    if (SDL_IntersectRect(&changed, &whole, &changed) != SDL_TRUE) {
        return texture;
    }
    Uint32 format = 0;
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr) != 0 ||
        SDL_LockTexture(texture, &changed, &pixels, &pitch) != 0) {
        return nullptr;
    }
    const auto* from = static_cast<const uint8_t*>(surface->pixels) +
                       size_t(changed.y) * surface->pitch +
                       size_t(changed.x) * surface->format->BytesPerPixel;
    const bool converted = SDL_ConvertPixels(changed.w, changed.h, surface->format->format, from,
                                             surface->pitch, format, pixels, pitch) == 0;
    SDL_UnlockTexture(texture);
    if (!converted) {
        editor->shell.paperTextureView = nullptr;
        return nullptr;
    }
    return texture;
}

} // namespace

// The surface holds `renderArea` of the paper; it goes to the same place in the
// view that those paper pixels have at the current scroll position, cut to the
// view so that nothing is ever stretched or drawn over the toolbox.
void CopyPaperToView(PaperView& view) {
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
    SDL_Texture* texture = UploadPaper(view);
    if (texture == nullptr) {
        return;
    }
    const SDL_Rect source = {target.x - placed.x, target.y - placed.y, target.w, target.h};
    SDL_RenderCopy(editor->shell.renderer.get(), texture, &source, &target);
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
