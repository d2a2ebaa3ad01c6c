#include "app/Layout.h"

#include "app/Drawing.h"
#include "app/Editor.h"
#include "app/PaperWindows.h"
#include "app/WindowGeometry.h"
#include "document/Paper.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cmath>

namespace {

// Tall and deep letters, so that the bars fit every line of text.
constexpr const char* kLineHeightSample = "AYQGayqg|";
// The widest label of the toolbox, drawn in bold.
constexpr const char* kToolboxWidthSample = "Draw Color";
constexpr int32_t kMenuBarPadding = 6;
constexpr int32_t kMinMenuBarHeight = 20;
constexpr int32_t kStatusBarPadding = 4;
constexpr int32_t kToolboxPadding = 6;
constexpr int32_t kMinToolboxWidth = 86;

// Halves round away from zero, so the point between two grid lines goes outwards.
int32_t NearestBlock(int32_t pixels, int32_t blockSize) {
    return static_cast<int32_t>(std::lround(static_cast<double>(pixels) / std::max(1, blockSize)));
}

} // namespace

bool IsInside(const SDL_Rect& rect, SDL_Point point) {
    return SDL_PointInRect(&point, &rect) == SDL_TRUE;
}

void LayoutScreen() {
    int32_t width = 0;
    int32_t height = 0;
    SDL_GetWindowSize(editor->shell.window.get(), &width, &height);
    if (width < kMinWindowWidth || height < kMinWindowHeight) {
        width = std::max(width, kMinWindowWidth);
        height = std::max(height, kMinWindowHeight);
        SDL_SetWindowSize(editor->shell.window.get(), width, height);
    }

    const int32_t menuBarHeight =
        std::max(TextSize(editor->shell.menuFont.get(), kLineHeightSample, TTF_STYLE_NORMAL).y +
                     kMenuBarPadding,
                 kMinMenuBarHeight);
    const int32_t statusBarHeight =
        TextSize(editor->shell.statusFont.get(), kLineHeightSample, TTF_STYLE_NORMAL).y +
        kStatusBarPadding;
    const int32_t toolboxWidth =
        std::max(TextSize(editor->shell.menuFont.get(), kToolboxWidthSample, TTF_STYLE_BOLD).x +
                     kToolboxPadding,
                 kMinToolboxWidth);
    const int32_t middleHeight = height - statusBarHeight - menuBarHeight;

    editor->shell.menuBarRect = {0, 0, width, menuBarHeight};
    editor->shell.statusBarRect = {0, height - statusBarHeight, width, statusBarHeight};
    editor->shell.toolboxRect = {0, menuBarHeight, toolboxWidth, middleHeight};
    editor->shell.paperViewRect = {toolboxWidth, menuBarHeight, width - toolboxWidth, middleHeight};
    // A larger view could reach past a scrolled paper's far edge, showing bare
    // workspace there while the paper's near part stays out of sight.
    for (const std::unique_ptr<OpenPaper>& open : editor->session.openPapers) {
        open->view->SetViewSize({editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    }
}

void UpdateMousePosition(int32_t x, int32_t y) {
    editor->session.mouseWindowPos = {x, y};
    if (editor->session.activePaper == nullptr) {
        editor->session.mousePaperPos = editor->session.mouseGridPos =
            editor->session.toolPos = {-1, -1};
        return;
    }
    const Paper& paper = *editor->session.activePaper;
    const PaperView* view = ActiveView();
    const SDL_Point scroll =
        view != nullptr ? SDL_Point{view->scrollX, view->scrollY} : SDL_Point{0, 0};
    if (IsInside(editor->shell.paperViewRect, {x, y})) {
        editor->session.mousePaperPos = {x - editor->shell.paperViewRect.x + scroll.x,
                                         y - editor->shell.paperViewRect.y + scroll.y};
    }
    // Outside the view the last point over the paper stands; its block is worked
    // out again, as the grid may have changed since (a Lines per Inch choice).
    if (editor->session.mousePaperPos.x >= 0 && editor->session.mousePaperPos.y >= 0) {
        editor->session.mouseGridPos = {
            NearestBlock(editor->session.mousePaperPos.x, paper.blockWidth),
            NearestBlock(editor->session.mousePaperPos.y, paper.blockHeight)};
    }
    editor->session.toolPos = editor->session.gridLock
                                  ? SDL_Point{editor->session.mouseGridPos.x * paper.blockWidth,
                                              editor->session.mouseGridPos.y * paper.blockHeight}
                                  : editor->session.mousePaperPos;
}
