#include "ui/DialogColorGrid.h"

#include "ui/Dialog.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

// Space between a cell's edge and its swatch, where the choice mark goes.
constexpr int kSwatchInset = 3;

} // namespace

DialogColorGrid::DialogColorGrid(int id, const SDL_Rect& units, int columns, int rows)
    : DialogControl(id, units), columns(std::max(columns, 1)), rows(std::max(rows, 1)),
      colors(static_cast<size_t>(this->columns * this->rows), SDL_Color{0, 0, 0, 255}) {}

SDL_Color DialogColorGrid::CellColor(int index) const {
    if (index < 0 || index >= CellCount()) {
        return {0, 0, 0, 255};
    }
    return colors[static_cast<size_t>(index)];
}

void DialogColorGrid::SetCellColor(int index, SDL_Color color) {
    if (index >= 0 && index < CellCount()) {
        colors[static_cast<size_t>(index)] = color;
    }
}

void DialogColorGrid::SetSelection(int index) {
    selected = (index >= 0 && index < CellCount()) ? index : -1;
}

SDL_Rect DialogColorGrid::CellRect(int index) const {
    const int column = index % columns;
    const int row = index / columns;
    const int x0 = rect.x + rect.w * column / columns;
    const int x1 = rect.x + rect.w * (column + 1) / columns;
    const int y0 = rect.y + rect.h * row / rows;
    const int y1 = rect.y + rect.h * (row + 1) / rows;
    return {x0, y0, x1 - x0, y1 - y0};
}

void DialogColorGrid::Draw(const DialogPaint& paint) const {
    using namespace DialogColors;
    for (int index = 0; index < CellCount(); ++index) {
        const SDL_Rect cell = CellRect(index);
        const SDL_Rect swatch = InsetRect(cell, kSwatchInset);
        FillRect(paint.renderer, swatch, colors[static_cast<size_t>(index)]);
        DrawFrame(paint.renderer, swatch, enabled ? kFieldBorder : kDisabledBorder);
        if (index == selected) {
            // Black around white, visible on any swatch colour.
            DrawFrame(paint.renderer, InsetRect(cell, 1), kText);
            DrawFrame(paint.renderer, InsetRect(cell, 2), kFieldFace);
        }
    }
    if (paint.focused && enabled) {
        DrawFocusMark(paint.renderer, CellRect(std::max(selected, 0)));
    }
}

void DialogColorGrid::Choose(Dialog& dialog, int index) {
    if (index < 0 || index >= CellCount()) {
        return;
    }
    selected = index;
    dialog.Notify(id, DialogNotify::SelectionChanged);
}

void DialogColorGrid::OnMouseDown(Dialog& dialog, const DialogMouse& mouse) {
    for (int index = 0; index < CellCount(); ++index) {
        if (RectContains(CellRect(index), mouse.x, mouse.y)) {
            Choose(dialog, index);
            if (IsDoubleClick(mouse)) {
                dialog.Notify(id, DialogNotify::DoubleClicked);
            }
            return;
        }
    }
}

bool DialogColorGrid::OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) {
    if ((modifiers & (KMOD_CTRL | KMOD_ALT)) != 0) {
        return false;
    }
    const int at = std::max(selected, 0);
    const int column = at % columns;
    switch (key) {
    case SDLK_LEFT:
        Choose(dialog, column > 0 ? at - 1 : at);
        return true;
    case SDLK_RIGHT:
        Choose(dialog, column < columns - 1 ? at + 1 : at);
        return true;
    case SDLK_UP:
        Choose(dialog, at >= columns ? at - columns : at);
        return true;
    case SDLK_DOWN:
        Choose(dialog, at + columns < CellCount() ? at + columns : at);
        return true;
    case SDLK_HOME:
        Choose(dialog, 0);
        return true;
    case SDLK_END:
        Choose(dialog, CellCount() - 1);
        return true;
    default:
        return false;
    }
}
