#pragma once
// Push buttons of a dialog, including the push-like check boxes and radio
// buttons, which look like buttons that stay pressed while checked.

#include "ui/DialogControl.h"

enum class ButtonKind { Push, DefaultPush, CheckBox, Radio };
// A shape a button can show instead of its caption, for captions whose
// characters are too small to read at the dialog's size (the arrowheads of
// the resize buttons). The caption stays the button's text.
enum class ButtonGlyph { None, ArrowUp, ArrowDown, ArrowLeft, ArrowRight, Dot };

class DialogButton final : public DialogControl {
  public:
    // A '&' in the caption marks the next letter as the button's mnemonic
    // ("&Yes" shows "Yes" with Y underlined and is pressed by Alt+Y).
    DialogButton(int id, const SDL_Rect& units, const std::string& caption, ButtonKind kind);

    ButtonKind Kind() const { return kind; }
    bool IsPushButton() const {
        return kind == ButtonKind::Push || kind == ButtonKind::DefaultPush;
    }
    bool IsChecked() const { return checked; }
    void SetChecked(bool on) { checked = on; }
    // A radio button that starts a new group; the radio buttons added after it
    // belong to its group until the next one that starts a group.
    void StartGroup() { startsGroup = true; }
    bool StartsGroup() const { return startsGroup; }
    // Lower-case mnemonic letter, 0 when none.
    char Mnemonic() const { return mnemonic; }
    void SetText(const std::string& caption) override;
    void SetGlyph(ButtonGlyph shape) { glyph = shape; }
    ButtonGlyph Glyph() const { return glyph; }

    // What a click does: toggle a check box, choose a radio button, and tell
    // the dialog.
    void Press(Dialog& dialog);

    bool CanTakeFocus() const override { return true; }
    void Draw(const DialogPaint& paint) const override;
    void OnMouseDown(Dialog& dialog, const DialogMouse& mouse) override;
    void OnMouseDrag(Dialog& dialog, const DialogMouse& mouse) override;
    void OnMouseUp(Dialog& dialog, const DialogMouse& mouse) override;
    bool OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) override;
    // Space presses the button when it is released, as on the desktop, so the
    // space typed with it never reaches a dialog the button opens.
    void OnKeyUp(Dialog& dialog, SDL_Keycode key) override;
    void CancelPress() override { pressed = spaceHeld = false; }

  private:
    void MoveInGroup(Dialog& dialog, int step);
    void DrawCaption(const DialogPaint& paint, const SDL_Rect& area, SDL_Color ink) const;
    void DrawGlyph(const DialogPaint& paint, const SDL_Rect& area, SDL_Color ink) const;

    ButtonKind kind;
    ButtonGlyph glyph = ButtonGlyph::None;
    bool checked = false;
    bool startsGroup = false;
    bool pressed = false;
    bool spaceHeld = false;
    char mnemonic = 0;
    // Byte offset of the mnemonic letter in `text`, or npos.
    size_t mnemonicAt = std::string::npos;
};
