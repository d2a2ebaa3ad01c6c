#pragma once
// The Unit Options and Grid menus' scale and switch items: each action sets
// one setting, each check tells whether it is the one in force.

#include <cstdint>

struct MENU_ITEM;

// Unit Options > Unit: the value is the row of `Units`.
void ChooseUnit(uint64_t value, MENU_ITEM* item);
bool IsUnit(uint64_t value);
// Unit Options > Unit Scale: blocks per unit, 1 to 16.
void ChooseUnitScale(uint64_t value, MENU_ITEM* item);
bool IsUnitScale(uint64_t value);
// Grid > Grid Scale: lines per inch, 1 to 16.
void ChooseLinesPerInch(uint64_t value, MENU_ITEM* item);
bool IsLinesPerInch(uint64_t value);
// Grid > "[F5] Enable/Disable" and "[F6] Grid Lock On/Off".
void ToggleGridVisible(uint64_t value, MENU_ITEM* item);
bool IsGridVisible(uint64_t value);
void ToggleGridLock(uint64_t value, MENU_ITEM* item);
bool IsGridLocked(uint64_t value);
