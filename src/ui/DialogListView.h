#pragma once
// A scrolling list of rows with an icon, a name and an optional detail
// column, with single or multiple selection. Only the rows in view are drawn,
// so very long lists stay fast. Double-clicking a row reports DoubleClicked;
// every change of the chosen rows reports SelectionChanged.

#include "ui/DialogControl.h"
#include "ui/DialogRows.h"

#include <vector>

enum class ListIcon : uint8_t { None, Folder, File };

struct DialogListItem {
    std::string text;
    // Right-aligned second column (e.g. a file size); may be empty.
    std::string detail;
    ListIcon icon = ListIcon::None;
};

class DialogListView final : public DialogControl {
  public:
    DialogListView(int id, const SDL_Rect& units);

    // Replaces the rows; nothing is chosen and the list shows its top.
    void SetItems(std::vector<DialogListItem> rows);
    const std::vector<DialogListItem>& Items() const { return items; }
    void SetMultipleSelection(bool on) { multiple = on; }
    // Shown in the middle of an empty list.
    void SetEmptyText(std::string message) { emptyText = std::move(message); }
    // Width in dialog units of the detail column; 0 hides it.
    void SetDetailWidth(int units) { detailUnits = units; }

    // The row with the keyboard cursor (the one chosen last), -1 for none.
    int Current() const { return current; }
    bool IsSelected(int row) const;
    std::vector<int> SelectedRows() const;
    // Chooses only `row` (or nothing for -1) and scrolls it into view.
    void Select(int row);
    // Where a row in view is drawn, in window pixels.
    SDL_Rect RowRect(int row) const;

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

  private:
    int Count() const { return static_cast<int>(items.size()); }
    int RowAt(int y) const;
    ScrollBarGeometry ScrollBar() const;
    // Moves the cursor to `row`; with `extend` the rows from the anchor are
    // chosen, otherwise only `row`. Reports a change.
    void MoveTo(Dialog& dialog, int row, bool extend);
    void SelectRange(int from, int to);
    void Changed(Dialog& dialog, const std::vector<uint8_t>& before);

    std::vector<DialogListItem> items;
    std::vector<uint8_t> selected;
    bool multiple = false;
    std::string emptyText;
    int detailUnits = 0;
    int detailWidth = 0;
    int current = -1;
    int anchor = -1;
    int top = 0;
    int rowHeight = 1;
    int visibleRows = 1;
    bool draggingThumb = false;
    int thumbGrab = 0;
    TypeAhead typeAhead;
};
