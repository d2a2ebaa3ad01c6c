#pragma once
// The Edit menu's commands and the keys that do the same: undo and redo,
// the clipboard (the selected objects as the JSON text `--info` lists them
// in), duplicate, delete, select all, edit object and move to a layer. Each
// acts on the active paper and does nothing without one.

#include "ui/Menu.h"

#include <cstdint>
#include <string>

class Paper;

void UndoActivePaper(uint64_t value = 0, MENU_ITEM* item = nullptr);
void RedoActivePaper(uint64_t value = 0, MENU_ITEM* item = nullptr);
void CutSelection(uint64_t value = 0, MENU_ITEM* item = nullptr);
void CopySelection(uint64_t value = 0, MENU_ITEM* item = nullptr);
void PasteClipboard(uint64_t value = 0, MENU_ITEM* item = nullptr);
void DuplicateSelection(uint64_t value = 0, MENU_ITEM* item = nullptr);
void DeleteSelection(uint64_t value = 0, MENU_ITEM* item = nullptr);
void SelectAllOnLayer(uint64_t value = 0, MENU_ITEM* item = nullptr);
void EditSelectedObjectCommand(uint64_t value = 0, MENU_ITEM* item = nullptr);
// Asks for the layer (1 to 16) and moves the selection there.
void MoveSelectionToLayerCommand(uint64_t value = 0, MENU_ITEM* item = nullptr);

// Moves the selection of `paper` to `layer` (0-based) as one undo step and
// says so on the status line.
void MoveSelectionToLayer(Paper& paper, uint8_t layer);

// Whether each command can act now; the menu greys the others.
bool CanUndo(uint64_t value);
bool CanRedo(uint64_t value);
bool HasSelection(uint64_t value);
bool HasOneSelected(uint64_t value);
bool CanPaste(uint64_t value);
bool HasActivePaper(uint64_t value);

// Where a paste puts objects whose top-left corner is `copied`: on the
// pointer's grid point when the pointer is over the paper, else one block
// right and down of where they were.
SDL_Point PastePlace(const Paper& paper, SDL_Point copied);
