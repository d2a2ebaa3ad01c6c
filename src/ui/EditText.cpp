#include "ui/EditText.h"

#include "support/Utf8Text.h"

#include <algorithm>

namespace {

// Word moves treat letters, digits and every non-ASCII byte as word
// characters, so accented words move as one.
bool IsWordByte(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || (byte >= '0' && byte <= '9') || (byte >= 'a' && byte <= 'z') ||
           (byte >= 'A' && byte <= 'Z') || byte == '_';
}

bool IsBlank(char c) {
    return c == ' ';
}

} // namespace

EditText::EditText(size_t limitBytes) : limit(limitBytes) {}

void EditText::SetText(std::string_view newText) {
    text.assign(newText.substr(0, Utf8FitBytes(newText, limit)));
    caret = anchor = text.size();
}

void EditText::SetLimit(size_t limitBytes) {
    limit = limitBytes;
    if (text.size() > limit) {
        CutUtf8(text, limit);
        caret = std::min(caret, text.size());
        anchor = std::min(anchor, text.size());
    }
}

std::string EditText::SelectedText() const {
    return text.substr(SelectionStart(), SelectionEnd() - SelectionStart());
}

size_t EditText::Snap(size_t pos) const {
    if (pos >= text.size()) {
        return text.size();
    }
    // Utf8Previous of the next boundary is the start of the character `pos` is in.
    return Utf8Previous(text, Utf8Next(text, pos));
}

void EditText::MoveCaret(size_t pos, bool extend) {
    caret = Snap(pos);
    if (!extend) {
        anchor = caret;
    }
}

size_t EditText::PreviousWordStart(size_t pos) const {
    while (pos > 0 && !IsWordByte(text[pos - 1])) {
        pos = Utf8Previous(text, pos);
    }
    while (pos > 0 && IsWordByte(text[pos - 1])) {
        pos = Utf8Previous(text, pos);
    }
    return pos;
}

size_t EditText::NextWordStart(size_t pos) const {
    while (pos < text.size() && IsWordByte(text[pos])) {
        pos = Utf8Next(text, pos);
    }
    while (pos < text.size() && !IsWordByte(text[pos])) {
        pos = Utf8Next(text, pos);
    }
    return pos;
}

void EditText::MoveLeft(bool extend, bool byWord) {
    if (!extend && !byWord && HasSelection()) {
        // Like common desktop fields: Left collapses a selection to its start.
        MoveCaret(SelectionStart(), false);
        return;
    }
    MoveCaret(byWord ? PreviousWordStart(caret) : Utf8Previous(text, caret), extend);
}

void EditText::MoveRight(bool extend, bool byWord) {
    if (!extend && !byWord && HasSelection()) {
        MoveCaret(SelectionEnd(), false);
        return;
    }
    MoveCaret(byWord ? NextWordStart(caret) : Utf8Next(text, caret), extend);
}

void EditText::SelectAll() {
    anchor = 0;
    caret = text.size();
}

void EditText::SelectWordAt(size_t pos) {
    pos = Snap(pos);
    if (text.empty()) {
        return;
    }
    if (pos == text.size()) {
        pos = Utf8Previous(text, pos);
    }
    const char kind = text[pos];
    auto sameKind = [&](char c) {
        if (IsWordByte(kind)) {
            return IsWordByte(c);
        }
        if (IsBlank(kind)) {
            return IsBlank(c);
        }
        return !IsWordByte(c) && !IsBlank(c);
    };
    size_t start = pos;
    while (start > 0 && sameKind(text[start - 1])) {
        start = Utf8Previous(text, start);
    }
    size_t end = Utf8Next(text, pos);
    while (end < text.size() && sameKind(text[end])) {
        end = Utf8Next(text, end);
    }
    anchor = start;
    caret = end;
}

bool EditText::DeleteSelection() {
    if (!HasSelection()) {
        return false;
    }
    const size_t start = SelectionStart();
    text.erase(start, SelectionEnd() - start);
    caret = anchor = start;
    return true;
}

bool EditText::Insert(std::string_view input) {
    std::string line = SingleLineText(input);
    if (acceptsDigitsOnly &&
        !std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const size_t kept = text.size() - (SelectionEnd() - SelectionStart());
    const size_t room = limit > kept ? limit - kept : 0;
    CutUtf8(line, room);
    if (line.empty()) {
        // Nothing fits (or nothing was given): typing over a selection at the
        // limit must not silently delete the selection.
        return false;
    }
    DeleteSelection();
    text.insert(caret, line);
    caret = anchor = caret + line.size();
    return true;
}

bool EditText::Backspace(bool byWord) {
    if (DeleteSelection()) {
        return true;
    }
    if (caret == 0) {
        return false;
    }
    const size_t start = byWord ? PreviousWordStart(caret) : Utf8Previous(text, caret);
    text.erase(start, caret - start);
    caret = anchor = start;
    return true;
}

bool EditText::Delete(bool byWord) {
    if (DeleteSelection()) {
        return true;
    }
    if (caret >= text.size()) {
        return false;
    }
    const size_t end = byWord ? NextWordStart(caret) : Utf8Next(text, caret);
    text.erase(caret, end - caret);
    return true;
}
