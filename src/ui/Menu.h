#pragma once
// The data of the drawn menu bar: menus and their items.

#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct MENU_ITEM;

using MenuAction = void (*)(uint64_t value, MENU_ITEM* item);
using MenuCheck = bool (*)(uint64_t value);

enum MenuItemKind : int {
    kMenuItemNormal = 0,
    kMenuItemSeparator = 1,
    kMenuItemHeader = 2,
};

struct MENU_ITEM {
    int kind = kMenuItemNormal;
    std::string caption;
    MenuAction action = nullptr;
    MenuCheck check = nullptr;
    // Whether the item can act now; without it, always. One that cannot is
    // greyed and ignores clicks.
    MenuCheck enabled = nullptr;
    // The key that does the same, shown right-aligned in the row ("Ctrl+S").
    std::string shortcut;
    bool marked = false;
    uint64_t value = 0;
    SDL_Rect rect = {0, 0, 0, 0};
};

struct MENU {
    std::string caption;
    bool showsCheckMarks = false;
    SDL_Rect titleRect = {0, 0, 0, 0};
    SDL_Rect dropDownRect = {0, 0, 0, 0};
    std::vector<std::shared_ptr<MENU_ITEM>> items;
};
