#include "ui/DialogDropDown.h"

#include "ui/Dialog.h"
#include "ui/DialogHost.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

constexpr int kClosedPadding = 8;
constexpr int kRowPadding = 4;
constexpr int kTextInset = 4;
constexpr int kArrowWidth = 17;
constexpr int kArrowSize = 4;
constexpr int kMaxVisibleRows = 16;
constexpr int kFocusInset = 2;

} // namespace

DialogDropDown::DialogDropDown(int id, const SDL_Rect& units) : DialogControl(id, units) {}

void DialogDropDown::SetItems(std::vector<std::string> entries) {
    items = std::move(entries);
    selected = -1;
    open = false;
}

void DialogDropDown::SetSelection(int index) {
    selected = (index >= 0 && index < static_cast<int>(items.size())) ? index : -1;
}

std::string DialogDropDown::Text() const {
    return selected >= 0 ? items[static_cast<size_t>(selected)] : std::string();
}

void DialogDropDown::Layout(const DialogUnits& /*units*/, TTF_Font* font) {
    // Like the desktop toolkit, the closed height follows the font; the
    // template's height only sized the dropped list.
    rowHeight = DialogLineHeight(font) + kRowPadding;
    rect.h = DialogLineHeight(font) + kClosedPadding;
    open = false;
}

void DialogDropDown::Open(const Dialog& dialog) {
    const int count = static_cast<int>(items.size());
    if (count == 0) {
        return;
    }
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetRendererOutputSize(dialog.Host().Renderer(), &windowWidth, &windowHeight);
    visibleRows = std::min(count, kMaxVisibleRows);
    // Below the field when it fits, else above, else as many rows as fit.
    const int below = windowHeight - (rect.y + rect.h);
    const int above = rect.y;
    int y = rect.y + rect.h;
    if (visibleRows * rowHeight + 2 > below) {
        if (visibleRows * rowHeight + 2 <= above) {
            y = rect.y - (visibleRows * rowHeight + 2);
        } else {
            const bool useAbove = above > below;
            visibleRows = std::max(1, ((useAbove ? above : below) - 2) / rowHeight);
            y = useAbove ? rect.y - (visibleRows * rowHeight + 2) : y;
        }
    }
    popup = {rect.x, y, rect.w, visibleRows * rowHeight + 2};
    highlighted = std::max(selected, 0);
    top = TopKeepingRowVisible(0, highlighted, visibleRows, count);
    open = true;
}

void DialogDropDown::Choose(Dialog& dialog, int index) {
    open = false;
    if (index < 0 || index >= static_cast<int>(items.size()) || index == selected) {
        return;
    }
    selected = index;
    dialog.Notify(id, DialogNotify::SelectionChanged);
}

int DialogDropDown::RowAt(int y) const {
    const int row = top + (y - popup.y - 1) / rowHeight;
    return (y > popup.y && row < static_cast<int>(items.size())) ? row : -1;
}

ScrollBarGeometry DialogDropDown::PopupScrollBar() const {
    ScrollBarGeometry bar;
    bar.track = {popup.x + popup.w - 1 - kScrollBarWidth, popup.y + 1, kScrollBarWidth,
                 popup.h - 2};
    bar.top = top;
    bar.visible = visibleRows;
    bar.count = static_cast<int>(items.size());
    return bar;
}

void DialogDropDown::Draw(const DialogPaint& paint) const {
    using namespace DialogColors;
    FillRect(paint.renderer, rect, enabled ? kFieldFace : kDisabledFace);
    DrawFrame(paint.renderer, rect,
              !enabled ? kDisabledBorder : (paint.focused || open ? kAccent : kFieldBorder));
    SDL_Rect field = {rect.x + kFocusInset, rect.y + kFocusInset,
                      rect.w - 2 * kFocusInset - kArrowWidth, rect.h - 2 * kFocusInset};
    SDL_Color ink = enabled ? kText : kDisabledText;
    if (enabled && paint.focused && !open) {
        FillRect(paint.renderer, field, kSelection);
        ink = kSelectionText;
    }
    SDL_Rect textRect = {field.x + kTextInset, field.y, field.w - 2 * kTextInset, field.h};
    DrawTextInRect(paint.renderer, paint.font, ElideText(paint.font, Text(), textRect.w), textRect,
                   TextAlign::Left, true, ink);
    if (enabled && paint.focused) {
        DrawFocusMark(paint.renderer, field);
    }

    const SDL_Point arrowCentre = {rect.x + rect.w - kArrowWidth / 2 - 2, rect.y + rect.h / 2};
    DrawArrowHead(paint.renderer, arrowCentre, kArrowSize, ArrowDirection::Down,
                  enabled ? kText : kDisabledText);
}

void DialogDropDown::DrawPopup(const DialogPaint& paint) const {
    using namespace DialogColors;
    if (!open) {
        return;
    }
    FillRect(paint.renderer, popup, kFieldFace);
    DrawFrame(paint.renderer, popup, kFieldBorder);
    const ScrollBarGeometry bar = PopupScrollBar();
    const int textWidth = popup.w - 2 - 2 * kTextInset - (bar.Needed() ? kScrollBarWidth : 0);
    const int last = std::min(static_cast<int>(items.size()), top + visibleRows);
    for (int row = top; row < last; ++row) {
        const SDL_Rect rowRect = {popup.x + 1, popup.y + 1 + (row - top) * rowHeight,
                                  popup.w - 2 - (bar.Needed() ? kScrollBarWidth : 0), rowHeight};
        SDL_Color ink = kText;
        if (row == highlighted) {
            FillRect(paint.renderer, rowRect, kSelection);
            ink = kSelectionText;
        }
        const SDL_Rect textRect = {rowRect.x + kTextInset, rowRect.y, textWidth, rowRect.h};
        DrawTextInRect(paint.renderer, paint.font,
                       ElideText(paint.font, items[static_cast<size_t>(row)], textWidth), textRect,
                       TextAlign::Left, true, ink);
    }
    bar.Draw(paint.renderer);
}

void DialogDropDown::OnMouseDown(Dialog& dialog, const DialogMouse& /*mouse*/) {
    if (open) {
        open = false;
        return;
    }
    Open(dialog);
    openedByPress = open;
    draggedIntoList = false;
}

void DialogDropDown::OnMouseDrag(Dialog& dialog, const DialogMouse& mouse) {
    if (open && RectContains(popup, mouse.x, mouse.y)) {
        draggedIntoList = true;
        OnPopupMouseMove(dialog, mouse);
    }
}

void DialogDropDown::OnMouseUp(Dialog& dialog, const DialogMouse& mouse) {
    const bool releaseOnEntry =
        open && openedByPress && draggedIntoList && RectContains(popup, mouse.x, mouse.y);
    openedByPress = false;
    if (releaseOnEntry) {
        const int row = RowAt(mouse.y);
        if (row >= 0) {
            Choose(dialog, row);
        }
    }
}

void DialogDropDown::OnPopupMouseDown(Dialog& dialog, const DialogMouse& mouse) {
    const ScrollBarGeometry bar = PopupScrollBar();
    if (bar.Needed() && RectContains(bar.track, mouse.x, mouse.y)) {
        const SDL_Rect thumb = bar.Thumb();
        const int page =
            mouse.y < thumb.y ? -visibleRows : (mouse.y >= thumb.y + thumb.h ? visibleRows : 0);
        top = ClampTop(top + page, visibleRows, static_cast<int>(items.size()));
        return;
    }
    const int row = RowAt(mouse.y);
    if (row >= 0) {
        Choose(dialog, row);
    }
}

void DialogDropDown::OnPopupMouseMove(Dialog& /*dialog*/, const DialogMouse& mouse) {
    const ScrollBarGeometry bar = PopupScrollBar();
    if (bar.Needed() && RectContains(bar.track, mouse.x, mouse.y)) {
        return;
    }
    const int row = RowAt(mouse.y);
    if (row >= 0) {
        highlighted = row;
    }
}

void DialogDropDown::OnWheel(Dialog& /*dialog*/, int rows) {
    if (open) {
        top = ClampTop(top + rows, visibleRows, static_cast<int>(items.size()));
    }
}

bool DialogDropDown::OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) {
    const int count = static_cast<int>(items.size());
    const bool alt = (modifiers & KMOD_ALT) != 0;
    if ((modifiers & KMOD_CTRL) != 0) {
        return false;
    }
    typeAhead.Reset();
    if (open) {
        if (key == SDLK_ESCAPE) {
            open = false;
        } else if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_F4 ||
                   (alt && key == SDLK_UP)) {
            Choose(dialog, highlighted);
        } else if (int row = 0; RowForKey(key, highlighted, visibleRows, count, false, row)) {
            highlighted = row;
            top = TopKeepingRowVisible(top, highlighted, visibleRows, count);
        }
        return true; // an open list keeps the keys to itself
    }

    if (key == SDLK_F4 || (alt && (key == SDLK_DOWN || key == SDLK_UP))) {
        Open(dialog);
        return true;
    }
    int row = 0;
    if (alt || !RowForKey(key, selected, kMaxVisibleRows, count, true, row)) {
        return false;
    }
    if (count > 0) {
        Choose(dialog, row);
    }
    return true;
}

bool DialogDropDown::OnTextInput(Dialog& dialog, const char* input, uint32_t timestamp) {
    const int row = typeAhead.Find(
        input, timestamp, open ? highlighted : selected, static_cast<int>(items.size()),
        [this](int index) -> const std::string& { return items[static_cast<size_t>(index)]; });
    if (row < 0) {
        return true;
    }
    if (open) {
        highlighted = row;
        top = TopKeepingRowVisible(top, row, visibleRows, static_cast<int>(items.size()));
    } else {
        Choose(dialog, row);
    }
    return true;
}
