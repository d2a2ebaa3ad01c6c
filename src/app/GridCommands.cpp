#include "app/GridCommands.h"

#include "app/Editor.h"
#include "app/Layout.h"
#include "document/Paper.h"
#include "document/Units.h"

#include <algorithm>
#include <cstdint>

namespace {

// The setters ignore values out of their range; anything too large for an
// int is out of every range.
int32_t SettingValue(uint64_t value) {
    return static_cast<int32_t>(std::min<uint64_t>(value, INT32_MAX));
}

bool ActivePaperHas(int32_t Paper::*field, uint64_t value) {
    return editor->session.activePaper != nullptr &&
           static_cast<uint64_t>(editor->session.activePaper->*field) == value;
}

} // namespace

void ChooseUnit(uint64_t value, MENU_ITEM*) {
    if (editor->session.activePaper != nullptr) {
        SetPaperUnit(*editor->session.activePaper, SettingValue(value));
    }
}

bool IsUnit(uint64_t value) {
    return ActivePaperHas(&Paper::unitIndex, value);
}

void ChooseUnitScale(uint64_t value, MENU_ITEM*) {
    if (editor->session.activePaper != nullptr) {
        SetBlocksPerUnit(*editor->session.activePaper, SettingValue(value));
    }
}

bool IsUnitScale(uint64_t value) {
    return ActivePaperHas(&Paper::blocksPerUnit, value);
}

void ChooseLinesPerInch(uint64_t value, MENU_ITEM*) {
    if (editor->session.activePaper != nullptr) {
        SetLinesPerInch(*editor->session.activePaper, SettingValue(value));
    }
    // Grid points moved: the crosshair and a preview in progress follow them now,
    // not at the next mouse motion.
    UpdateMousePosition(editor->session.mouseWindowPos.x, editor->session.mouseWindowPos.y);
}

bool IsLinesPerInch(uint64_t value) {
    return ActivePaperHas(&Paper::linesPerInch, value);
}

void ToggleGridVisible(uint64_t, MENU_ITEM*) {
    editor->session.gridVisible = !editor->session.gridVisible;
}

bool IsGridVisible(uint64_t) {
    return editor->session.gridVisible;
}

void ToggleGridLock(uint64_t, MENU_ITEM*) {
    editor->session.gridLock = !editor->session.gridLock;
    // A drag measured in blocks cannot go on in pixels, or the other way round.
    editor->session.selectionDragging = false;
    // The tool position snaps (or stops snapping) at once, so the crosshair and a
    // preview in progress show where the next click will land.
    UpdateMousePosition(editor->session.mouseWindowPos.x, editor->session.mouseWindowPos.y);
}

bool IsGridLocked(uint64_t) {
    return editor->session.gridLock;
}
