#pragma once
// A grid of colour swatches; one can be chosen with the mouse or the arrow
// keys. Choosing one reports SelectionChanged, double-clicking DoubleClicked.

#include "ui/DialogControl.h"

#include <vector>

class DialogColorGrid final : public DialogControl {
  public:
    DialogColorGrid(int id, const SDL_Rect& units, int columns, int rows);

    int CellCount() const { return columns * rows; }
    SDL_Color CellColor(int index) const;
    void SetCellColor(int index, SDL_Color color);
    // The chosen cell, -1 for none.
    int Selection() const { return selected; }
    void SetSelection(int index);
    SDL_Rect CellRect(int index) const;

    bool CanTakeFocus() const override { return true; }
    void Draw(const DialogPaint& paint) const override;
    void OnMouseDown(Dialog& dialog, const DialogMouse& mouse) override;
    bool OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) override;

  private:
    void Choose(Dialog& dialog, int index);

    int columns;
    int rows;
    std::vector<SDL_Color> colors;
    int selected = -1;
};
