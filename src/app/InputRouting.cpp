#include "app/InputRouting.h"

#include "app/ActiveTool.h"
#include "app/EditCommands.h"
#include "app/Editor.h"
#include "app/ExportCommands.h"
#include "app/FileCommands.h"
#include "app/GridCommands.h"
#include "app/HelpCommands.h"
#include "app/Layout.h"
#include "app/MenuBar.h"
#include "app/PaperWindows.h"
#include "app/Toolbox.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"
#include "document/PaperObject.h"
#include "tools/Tool.h"
#include "tools/ToolCircle.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"
#include "ui/EditObjectDialog.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <strings.h>

namespace {

constexpr const char* kSelectToolName = "select";
constexpr int32_t kWheelScrollBlocks = 5;
constexpr int32_t kFullTurn = 360;
constexpr int32_t kCtrlWheelStep = 45;
constexpr int32_t kAltWheelStep = 15;
constexpr int32_t kWheelStep = 5;
constexpr int kDigitLayers = 10;

// The layers after the digits' ten, in order.
constexpr SDL_Keycode kLayerLetterKeys[] = {SDLK_t, SDLK_y, SDLK_u, SDLK_i, SDLK_o, SDLK_p};

// --- Scrolling ---------------------------------------------------------------

int32_t ScrolledBack(int32_t scroll, int32_t amount) {
    return static_cast<int32_t>(std::max<int64_t>(int64_t{scroll} - amount, 0));
}

// Forward, but never so far that the view runs past the paper's far edge (or
// at all when the paper is smaller than the view).
int32_t ScrolledOn(int32_t scroll, int32_t amount, int32_t paperSize, int32_t viewSize) {
    const int64_t moved = int64_t{scroll} + amount;
    if (moved + viewSize >= paperSize) {
        return std::max(paperSize - viewSize, 0);
    }
    return static_cast<int32_t>(moved);
}

// Scrolls the active paper's view.
void ScrollBy(int32_t dx, int32_t dy) {
    PaperView* view = ActiveView();
    if (view == nullptr) {
        return;
    }
    const Paper& paper = view->paper;
    const SDL_Point viewSize = view->ViewSize();
    if (dx < 0) {
        view->scrollX = ScrolledBack(view->scrollX, -dx);
    } else if (dx > 0) {
        view->scrollX = ScrolledOn(view->scrollX, dx, paper.width, viewSize.x);
    }
    if (dy < 0) {
        view->scrollY = ScrolledBack(view->scrollY, -dy);
    } else if (dy > 0) {
        view->scrollY = ScrolledOn(view->scrollY, dy, paper.height, viewSize.y);
    }
}

// --- Keys --------------------------------------------------------------------

// An arrow key (or a, d, w, s): the selection moves one pixel, or without one
// the view scrolls one block. The tool position follows the view either way.
void StepSelectionOrView(int32_t dx, int32_t dy) {
    if (editor->session.activePaper != nullptr) {
        Paper& paper = *editor->session.activePaper;
        if (!paper.selection.empty()) {
            paper.MoveObjects(dx, dy, /*selectedOnly=*/true);
        } else {
            ScrollBy(dx * paper.blockWidth, dy * paper.blockHeight);
        }
    }
    UpdateMousePosition(editor->session.mouseWindowPos.x, editor->session.mouseWindowPos.y);
}

// Gives every selected object the colour new objects get, as one undo step.
void RecolourSelection(Paper& paper) {
    const SDL_Color color = CurrentDrawingColor(paper);
    paper.ChangeSelected([&color](ObjectRecord& record) { record.SetColor(color); });
}

// Ctrl with Shift: redo and Save As.
void HandleCtrlShiftKey(SDL_Keycode sym) {
    if (sym == SDLK_z) {
        RedoActivePaper();
    } else if (sym == SDLK_s) {
        SaveActivePaperAs(0, nullptr);
    }
}

// The shortcuts drawing programs share. None is a layer key: those move the
// selection to their layer, below.
bool HandleCommandKey(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_z:
        UndoActivePaper();
        return true;
    case SDLK_x:
        CutSelection();
        return true;
    case SDLK_c:
        CopySelection();
        return true;
    case SDLK_v:
        PasteClipboard();
        return true;
    case SDLK_d:
        DuplicateSelection();
        return true;
    case SDLK_a:
        SelectAllOnLayer();
        return true;
    case SDLK_n:
        CreateNewPaper(0, nullptr);
        return true;
    case SDLK_s:
        SaveActivePaper(0, nullptr);
        return true;
    case SDLK_w:
        CloseActivePaper(0, nullptr);
        return true;
    case SDLK_q:
        ExitProgram();
        return true;
    case SDLK_e:
        ExportActivePaper(kExportBlackAndWhite);
        return true;
    default:
        return false;
    }
}

void HandleCtrlKey(SDL_Keycode sym, uint16_t mod) {
    if ((mod & (kModAlt | kModGui | KMOD_MODE)) != 0) {
        return;
    }
    if ((mod & kModShift) != 0) {
        HandleCtrlShiftKey(sym);
        return;
    }
    if (HandleCommandKey(sym)) {
        return;
    }
    const int layer = LayerOfKey(sym);
    if (layer >= 0 && editor->session.activePaper != nullptr) {
        MoveSelectionToLayer(*editor->session.activePaper, static_cast<uint8_t>(layer));
    }
}

void HandlePlainKey(SDL_Keycode sym) {
    switch (sym) {
    case SDLK_LEFT:
    case SDLK_a:
        StepSelectionOrView(-1, 0);
        return;
    case SDLK_RIGHT:
    case SDLK_d:
        StepSelectionOrView(1, 0);
        return;
    case SDLK_UP:
    case SDLK_w:
        StepSelectionOrView(0, -1);
        return;
    case SDLK_DOWN:
    case SDLK_s:
        StepSelectionOrView(0, 1);
        return;
    case SDLK_DELETE:
        if (editor->session.activePaper != nullptr) {
            editor->session.activePaper->DeleteSelected();
        }
        return;
    case SDLK_e:
        if (editor->session.activePaper != nullptr) {
            EditSelectedObject(*editor, *editor->session.activePaper);
        }
        return;
    case SDLK_F1:
        OpenHelpPage(0, nullptr);
        return;
    case SDLK_F4:
        if (editor->session.activePaper != nullptr) {
            RecolourSelection(*editor->session.activePaper);
        }
        return;
    case SDLK_F5:
        editor->session.gridVisible = !editor->session.gridVisible;
        return;
    case SDLK_F6:
        ToggleGridLock(0, nullptr);
        return;
    case SDLK_ESCAPE:
        // An open menu is what the user sees first, so Escape closes that alone.
        if (editor->ui.openMenu != nullptr) {
            editor->ui.openMenu = nullptr;
            return;
        }
        // With nothing under way, Escape lets go of the selection.
        if (editor->session.activeToolInstance == nullptr && !editor->session.selectionDragging &&
            editor->session.activePaper != nullptr) {
            editor->session.activePaper->selection.clear();
            return;
        }
        SetActiveToolInstance(nullptr);
        return;
    default:
        break;
    }
    const int layer = LayerOfKey(sym);
    if (layer >= 0) {
        ChooseLayer(static_cast<uint8_t>(layer));
    }
}

// --- Mouse buttons -------------------------------------------------------------

bool SelectToolChosen() {
    return strcasecmp(editor->session.currentToolName, kSelectToolName) == 0;
}

// A left press with the select tool on the paper: over the selection it starts
// moving it, elsewhere (or with Shift, which adds to or takes from the
// selection) a rubber band. Every other tool starts on the release.
void HandleLeftPress() {
    if (editor->ui.openMenu != nullptr || editor->session.activeToolInstance != nullptr ||
        editor->session.activePaper == nullptr ||
        !IsInside(editor->shell.paperViewRect, editor->session.mouseWindowPos) ||
        !SelectToolChosen()) {
        return;
    }
    if ((SDL_GetModState() & kModShift) == 0 &&
        editor->session.activePaper->IsOverSelection(editor->session.mousePaperPos.x,
                                                     editor->session.mousePaperPos.y)) {
        editor->session.selectionDragging = true;
        editor->session.dragAnchor =
            editor->session.gridLock ? editor->session.mouseGridPos : editor->session.mousePaperPos;
        return;
    }
    SetActiveToolInstance(CreateToolByName(kSelectToolName));
}

// Drops a dragged selection where the drag preview shows it.
void DropSelection() {
    if (editor->session.activePaper != nullptr) {
        const SDL_Point offset = CurrentDragOffset(*editor->session.activePaper);
        if (offset.x != 0 || offset.y != 0) {
            editor->session.activePaper->MoveObjects(offset.x, offset.y, /*selectedOnly=*/true);
        }
    }
    editor->session.selectionDragging = false;
}

void ClickActiveTool() {
    if (editor->session.activeToolInstance->Click(ActiveToolContext())) {
        editor->session.activeToolInstance->Begin(ActiveToolContext());
    } else {
        SetActiveToolInstance(nullptr);
    }
}

void HandleLeftRelease() {
    if (editor->ui.openMenu != nullptr ||
        IsInside(editor->shell.menuBarRect, editor->session.mouseWindowPos)) {
        MenuClick();
        editor->session.selectionDragging = false;
        return;
    }
    if (IsInside(editor->shell.toolboxRect, editor->session.mouseWindowPos)) {
        HandleToolboxClick();
        editor->session.selectionDragging = false;
        return;
    }
    if (editor->session.selectionDragging) {
        DropSelection();
        return;
    }
    if (editor->session.activePaper == nullptr) {
        return;
    }
    // The release need not be over the paper view: tools work at the last
    // tool position.
    if (editor->session.activeToolInstance != nullptr) {
        ClickActiveTool();
    } else if (editor->session.currentToolName[0] != '\0' && editor->session.mousePaperPos.x >= 0 &&
               editor->session.mousePaperPos.y >= 0) {
        // Only once the pointer has been over this paper: before that the tool
        // position is not a place the user pointed at.
        SetActiveToolInstance(CreateToolByName(editor->session.currentToolName));
    }
    editor->session.selectionDragging = false;
}

void ToggleLayerUnderPointer() {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    const ToolboxButton* entry = ToolboxEntryAt(editor->session.mouseWindowPos);
    const int layer = entry != nullptr ? LayerOfEntry(*entry) : -1;
    if (layer >= 0) {
        uint8_t& hidden = editor->session.activePaper->hiddenLayers[layer];
        hidden = hidden != 0 ? 0 : 1;
        // Which layers are hidden is saved with the document.
        editor->session.activePaper->modified = true;
    }
}

void HandleRightRelease() {
    if (IsInside(editor->shell.toolboxRect, editor->session.mouseWindowPos)) {
        ToggleLayerUnderPointer();
    } else if (editor->session.activeToolInstance != nullptr) {
        SetActiveToolInstance(nullptr);
    } else {
        SelectTool(kSelectToolName);
    }
    editor->session.selectionDragging = false;
}

} // namespace

int LayerOfKey(SDL_Keycode sym) {
    if (sym >= SDLK_1 && sym <= SDLK_9) {
        return sym - SDLK_1;
    }
    if (sym == SDLK_0) {
        return kDigitLayers - 1;
    }
    for (size_t i = 0; i < std::size(kLayerLetterKeys); ++i) {
        if (kLayerLetterKeys[i] == sym) {
            return kDigitLayers + static_cast<int>(i);
        }
    }
    return -1;
}

int32_t RotateByWheel(int32_t angle, bool up, int32_t step) {
    int32_t a = up ? angle + step : angle - step;
    // Toward zero, so that a turn from an odd angle lands on the step's grid.
    a -= a % step;
    if (a < 0) {
        a += kFullTurn * ((-a - 1) / kFullTurn + 1);
    }
    if (a >= kFullTurn) {
        a %= kFullTurn;
    }
    return a;
}

void HandleKeyDown(SDL_Keycode sym, uint16_t mod) {
    if ((mod & kModCtrl) != 0) {
        HandleCtrlKey(sym, mod);
        return;
    }
    if ((mod & kModAnyHeld) != 0) {
        return;
    }
    HandlePlainKey(sym);
}

void HandleMouseMotion(int32_t x, int32_t y) {
    UpdateMousePosition(x, y);
}

void HandleMouseButton(const SDL_MouseButtonEvent& event) {
    UpdateMousePosition(event.x, event.y);
    // A quick release on the menus is a choice, not half of a double click:
    // "File" and then "New..." lie closer together than a double click's reach.
    if (event.type == SDL_MOUSEBUTTONUP && event.button == SDL_BUTTON_LEFT && event.clicks != 1 &&
        (editor->ui.openMenu != nullptr ||
         IsInside(editor->shell.menuBarRect, editor->session.mouseWindowPos))) {
        HandleLeftRelease();
        return;
    }
    // The second press and release of a double click are not clicks of their own.
    if (event.clicks != 1) {
        return;
    }
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        if (event.button == SDL_BUTTON_LEFT) {
            HandleLeftPress();
        } else if (event.button == SDL_BUTTON_RIGHT) {
            editor->session.selectionDragging = false;
        }
        return;
    }
    switch (event.button) {
    case SDL_BUTTON_LEFT:
        HandleLeftRelease();
        break;
    case SDL_BUTTON_RIGHT:
        HandleRightRelease();
        break;
    default:
        editor->session.selectionDragging = false;
        break;
    }
}

void HandleMouseWheel(const SDL_MouseWheelEvent& event) {
    int32_t x = event.x;
    int32_t y = event.y;
    if (event.direction == SDL_MOUSEWHEEL_FLIPPED) {
        x = -x;
        y = -y;
    }
    if (editor->session.activeToolInstance != nullptr) {
        // A sideways wheel (tilted, or a touchpad's horizontal swipe) turns nothing.
        if (y == 0) {
            return;
        }
        const uint16_t mod = SDL_GetModState();
        if ((mod & kModShift) != 0) {
            if (auto* circle =
                    dynamic_cast<ToolCircle*>(editor->session.activeToolInstance.get())) {
                circle->ChangeSides(y > 0 ? 1 : -1);
            }
            return;
        }
        const int32_t step = (mod & kModCtrl) != 0  ? kCtrlWheelStep
                             : (mod & kModAlt) != 0 ? kAltWheelStep
                                                    : kWheelStep;
        editor->session.rotationAngle = RotateByWheel(editor->session.rotationAngle, y > 0, step);
        return;
    }
    if (editor->session.activePaper == nullptr) {
        return;
    }
    Paper& paper = *editor->session.activePaper;
    const int32_t dx = x < 0 ? -1 : x > 0 ? 1 : 0;
    // Wheel up shows what lies above.
    const int32_t dy = y > 0 ? -1 : y < 0 ? 1 : 0;
    ScrollBy(dx * kWheelScrollBlocks * paper.blockWidth,
             dy * kWheelScrollBlocks * paper.blockHeight);
    UpdateMousePosition(editor->session.mouseWindowPos.x, editor->session.mouseWindowPos.y);
}
