#pragma once
// A drop-down list: a closed field showing the chosen entry that opens a
// list over the dialog. Arrow keys change the choice while it is closed;
// F4 or Alt+Down open it; Enter takes the highlighted entry, Escape
// closes it unchanged.

#include "ui/DialogControl.h"
#include "ui/DialogRows.h"

#include <vector>

class DialogDropDown final : public DialogControl {
  public:
    DialogDropDown(int id, const SDL_Rect& units);

    void SetItems(std::vector<std::string> entries);
    const std::vector<std::string>& Items() const { return items; }
    int Selection() const { return selected; }
    // -1 (or any index out of range) chooses nothing.
    void SetSelection(int index);
    std::string Text() const override;

    bool CanTakeFocus() const override { return true; }
    bool TakesLetterKeys() const override { return true; }
    void Layout(const DialogUnits& units, TTF_Font* font) override;
    void Draw(const DialogPaint& paint) const override;
    void OnMouseDown(Dialog& dialog, const DialogMouse& mouse) override;
    void OnMouseDrag(Dialog& dialog, const DialogMouse& mouse) override;
    void OnMouseUp(Dialog& dialog, const DialogMouse& mouse) override;
    void OnWheel(Dialog& dialog, int rows) override;
    bool OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) override;
    bool OnTextInput(Dialog& dialog, const char* input, uint32_t timestamp) override;

    bool PopupOpen() const override { return open; }
    SDL_Rect PopupRect() const override { return popup; }
    void ClosePopup() override { open = false; }
    void DrawPopup(const DialogPaint& paint) const override;
    void OnPopupMouseDown(Dialog& dialog, const DialogMouse& mouse) override;
    void OnPopupMouseMove(Dialog& dialog, const DialogMouse& mouse) override;

  private:
    void Open(const Dialog& dialog);
    void Choose(Dialog& dialog, int index);
    int RowAt(int y) const;
    ScrollBarGeometry PopupScrollBar() const;

    std::vector<std::string> items;
    int selected = -1;
    bool open = false;
    // The press that opened the list may be dragged onto an entry and released there.
    bool openedByPress = false;
    bool draggedIntoList = false;
    SDL_Rect popup = {0, 0, 0, 0};
    int rowHeight = 1;
    int visibleRows = 1;
    int top = 0;
    int highlighted = -1;
    TypeAhead typeAhead;
};
