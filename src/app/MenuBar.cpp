#include "app/MenuBar.h"

#include "app/Drawing.h"
#include "app/Editor.h"
#include "app/Layout.h"
#include "app/PhysfsRWops.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>

namespace {

// The bar's palette.
const SDL_Color kBarColor = {208, 208, 208, 255};
const SDL_Color kEmptyTitleColor = {128, 128, 128, 255};
const SDL_Color kHighlightColor = {0, 128, 255, 255};
const SDL_Color kTextColor = {0, 0, 0, 255};
const SDL_Color kHighlightTextColor = {255, 255, 255, 255};
const SDL_Color kFrameLightColor = {255, 255, 255, 255};
const SDL_Color kFrameDarkColor = {0, 0, 0, 255};
const SDL_Color kSeparatorShadowColor = {51, 51, 51, 255};
const SDL_Color kGreyedTextColor = {128, 128, 128, 255};

// Padding around captions: the text starts kTextLeft right of and kTextTop
// below its rectangle's corner, and a row is the text plus kRowPadding high.
constexpr int kTextLeft = 5;
constexpr int kTextTop = 3;
constexpr int kRowPadding = 6;
constexpr int kDropDownPadding = 10;
constexpr int kTitlePadding = 10;
constexpr int kTitleGap = 10;
constexpr int kSeparatorHeight = 4;
constexpr int kLargestCheckMark = 16;
// At least this much room between a caption and its shortcut.
constexpr int kShortcutGap = 24;

void SetDrawColor(const SDL_Color& color) {
    SDL_SetRenderDrawColor(editor->shell.renderer.get(), color.r, color.g, color.b, color.a);
}

void FillRect(const SDL_Rect& rect, const SDL_Color& color) {
    SetDrawColor(color);
    SDL_RenderFillRect(editor->shell.renderer.get(), &rect);
}

void DrawLine(int x1, int y1, int x2, int y2, const SDL_Color& color) {
    SetDrawColor(color);
    SDL_RenderDrawLine(editor->shell.renderer.get(), x1, y1, x2, y2);
}

bool IsEnabled(const MENU_ITEM& item) {
    return item.enabled == nullptr || item.enabled(item.value);
}

int CaptionStyle(const MENU_ITEM& item) {
    return item.kind == kMenuItemHeader ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL;
}

std::shared_ptr<MENU_ITEM> AppendItem(MENU& menu, int kind, const std::string& caption) {
    auto item = std::make_shared<MENU_ITEM>();
    item->kind = kind;
    item->caption = caption;
    menu.items.push_back(item);
    return item;
}

bool IsHidden(const MENU& menu, size_t index) {
    // A separator with nothing below it divides nothing.
    return index + 1 == menu.items.size() && menu.items[index]->kind == kMenuItemSeparator;
}

bool MouseOverTitle(const MENU& menu) {
    return IsInside(menu.titleRect, editor->session.mouseWindowPos);
}

// Moving along the bar while a menu is open opens the menu under the pointer.
void FollowPointerAlongBar() {
    if (editor->ui.openMenu == nullptr) {
        return;
    }
    for (const std::shared_ptr<MENU>& menu : editor->ui.menus) {
        if (menu.get() != editor->ui.openMenu && !menu->items.empty() && MouseOverTitle(*menu)) {
            editor->ui.openMenu = menu.get();
            return;
        }
    }
}

void RenderTitle(const MENU& menu) {
    SDL_Color textColor = kTextColor;
    if (menu.items.empty()) {
        FillRect(menu.titleRect, kEmptyTitleColor);
    } else if (&menu == editor->ui.openMenu || MouseOverTitle(menu)) {
        FillRect(menu.titleRect, kHighlightColor);
        textColor = kHighlightTextColor;
    }
    RenderText(editor->shell.menuFont.get(), menu.titleRect.x + kTextLeft,
               menu.titleRect.y + kTextTop, textColor, menu.caption, TTF_STYLE_NORMAL);
}

void RenderSeparator(const SDL_Rect& rect) {
    FillRect(rect, kBarColor);
    const int right = rect.x + rect.w - 1;
    DrawLine(rect.x, rect.y + 1, right, rect.y + 1, kFrameDarkColor);
    DrawLine(rect.x, rect.y + 2, right, rect.y + 2, kSeparatorShadowColor);
}

void RenderCheckMark(const SDL_Rect& rect, const SDL_Color& textColor) {
    if (editor->ui.checkMarkImage != nullptr) {
        const int side = std::min(rect.h - kRowPadding, kLargestCheckMark);
        const SDL_Rect target = {rect.x + kTextLeft, rect.y + (rect.h - side) / 2, side, side};
        SDL_RenderCopy(editor->shell.renderer.get(), editor->ui.checkMarkImage, nullptr, &target);
    } else {
        RenderText(editor->shell.menuFont.get(), rect.x + kTextLeft, rect.y + kTextTop, textColor,
                   kCheckMarkFallback, TTF_STYLE_NORMAL);
    }
}

void RenderItem(const MENU& menu, MENU_ITEM& item) {
    if (item.kind == kMenuItemSeparator) {
        RenderSeparator(item.rect);
        return;
    }
    SDL_Color textColor = kTextColor;
    if (item.kind == kMenuItemNormal) {
        if (item.check != nullptr) {
            item.marked = item.check(item.value);
        }
        const bool enabled = IsEnabled(item);
        if (!enabled) {
            FillRect(item.rect, kBarColor);
            textColor = kGreyedTextColor;
        } else if (IsInside(item.rect, editor->session.mouseWindowPos)) {
            FillRect(item.rect, kHighlightColor);
            textColor = kHighlightTextColor;
        } else {
            FillRect(item.rect, kBarColor);
        }
        if (item.marked) {
            RenderCheckMark(item.rect, textColor);
        }
    } else {
        FillRect(item.rect, kBarColor);
    }
    const int textLeft = kTextLeft + (menu.showsCheckMarks ? kCheckMarkRoom : 0);
    RenderText(editor->shell.menuFont.get(), item.rect.x + textLeft, item.rect.y + kTextTop,
               textColor, item.caption, CaptionStyle(item));
    if (!item.shortcut.empty()) {
        const WindowText shortcut =
            PrepareText(editor->shell.menuFont.get(), item.shortcut, textColor, TTF_STYLE_NORMAL);
        shortcut.DrawAt(item.rect.x + item.rect.w - kTextLeft - shortcut.size.x,
                        item.rect.y + kTextTop);
    }
}

void RenderDropDownFrame(const SDL_Rect& rect) {
    const int right = rect.x + rect.w;
    const int bottom = rect.y + rect.h;
    DrawLine(rect.x, rect.y, right, rect.y, kFrameLightColor);
    DrawLine(rect.x, rect.y, rect.x, bottom, kFrameLightColor);
    DrawLine(rect.x + 1, bottom, right - 1, bottom, kFrameDarkColor);
    DrawLine(right, rect.y + 1, right, bottom - 1, kFrameDarkColor);
}

void RenderDropDown(MENU& menu) {
    for (size_t index = 0; index < menu.items.size(); ++index) {
        if (!IsHidden(menu, index)) {
            RenderItem(menu, *menu.items[index]);
        }
    }
    RenderDropDownFrame(menu.dropDownRect);
}

} // namespace

MENU_ITEM* AddMenuItem(MENU& menu, const std::string& caption, MenuAction action, uint64_t value,
                       MenuCheck check) {
    std::shared_ptr<MENU_ITEM> item = AppendItem(menu, kMenuItemNormal, caption);
    item->action = action;
    item->check = check;
    item->value = value;
    return item.get();
}

void AddMenuSeparator(MENU& menu) {
    AppendItem(menu, kMenuItemSeparator, "");
}

void AddMenuHeader(MENU& menu, const std::string& caption) {
    AppendItem(menu, kMenuItemHeader, caption);
}

void RemoveMenuItem(MENU& menu, const MENU_ITEM* item) {
    auto found = std::find_if(
        menu.items.begin(), menu.items.end(),
        [item](const std::shared_ptr<MENU_ITEM>& entry) { return entry.get() == item; });
    if (found != menu.items.end()) {
        menu.items.erase(found);
        LayoutMenu(menu);
    }
}

void LayoutMenu(MENU& menu) {
    int widest = 0;
    int tallest = 0;
    int widestShortcut = 0;
    for (const std::shared_ptr<MENU_ITEM>& item : menu.items) {
        const SDL_Point size =
            TextSize(editor->shell.menuFont.get(), item->caption, CaptionStyle(*item));
        widest = std::max(widest, size.x);
        tallest = std::max(tallest, size.y);
        if (!item->shortcut.empty()) {
            widestShortcut = std::max(
                widestShortcut,
                TextSize(editor->shell.menuFont.get(), item->shortcut, TTF_STYLE_NORMAL).x);
        }
    }
    if (widestShortcut > 0) {
        widest += kShortcutGap + widestShortcut;
    }
    SDL_Rect& dropDown = menu.dropDownRect;
    dropDown.x = menu.titleRect.x;
    dropDown.y = menu.titleRect.y + menu.titleRect.h;
    dropDown.w = widest + kDropDownPadding + (menu.showsCheckMarks ? kCheckMarkRoom : 0);

    const int rowHeight = std::max(tallest + kRowPadding, editor->shell.menuBarRect.h);
    int y = dropDown.y;
    for (size_t index = 0; index < menu.items.size(); ++index) {
        MENU_ITEM& item = *menu.items[index];
        if (IsHidden(menu, index)) {
            // No place of its own, so no click can land on it.
            item.rect = {0, 0, 0, 0};
            break;
        }
        const int height = item.kind == kMenuItemSeparator ? kSeparatorHeight : rowHeight;
        item.rect = {dropDown.x, y, dropDown.w, height};
        y += height;
    }
    dropDown.h = y - dropDown.y;
}

void PlaceMenuTitles() {
    int x = editor->shell.menuBarRect.x;
    for (const std::shared_ptr<MENU>& menu : editor->ui.menus) {
        const SDL_Point size =
            TextSize(editor->shell.menuFont.get(), menu->caption, TTF_STYLE_NORMAL);
        menu->titleRect = {x, editor->shell.menuBarRect.y, size.x + kTitlePadding,
                           std::max(size.y + kRowPadding, editor->shell.menuBarRect.h)};
        LayoutMenu(*menu);
        x += menu->titleRect.w + kTitleGap;
    }
}

void RenderMenus() {
    if (editor->shell.renderer.get() == nullptr) {
        return;
    }
    FillRect(editor->shell.menuBarRect, kBarColor);
    FollowPointerAlongBar();
    for (const std::shared_ptr<MENU>& menu : editor->ui.menus) {
        RenderTitle(*menu);
    }
    if (editor->ui.openMenu != nullptr) {
        RenderDropDown(*editor->ui.openMenu);
    }
}

void MenuClick() {
    if (editor->ui.openMenu != nullptr) {
        // Held here: the action may remove items from the menu.
        std::shared_ptr<MENU_ITEM> hit;
        for (const std::shared_ptr<MENU_ITEM>& item : editor->ui.openMenu->items) {
            if (item->action != nullptr && IsInside(item->rect, editor->session.mouseWindowPos)) {
                hit = item;
                break;
            }
        }
        if (hit != nullptr && !IsEnabled(*hit)) {
            return; // a greyed item does nothing, and the menu stays open
        }
        // Closed before the action runs, as desktop menus do: a dialog the
        // action opens shows the window under it without the drop-down.
        editor->ui.openMenu = nullptr;
        if (hit != nullptr) {
            hit->action(hit->value, hit.get());
        }
        return;
    }
    for (const std::shared_ptr<MENU>& menu : editor->ui.menus) {
        if (!menu->items.empty() && MouseOverTitle(*menu)) {
            editor->ui.openMenu = menu.get();
            return;
        }
    }
}

void LoadMenuImages() {
    FreeMenuImages();
    SDL_RWops* stream = PHYSFSRWOPS_openRead(kCheckMarkImagePath);
    if (stream == nullptr) {
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "Couldn't open %s: %s", kCheckMarkImagePath,
                    SDL_GetError());
        return;
    }
    editor->ui.checkMarkImage = IMG_LoadTexture_RW(editor->shell.renderer.get(), stream, 1);
    if (editor->ui.checkMarkImage == nullptr) {
        SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "Couldn't load %s: %s", kCheckMarkImagePath,
                    IMG_GetError());
    }
}

void FreeMenuImages() {
    if (editor->ui.checkMarkImage != nullptr) {
        SDL_DestroyTexture(editor->ui.checkMarkImage);
        editor->ui.checkMarkImage = nullptr;
    }
}

MENU* FindMenu(const std::string& caption) {
    for (const std::shared_ptr<MENU>& menu : editor->ui.menus) {
        if (menu->caption == caption) {
            return menu.get();
        }
    }
    return nullptr;
}
