#include "ui/DialogListView.h"

#include "ui/Dialog.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

constexpr int kRowPadding = 4;
constexpr int kTextInset = 4;
constexpr int kIconSize = 14;
constexpr int kIconGap = 6;
constexpr int kColumnGap = 8;

void DrawFolderIcon(SDL_Renderer* renderer, int x, int y) {
    using namespace DialogColors;
    const SDL_Rect tab = {x, y + 1, kIconSize / 2, 3};
    const SDL_Rect body = {x, y + 3, kIconSize, kIconSize - 4};
    FillRect(renderer, tab, kFolderIconEdge);
    FillRect(renderer, body, kFolderIcon);
    DrawFrame(renderer, body, kFolderIconEdge);
}

void DrawFileIcon(SDL_Renderer* renderer, int x, int y) {
    using namespace DialogColors;
    const SDL_Rect page = {x + 2, y, kIconSize - 4, kIconSize};
    FillRect(renderer, page, kFileIcon);
    DrawFrame(renderer, page, kFileIconEdge);
    // Two text lines on the page.
    SDL_SetRenderDrawColor(renderer, kFileIconEdge.r, kFileIconEdge.g, kFileIconEdge.b, 255);
    SDL_RenderDrawLine(renderer, page.x + 2, y + 4, page.x + page.w - 3, y + 4);
    SDL_RenderDrawLine(renderer, page.x + 2, y + 7, page.x + page.w - 3, y + 7);
}

} // namespace

DialogListView::DialogListView(int id, const SDL_Rect& units) : DialogControl(id, units) {}

void DialogListView::SetItems(std::vector<DialogListItem> rows) {
    items = std::move(rows);
    selected.assign(items.size(), 0);
    current = anchor = -1;
    top = 0;
    draggingThumb = false;
}

bool DialogListView::IsSelected(int row) const {
    return row >= 0 && row < Count() && selected[static_cast<size_t>(row)] != 0;
}

std::vector<int> DialogListView::SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < Count(); ++row) {
        if (selected[static_cast<size_t>(row)] != 0) {
            rows.push_back(row);
        }
    }
    return rows;
}

void DialogListView::Select(int row) {
    std::fill(selected.begin(), selected.end(), 0);
    if (row < 0 || row >= Count()) {
        current = anchor = -1;
        return;
    }
    selected[static_cast<size_t>(row)] = 1;
    current = anchor = row;
    top = TopKeepingRowVisible(top, row, visibleRows, Count());
}

void DialogListView::Layout(const DialogUnits& units, TTF_Font* font) {
    detailWidth = units.X(detailUnits);
    rowHeight = DialogLineHeight(font) + kRowPadding;
    visibleRows = std::max(1, (rect.h - 2) / rowHeight);
    top = ClampTop(top, visibleRows, Count());
}

int DialogListView::RowAt(int y) const {
    if (y < rect.y + 1) {
        return -1;
    }
    const int row = top + (y - rect.y - 1) / rowHeight;
    return row < Count() && row < top + visibleRows ? row : -1;
}

SDL_Rect DialogListView::RowRect(int row) const {
    const int barWidth = ScrollBar().Needed() ? kScrollBarWidth : 0;
    return {rect.x + 1, rect.y + 1 + (row - top) * rowHeight, rect.w - 2 - barWidth, rowHeight};
}

ScrollBarGeometry DialogListView::ScrollBar() const {
    ScrollBarGeometry bar;
    bar.track = {rect.x + rect.w - 1 - kScrollBarWidth, rect.y + 1, kScrollBarWidth, rect.h - 2};
    bar.top = top;
    bar.visible = visibleRows;
    bar.count = Count();
    return bar;
}

void DialogListView::Draw(const DialogPaint& paint) const {
    using namespace DialogColors;
    FillRect(paint.renderer, rect, enabled ? kFieldFace : kDisabledFace);
    DrawFrame(paint.renderer, rect,
              !enabled ? kDisabledBorder : (paint.focused ? kAccent : kFieldBorder));
    const bool active = enabled && paint.focused && paint.dialogActive;
    if (items.empty()) {
        if (!emptyText.empty()) {
            SDL_Rect message = {rect.x, rect.y + rowHeight, rect.w, rowHeight};
            DrawTextInRect(paint.renderer, paint.font, emptyText, message, TextAlign::Center, true,
                           kDisabledText);
        }
        if (active) {
            DrawFocusMark(paint.renderer, InsetRect(rect, 2));
        }
        return;
    }
    const int last = std::min(Count(), top + visibleRows);
    for (int row = top; row < last; ++row) {
        const DialogListItem& item = items[static_cast<size_t>(row)];
        const SDL_Rect rowRect = RowRect(row);
        SDL_Color ink = enabled ? kText : kDisabledText;
        if (IsSelected(row)) {
            FillRect(paint.renderer, rowRect, active ? kSelection : kSelectionInactive);
            if (active) {
                ink = kSelectionText;
            }
        }
        int x = rowRect.x + kTextInset;
        const int iconY = rowRect.y + (rowRect.h - kIconSize) / 2;
        if (item.icon == ListIcon::Folder) {
            DrawFolderIcon(paint.renderer, x, iconY);
        } else if (item.icon == ListIcon::File) {
            DrawFileIcon(paint.renderer, x, iconY);
        }
        if (item.icon != ListIcon::None) {
            x += kIconSize + kIconGap;
        }
        const int detailRoom = detailWidth > 0 ? detailWidth + kColumnGap : 0;
        const int nameWidth = rowRect.x + rowRect.w - kTextInset - detailRoom - x;
        DrawTextInRect(paint.renderer, paint.font, ElideText(paint.font, item.text, nameWidth),
                       {x, rowRect.y, nameWidth, rowRect.h}, TextAlign::Left, true, ink);
        if (detailWidth > 0 && !item.detail.empty()) {
            const SDL_Rect detail = {rowRect.x + rowRect.w - kTextInset - detailWidth, rowRect.y,
                                     detailWidth, rowRect.h};
            DrawTextInRect(paint.renderer, paint.font, item.detail, detail, TextAlign::Right, true,
                           ink);
        }
        if (active && row == current) {
            DrawFocusMark(paint.renderer, rowRect);
        }
    }
    if (active && current < 0) {
        DrawFocusMark(paint.renderer, InsetRect(rect, 2));
    }
    ScrollBar().Draw(paint.renderer);
}

void DialogListView::SelectRange(int from, int to) {
    std::fill(selected.begin(), selected.end(), 0);
    if (from > to) {
        std::swap(from, to);
    }
    for (int row = std::max(from, 0); row <= to && row < Count(); ++row) {
        selected[static_cast<size_t>(row)] = 1;
    }
}

void DialogListView::Changed(Dialog& dialog, const std::vector<uint8_t>& before) {
    if (before != selected) {
        dialog.Notify(id, DialogNotify::SelectionChanged);
    }
}

void DialogListView::MoveTo(Dialog& dialog, int row, bool extend) {
    if (Count() == 0) {
        return;
    }
    row = std::clamp(row, 0, Count() - 1);
    const std::vector<uint8_t> before = selected;
    if (extend && multiple && anchor >= 0) {
        SelectRange(anchor, row);
        current = row;
    } else {
        std::fill(selected.begin(), selected.end(), 0);
        selected[static_cast<size_t>(row)] = 1;
        current = anchor = row;
    }
    top = TopKeepingRowVisible(top, current, visibleRows, Count());
    Changed(dialog, before);
}

void DialogListView::OnMouseDown(Dialog& dialog, const DialogMouse& mouse) {
    typeAhead.Reset();
    const ScrollBarGeometry bar = ScrollBar();
    if (bar.Needed() && RectContains(bar.track, mouse.x, mouse.y)) {
        const SDL_Rect thumb = bar.Thumb();
        if (mouse.y < thumb.y) {
            top = ClampTop(top - visibleRows, visibleRows, Count());
        } else if (mouse.y >= thumb.y + thumb.h) {
            top = ClampTop(top + visibleRows, visibleRows, Count());
        } else {
            draggingThumb = true;
            thumbGrab = mouse.y - thumb.y;
        }
        return;
    }
    const int row = RowAt(mouse.y);
    const std::vector<uint8_t> before = selected;
    if (row < 0) {
        // A click below the rows chooses nothing, as in a file manager.
        std::fill(selected.begin(), selected.end(), 0);
        Changed(dialog, before);
        return;
    }
    const bool ctrl = (mouse.modifiers & KMOD_CTRL) != 0;
    const bool shift = (mouse.modifiers & KMOD_SHIFT) != 0;
    if (multiple && ctrl) {
        selected[static_cast<size_t>(row)] ^= 1;
        current = anchor = row;
        Changed(dialog, before);
        return;
    }
    MoveTo(dialog, row, shift);
    if (IsDoubleClick(mouse)) {
        dialog.Notify(id, DialogNotify::DoubleClicked);
    }
}

void DialogListView::OnMouseDrag(Dialog& /*dialog*/, const DialogMouse& mouse) {
    if (draggingThumb) {
        top = ScrollBar().TopForThumbAt(mouse.y - thumbGrab);
    }
}

void DialogListView::OnMouseUp(Dialog& /*dialog*/, const DialogMouse& /*mouse*/) {
    draggingThumb = false;
}

void DialogListView::OnWheel(Dialog& /*dialog*/, int rows) {
    top = ClampTop(top + rows, visibleRows, Count());
}

bool DialogListView::OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) {
    const bool shift = (modifiers & KMOD_SHIFT) != 0;
    const bool ctrl = (modifiers & KMOD_CTRL) != 0;
    if ((modifiers & KMOD_ALT) != 0) {
        return false;
    }
    typeAhead.Reset();
    if (int row = 0; RowForKey(key, current, visibleRows - 1, Count(), false, row)) {
        MoveTo(dialog, row, shift);
        return true;
    }
    if (key == SDLK_a && ctrl && multiple) {
        const std::vector<uint8_t> before = selected;
        std::fill(selected.begin(), selected.end(), 1);
        Changed(dialog, before);
        return true;
    }
    return false;
}

bool DialogListView::OnTextInput(Dialog& dialog, const char* input, uint32_t timestamp) {
    const int row =
        typeAhead.Find(input, timestamp, current, Count(), [this](int index) -> const std::string& {
            return items[static_cast<size_t>(index)].text;
        });
    if (row >= 0) {
        MoveTo(dialog, row, false);
    }
    return true;
}
