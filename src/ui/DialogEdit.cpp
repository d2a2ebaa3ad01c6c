#include "ui/DialogEdit.h"

#include "support/Utf8Text.h"
#include "ui/Dialog.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>

namespace {

constexpr int kTextPadding = 3;
constexpr uint32_t kCaretBlinkMs = 530;
// A caret that leaves the field scrolls the text by this part of its width,
// so typing at the end does not scroll on every character.
constexpr int kScrollStepDivisor = 4;

// The byte offset after `count` characters.
size_t ByteOffsetOfChars(const std::string& text, int count) {
    size_t offset = 0;
    for (int i = 0; i < count && offset < text.size(); ++i) {
        offset = Utf8Next(text, offset);
    }
    return offset;
}

} // namespace

DialogEdit::DialogEdit(int id, const SDL_Rect& units)
    : DialogControl(id, units), buffer(kEditDefaultLimit) {}

void DialogEdit::SetText(const std::string& newText) {
    buffer.SetText(newText);
    scroll = 0;
    // Before the first layout there is no font yet; the layout scrolls then.
    if (layoutFont != nullptr) {
        KeepCaretVisible(layoutFont);
    }
}

void DialogEdit::Layout(const DialogUnits& /*units*/, TTF_Font* font) {
    layoutFont = font;
    KeepCaretVisible(font);
}

SDL_Rect DialogEdit::TextArea() const {
    return InsetRect(rect, kTextPadding);
}

int DialogEdit::OffsetX(TTF_Font* font, size_t offset) const {
    return TextWidth(font, buffer.Text().substr(0, offset));
}

int DialogEdit::TextLeft(TTF_Font* font) const {
    const int width = TextWidth(font, buffer.Text());
    const int room = TextArea().w;
    if (centred && width < room) {
        return (room - width) / 2;
    }
    return -scroll;
}

size_t DialogEdit::OffsetAt(TTF_Font* font, int windowX) const {
    const std::string& text = buffer.Text();
    const int local = windowX - TextArea().x - TextLeft(font);
    if (local <= 0 || font == nullptr || text.empty()) {
        return 0;
    }
    int extent = 0;
    int count = 0;
    if (TTF_MeasureUTF8(font, text.c_str(), local, &extent, &count) != 0) {
        return 0;
    }
    size_t before = ByteOffsetOfChars(text, count);
    if (before >= text.size()) {
        return text.size();
    }
    // Past the middle of the next character the caret goes after it.
    const size_t after = Utf8Next(text, before);
    const int left = OffsetX(font, before);
    const int right = OffsetX(font, after);
    return local - left > (right - left) / 2 ? after : before;
}

void DialogEdit::KeepCaretVisible(TTF_Font* font) {
    const int room = TextArea().w;
    if (room <= 0) {
        return;
    }
    const int caretX = OffsetX(font, buffer.Caret());
    const int width = TextWidth(font, buffer.Text());
    const int step = std::max(1, room / kScrollStepDivisor);
    if (caretX - scroll > room - 1) {
        scroll = std::min(caretX - room + step, width - room + 1);
    } else if (caretX < scroll) {
        scroll = caretX - step;
    }
    // Deleting at the end pulls the text back instead of leaving a gap.
    scroll = std::min(scroll, width - room + 1);
    scroll = std::max(scroll, 0);
}

SDL_Rect DialogEdit::CaretRect(TTF_Font* font) const {
    const SDL_Rect area = TextArea();
    const int lineHeight = DialogLineHeight(font);
    return {area.x + TextLeft(font) + OffsetX(font, buffer.Caret()),
            area.y + (area.h - lineHeight) / 2, 1, lineHeight};
}

void DialogEdit::Draw(const DialogPaint& paint) const {
    using namespace DialogColors;
    const bool active = enabled && paint.focused && paint.dialogActive;
    FillRect(paint.renderer, rect, enabled ? kFieldFace : kDisabledFace);
    DrawFrame(paint.renderer, rect,
              !enabled ? kDisabledBorder : (paint.focused ? kAccent : kFieldBorder));

    const SDL_Rect area = TextArea();
    if (area.w <= 0 || area.h <= 0 || paint.font == nullptr) {
        return;
    }
    const std::string& text = buffer.Text();
    const int left = area.x + TextLeft(paint.font);
    const int top = area.y + (area.h - DialogLineHeight(paint.font)) / 2;
    ScopedClip clip(paint.renderer, area);

    // Only the characters in view are rendered: a field may hold a text far
    // wider than any texture.
    size_t first = 0;
    int extent = 0;
    int count = 0;
    if (area.x - left > 0 &&
        TTF_MeasureUTF8(paint.font, text.c_str(), area.x - left, &extent, &count) == 0) {
        first = ByteOffsetOfChars(text, count);
    }
    const int firstX = left + OffsetX(paint.font, first);
    const std::string shown = text.substr(first);
    size_t shownBytes = shown.size();
    if (TTF_MeasureUTF8(paint.font, shown.c_str(), area.x + area.w - firstX, &extent, &count) ==
        0) {
        // One character more, so a partly visible last character is drawn.
        shownBytes = Utf8Next(shown, ByteOffsetOfChars(shown, count));
    }
    DrawText(paint.renderer, paint.font, shown.substr(0, shownBytes), firstX, top,
             enabled ? kText : kDisabledText);

    if (active && buffer.HasSelection()) {
        const size_t start = std::max(buffer.SelectionStart(), first);
        const size_t end = std::min(buffer.SelectionEnd(), first + shownBytes);
        if (start < end) {
            const int x0 = left + OffsetX(paint.font, start);
            const int x1 = left + OffsetX(paint.font, end);
            FillRect(paint.renderer, {x0, area.y, x1 - x0, area.h}, kSelection);
            DrawText(paint.renderer, paint.font, text.substr(start, end - start), x0, top,
                     kSelectionText);
        }
    }
    const bool caretOn = ((paint.ticks - caretStart) / kCaretBlinkMs) % 2 == 0;
    if (active && caretOn) {
        const int caretX =
            std::min(left + OffsetX(paint.font, buffer.Caret()), area.x + area.w - 1);
        SDL_SetRenderDrawColor(paint.renderer, kText.r, kText.g, kText.b, kText.a);
        SDL_RenderDrawLine(paint.renderer, caretX, top, caretX,
                           top + DialogLineHeight(paint.font) - 1);
    }
}

void DialogEdit::OnFocus(Dialog& dialog, bool gained, bool byKeyboard) {
    if (gained && byKeyboard) {
        buffer.SelectAll();
        KeepCaretVisible(dialog.Font());
    }
    caretStart = SDL_GetTicks();
}

void DialogEdit::OnMouseDown(Dialog& dialog, const DialogMouse& mouse) {
    TTF_Font* font = dialog.Font();
    const size_t at = OffsetAt(font, mouse.x);
    if (mouse.clicks >= 3) {
        buffer.SelectAll();
    } else if (mouse.clicks == 2) {
        buffer.SelectWordAt(at);
    } else {
        buffer.MoveCaret(at, (mouse.modifiers & KMOD_SHIFT) != 0);
    }
    KeepCaretVisible(font);
    caretStart = SDL_GetTicks();
}

void DialogEdit::OnMouseDrag(Dialog& dialog, const DialogMouse& mouse) {
    TTF_Font* font = dialog.Font();
    buffer.MoveCaret(OffsetAt(font, mouse.x), true);
    KeepCaretVisible(font);
}

void DialogEdit::Changed(Dialog& dialog) {
    KeepCaretVisible(dialog.Font());
    dialog.Notify(id, DialogNotify::Changed);
}

void DialogEdit::Copy() const {
    if (buffer.HasSelection()) {
        SDL_SetClipboardText(buffer.SelectedText().c_str());
    }
}

bool DialogEdit::Paste() {
    char* clip = SDL_GetClipboardText();
    if (clip == nullptr) {
        return false;
    }
    const bool changed = buffer.Insert(clip);
    SDL_free(clip);
    return changed;
}

bool DialogEdit::OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) {
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    const bool ctrl = (modifiers & KMOD_CTRL) != 0;
    if ((modifiers & KMOD_ALT) != 0) {
        return false;
    }
    caretStart = SDL_GetTicks();
    TTF_Font* font = dialog.Font();
    bool changed = false;
    switch (key) {
    case SDLK_LEFT:
        buffer.MoveLeft(shift, ctrl);
        break;
    case SDLK_RIGHT:
        buffer.MoveRight(shift, ctrl);
        break;
    case SDLK_HOME:
        buffer.MoveHome(shift);
        break;
    case SDLK_END:
        buffer.MoveEnd(shift);
        break;
    case SDLK_BACKSPACE:
        changed = buffer.Backspace(ctrl);
        break;
    case SDLK_DELETE:
        if (shift) {
            Copy();
        }
        changed = buffer.Delete(ctrl);
        break;
    case SDLK_INSERT:
        if (ctrl) {
            Copy();
        } else if (shift) {
            changed = Paste();
        } else {
            return false;
        }
        break;
    case SDLK_a:
    case SDLK_c:
    case SDLK_v:
    case SDLK_x:
        if (!ctrl) {
            return false; // the letter itself arrives as text input
        }
        if (key == SDLK_a) {
            buffer.SelectAll();
        } else if (key == SDLK_c) {
            Copy();
        } else if (key == SDLK_x) {
            Copy();
            changed = buffer.DeleteSelection();
        } else {
            changed = Paste();
        }
        break;
    default:
        return false;
    }
    if (changed) {
        Changed(dialog);
    } else {
        KeepCaretVisible(font);
    }
    return true;
}

bool DialogEdit::OnTextInput(Dialog& dialog, const char* input, uint32_t /*timestamp*/) {
    caretStart = SDL_GetTicks();
    if (buffer.Insert(input)) {
        Changed(dialog);
    }
    return true;
}
