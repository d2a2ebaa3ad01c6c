#pragma once
// The four documents most recently loaded or saved: kept in the registry
// store between runs and shown in the File menu's four recent-file slots.

#include <cstddef>
#include <cstdint>
#include <string>

struct MENU_ITEM;

constexpr size_t kRecentFileCount = 4;
constexpr const char* kRecentFilePlaceholder = "- Recently Used File -";
constexpr const char* kRecentFilesKey = "SOFTWARE\\Velmora\\Tessellon";
constexpr const char* kRecentFileMissingNotice =
    "File doesn't exist or we don't have read permission!";

// The registry value name of list entry `index` ("RecentFile0" ...).
std::string RecentFileValueName(size_t index);
// The file-name part of `path` without its last extension.
std::string RecentDisplayName(const std::string& path);

// Reads the list from the registry store at start-up (after BuildMenus),
// skipping entries whose files cannot be read.
void LoadRecentFiles();
// Puts `path` at the head of the list (a path equal to it regardless of case
// goes), updates the slot captions and, with `persist`, the registry store.
void AddRecentFile(const std::string& path, bool persist);
// The action of the recent-file slots: opens the slot's document.
void OpenRecentFile(uint64_t slot, MENU_ITEM* item);
