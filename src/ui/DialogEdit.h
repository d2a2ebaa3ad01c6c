#pragma once
// A single-line edit field: caret, selection with the mouse and Shift+keys,
// clipboard, horizontal scrolling that keeps the caret in view, and an
// optional centred layout for short numeric fields.

#include "ui/DialogControl.h"
#include "ui/EditText.h"

// Long enough for any path; keeps a huge paste bounded.
constexpr size_t kEditDefaultLimit = 4096;

class DialogEdit final : public DialogControl {
  public:
    DialogEdit(int id, const SDL_Rect& units);

    std::string Text() const override { return buffer.Text(); }
    // Replaces the text (cut to the limit) without telling the dialog.
    void SetText(const std::string& newText) override;
    void SetLimit(size_t limitBytes) { buffer.SetLimit(limitBytes); }
    void SetCentred(bool on) { centred = on; }
    void SetDigitsOnly(bool on) { buffer.SetDigitsOnly(on); }
    // Where the caret is drawn, in window pixels.
    SDL_Rect CaretRect(TTF_Font* font) const;
    EditText& Buffer() { return buffer; }
    const EditText& Buffer() const { return buffer; }

    bool CanTakeFocus() const override { return true; }
    bool TakesLetterKeys() const override { return true; }
    void Layout(const DialogUnits& units, TTF_Font* font) override;
    void Draw(const DialogPaint& paint) const override;
    void OnFocus(Dialog& dialog, bool gained, bool byKeyboard) override;
    void OnMouseDown(Dialog& dialog, const DialogMouse& mouse) override;
    void OnMouseDrag(Dialog& dialog, const DialogMouse& mouse) override;
    bool OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) override;
    bool OnTextInput(Dialog& dialog, const char* input, uint32_t timestamp) override;

  private:
    SDL_Rect TextArea() const;
    // X of a byte offset relative to the start of the text.
    int OffsetX(TTF_Font* font, size_t offset) const;
    // Where the text starts relative to the text area's left edge.
    int TextLeft(TTF_Font* font) const;
    size_t OffsetAt(TTF_Font* font, int windowX) const;
    // Scrolls so the caret is visible and no space is wasted on the right.
    void KeepCaretVisible(TTF_Font* font);
    void Changed(Dialog& dialog);
    void Copy() const;
    bool Paste();

    EditText buffer;
    bool centred = false;
    int scroll = 0;
    // The font of the last layout, null before the first.
    TTF_Font* layoutFont = nullptr;
    // Restarts the caret's blink so it shows right after every key.
    uint32_t caretStart = 0;
};
