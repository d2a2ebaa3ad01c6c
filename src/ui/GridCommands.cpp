#include "ui/GridCommands.h"

#include "app/AppState.h"
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
    return activePaper != nullptr && static_cast<uint64_t>(activePaper->*field) == value;
}

} // namespace

void ChooseUnit(uint64_t value, MENU_ITEM*) {
    if (activePaper != nullptr) {
        SetPaperUnit(*activePaper, SettingValue(value));
    }
}

bool IsUnit(uint64_t value) {
    return ActivePaperHas(&Paper::unitIndex, value);
}

void ChooseUnitScale(uint64_t value, MENU_ITEM*) {
    if (activePaper != nullptr) {
        SetBlocksPerUnit(*activePaper, SettingValue(value));
    }
}

bool IsUnitScale(uint64_t value) {
    return ActivePaperHas(&Paper::blocksPerUnit, value);
}

void ChooseLinesPerInch(uint64_t value, MENU_ITEM*) {
    if (activePaper != nullptr) {
        SetLinesPerInch(*activePaper, SettingValue(value));
    }
    // Grid points moved: the crosshair and a preview in progress follow them now,
    // not at the next mouse motion.
    UpdateMousePosition(mouseWindowPos.x, mouseWindowPos.y);
}

bool IsLinesPerInch(uint64_t value) {
    return ActivePaperHas(&Paper::linesPerInch, value);
}

void ToggleGridVisible(uint64_t, MENU_ITEM*) {
    gridVisible = !gridVisible;
}

bool IsGridVisible(uint64_t) {
    return gridVisible;
}

void ToggleGridLock(uint64_t, MENU_ITEM*) {
    gridLock = !gridLock;
    // A drag measured in blocks cannot go on in pixels, or the other way round.
    selectionDragging = false;
    // The tool position snaps (or stops snapping) at once, so the crosshair and a
    // preview in progress show where the next click will land.
    UpdateMousePosition(mouseWindowPos.x, mouseWindowPos.y);
}

bool IsGridLocked(uint64_t) {
    return gridLock;
}
