#include "app/StatusLine.h"

#include "app/ActiveTool.h"
#include "app/Drawing.h"
#include "app/Editor.h"
#include "app/Layout.h"
#include "app/StatusNotice.h"
#include "app/Toolbox.h"
#include "document/Paper.h"
#include "document/Units.h"
#include "support/Utf8Text.h"
#include "tools/Tool.h"
#include "ui/Menu.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <strings.h>

namespace {

constexpr const char* kStatusSeparator = " | ";
constexpr const char* kNoFileText = "No file loaded.";
constexpr const char* kSelectToolName = "select";
constexpr size_t kMaxItemBytes = 255;
constexpr int32_t kStatusTextLeft = 5;
constexpr int32_t kStatusTextTop = 2;
constexpr double kPhysicalPixelsPerInch = 96.0;

// One item of at most 255 bytes, cut between characters.
__attribute__((format(printf, 2, 3))) void AddItem(std::vector<std::string>& items,
                                                   const char* format, ...) {
    char buffer[4 * kMaxItemBytes];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    if (length >= 0) {
        std::string item(buffer);
        CutUtf8(item, kMaxItemBytes);
        items.push_back(std::move(item));
    }
}

void AddPositionItems(std::vector<std::string>& items, const Paper& paper) {
    const char* unit = UnitAbbreviation(paper);
    const UnitPoint position =
        PixelsToUnits(paper, editor->session.mousePaperPos.x, editor->session.mousePaperPos.y);
    AddItem(items, "mpos: %.02f,%.02f %s", position.x, position.y, unit);
    if (editor->session.gridLock) {
        const UnitPoint grid =
            BlocksToUnits(paper, editor->session.mouseGridPos.x, editor->session.mouseGridPos.y);
        AddItem(items, "gpos: %.02f, %.02f %s", grid.x, grid.y, unit);
    }
    if (editor->session.selectionDragging) {
        // The offset the selection gets when the move ends, in whole blocks
        // while the grid lock is on.
        const SDL_Point offset = CurrentDragOffset(paper);
        const UnitPoint moved = PixelsToUnits(paper, offset.x, offset.y);
        AddItem(items, "moving: %.02f, %.02f %s", moved.x, moved.y, unit);
    }
    AddItem(items, "physpos: %.02f, %.02f %s",
            editor->session.mousePaperPos.x / kPhysicalPixelsPerInch,
            editor->session.mousePaperPos.y / kPhysicalPixelsPerInch, "in");
}

void AddToolItems(std::vector<std::string>& items, Tool& tool) {
    if (editor->session.rotationAngle != 0 && tool.ShowsRotation()) {
        AddItem(items, "angle: %d\xC2\xB0", editor->session.rotationAngle);
    }
    std::string text;
    if (tool.GetStatusText(ActiveToolContext(), text)) {
        CutUtf8(text, kMaxItemBytes);
        items.push_back(std::move(text));
    }
}

} // namespace

SDL_Cursor* GetSystemCursor(SDL_SystemCursor id) {
    if (id < 0 || id >= kSystemCursorCount) {
        return nullptr;
    }
    CursorPtr& cursor = editor->shell.systemCursors[id];
    if (cursor == nullptr) {
        cursor.reset(SDL_CreateSystemCursor(id));
    }
    return cursor.get();
}

void FreeSystemCursors() {
    for (CursorPtr& cursor : editor->shell.systemCursors) {
        cursor.reset();
    }
}

std::string JoinStrings(const std::vector<std::string>& items, const std::string& separator) {
    std::string joined;
    for (size_t index = 0; index < items.size(); ++index) {
        if (index > 0) {
            joined += separator;
        }
        joined += items[index];
    }
    return joined;
}

std::vector<std::string> BuildStatusItems(int64_t now) {
    std::vector<std::string> items;
    std::string notice = CurrentStatusNotice(now);
    if (!notice.empty()) {
        items.push_back(std::move(notice));
    }
    // An open drop-down or a dialog covers the toolbox; the button under it is
    // hidden, so its tooltip would describe something the user cannot see.
    const bool overOpenMenu =
        editor->ui.openMenu != nullptr &&
        IsInside(editor->ui.openMenu->dropDownRect, editor->session.mouseWindowPos);
    if (IsInside(editor->shell.toolboxRect, editor->session.mouseWindowPos) && !overOpenMenu &&
        editor->ui.runningDialog == nullptr) {
        std::string tooltip;
        if (GetToolboxTooltip(tooltip)) {
            items.push_back(std::move(tooltip));
        }
    }
    if (editor->session.activePaper == nullptr) {
        items.emplace_back(kNoFileText);
        return items;
    }
    if (editor->session.mousePaperPos.x >= 0 && editor->session.mousePaperPos.y >= 0) {
        AddPositionItems(items, *editor->session.activePaper);
    }
    if (editor->session.activeToolInstance != nullptr) {
        AddToolItems(items, *editor->session.activeToolInstance);
    }
    return items;
}

SDL_SystemCursor ChooseCursor() {
    const bool canMoveSelection =
        editor->session.activePaper != nullptr && editor->ui.openMenu == nullptr &&
        editor->session.activeToolInstance == nullptr &&
        IsInside(editor->shell.paperViewRect, editor->session.mouseWindowPos) &&
        strcasecmp(editor->session.currentToolName, kSelectToolName) == 0;
    if (!canMoveSelection) {
        return SDL_SYSTEM_CURSOR_ARROW;
    }
    const bool overSelection =
        editor->session.selectionDragging ||
        editor->session.activePaper->IsOverSelection(editor->session.mousePaperPos.x,
                                                     editor->session.mousePaperPos.y);
    return overSelection ? SDL_SYSTEM_CURSOR_SIZEALL : SDL_SYSTEM_CURSOR_ARROW;
}

void UpdateMouseCursor() {
    SDL_Cursor* wanted = GetSystemCursor(ChooseCursor());
    // Only on a change: setting the cursor makes SDL redraw it every time.
    if (wanted != nullptr && SDL_GetCursor() != wanted) {
        SDL_SetCursor(wanted);
    }
}

void RenderStatusLine() {
    const std::vector<std::string> items =
        BuildStatusItems(static_cast<int64_t>(std::time(nullptr)));
    const std::string line = JoinStrings(items, kStatusSeparator);
    if (!line.empty()) {
        RenderText(editor->shell.statusFont.get(), editor->shell.statusBarRect.x + kStatusTextLeft,
                   editor->shell.statusBarRect.y + kStatusTextTop, MakeColor(255, 255, 255), line,
                   TTF_STYLE_NORMAL);
    }
}
