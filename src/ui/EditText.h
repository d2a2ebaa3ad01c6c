#pragma once
// The text, caret and selection of a single-line edit field, without any
// drawing: every edit of the field goes through here, so the rules for
// character boundaries, the length limit and accepted characters live in
// one place.

#include <cstddef>
#include <string>
#include <string_view>

class EditText {
  public:
    explicit EditText(size_t limitBytes);

    const std::string& Text() const { return text; }
    // Replaces the text (cut to the limit); caret at the end, nothing selected.
    void SetText(std::string_view newText);
    size_t Limit() const { return limit; }
    void SetLimit(size_t limitBytes);
    // Only the digits 0-9 are accepted from typing and pasting.
    void SetDigitsOnly(bool digitsOnly) { acceptsDigitsOnly = digitsOnly; }

    size_t Caret() const { return caret; }
    size_t Anchor() const { return anchor; }
    bool HasSelection() const { return caret != anchor; }
    size_t SelectionStart() const { return caret < anchor ? caret : anchor; }
    size_t SelectionEnd() const { return caret < anchor ? anchor : caret; }
    std::string SelectedText() const;

    // Moves the caret to a byte offset (snapped to a character boundary);
    // with `extend` the selection grows from the anchor, otherwise it is dropped.
    void MoveCaret(size_t pos, bool extend);
    void MoveLeft(bool extend, bool byWord);
    void MoveRight(bool extend, bool byWord);
    void MoveHome(bool extend) { MoveCaret(0, extend); }
    void MoveEnd(bool extend) { MoveCaret(text.size(), extend); }
    void SelectAll();
    // Selects the word (or the run of blanks) around a byte offset.
    void SelectWordAt(size_t pos);

    // Each returns true when the text changed.
    // Replaces the selection with the single-line part of `input`, cut so the
    // text stays within the limit. Refused whole when digits-only and it holds
    // anything else.
    bool Insert(std::string_view input);
    bool Backspace(bool byWord);
    bool Delete(bool byWord);
    bool DeleteSelection();

  private:
    size_t Snap(size_t pos) const;
    size_t PreviousWordStart(size_t pos) const;
    size_t NextWordStart(size_t pos) const;

    std::string text;
    size_t caret = 0;
    size_t anchor = 0;
    size_t limit;
    bool acceptsDigitsOnly = false;
};
