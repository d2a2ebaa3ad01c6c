#pragma once
// Which open paper is shown and edited, the window title that names it, and
// the Windows menu's entry for every open paper.

#include <cstdint>
#include <string>

class Paper;
struct MENU_ITEM;

// The caption of a paper that has never been loaded or saved.
constexpr const char* kUnnamedFileCaption = "Unnamed File";

// "Tessellon/Linux64", or "Tessellon/Linux64 - [name]" for a paper with a file.
std::string WindowTitleFor(const Paper* paper);
// Gives the window the title of `activePaper`.
void UpdateWindowTitle();

// Makes `paper` (may be null) the active paper and updates the title. A tool
// operation in progress belongs to the paper it was started on, so switching
// to another paper discards it.
void SetActivePaper(Paper* paper);

// The Windows-menu entries: the value is the paper's address.
void ActivatePaper(uint64_t value, MENU_ITEM* item);
bool IsActivePaper(uint64_t value);

// The caption of the paper's Windows-menu entry: its file name, or "Unnamed File".
std::string PaperCaption(const Paper& paper);

// Connects the papers to the interface: a new paper gets a Windows-menu entry,
// a destroyed one loses it, a new file name renames it, and a load or save
// moves the file to the head of the recent files and renames the window.
void InstallPaperHooks();
// Undoes InstallPaperHooks (at shutdown, once every paper is closed).
void RemovePaperHooks();
