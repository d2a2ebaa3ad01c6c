#pragma once
// The menu bar drawn along the top of the window: seven drop-down menus whose
// items call plain functions with a number. Built once at start-up; later only
// captions change and Windows-menu entries come and go.

#include "ui/Menu.h"

#include <cstdint>
#include <string>

// Space the drop-down keeps left of every caption for a check mark.
constexpr int kCheckMarkRoom = 20;
constexpr const char* kCheckMarkImagePath = "images/checked.png";
// Drawn instead of the check-mark image when it could not be loaded.
constexpr const char* kCheckMarkFallback = "\xE2\x88\x9A"; // √

// Append items to `menu` (call LayoutMenu afterwards). The item stays owned
// by the menu; the returned pointer lives as long as the item is in it.
MENU_ITEM* AddMenuItem(MENU& menu, const std::string& caption, MenuAction action, uint64_t value,
                       MenuCheck check);
void AddMenuSeparator(MENU& menu);
void AddMenuHeader(MENU& menu, const std::string& caption);
// Removes the item (no-op when it is not in the menu) and lays the menu out again.
void RemoveMenuItem(MENU& menu, const MENU_ITEM* item);

// Places the drop-down and its items below the menu's title. Needed after any
// item is added, removed or recaptioned.
void LayoutMenu(MENU& menu);

// Places the titles of `menus` from the left of `menuBarRect`, each followed by
// a gap, and lays out every drop-down below its title.
void PlaceMenuTitles();

// Creates the seven menus with every item, places their titles along
// `menuBarRect` and loads the check-mark image. Sets `fileMenu`,
// `windowsMenu` and `recentFileItems`; start-up treats a missing
// `windowsMenu` afterwards as fatal.
void BuildMenus();

// Draws the bar and the open drop-down for the current mouse position; moving
// over another title while a menu is open opens that one instead.
void RenderMenus();

// A left-button release routed to the menus (a menu is open, or the pointer is
// in the bar): runs the item under the pointer, if any, and closes the menu;
// with no menu open, opens the one whose title is under the pointer.
void MenuClick();

// Loads the check-mark image through the resource search path; without it
// check marks are drawn as text.
void LoadMenuImages();
// Releases the check-mark image (at shutdown).
void FreeMenuImages();

// The menu with that caption, null when there is none.
MENU* FindMenu(const std::string& caption);
