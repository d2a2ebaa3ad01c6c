#pragma once
// Which open paper is shown and edited, the window title that names it, and
// the Windows menu's entry for every open paper.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Paper;
class PaperView;
struct MENU_ITEM;

// A document open in the window, with its view and its Windows-menu entry.
// The view goes before the document it shows.
struct OpenPaper {
    std::unique_ptr<Paper> document;
    std::unique_ptr<PaperView> view;
    MENU_ITEM* windowMenuItem = nullptr;
};

// A new, empty document for the window: its grid squares follow the display.
std::unique_ptr<Paper> NewDocument();
// Opens `document` in the window: gives it a view of the paper area, an
// entry in the Windows menu and a place at the end of `openPapers`. Does not
// make it the active paper.
OpenPaper& AddOpenPaper(std::unique_ptr<Paper> document);
// Opens a document just read from a file as AddOpenPaper does, tells the
// recent files and the Windows menu its name, and shows its background image
// (a failure to read it is told in the status line). Does not make it the
// active paper.
OpenPaper& AddLoadedPaper(std::unique_ptr<Paper> document);
// Closes the open paper of `document` without asking anything: its view,
// menu entry and the document go. The active paper is then none.
void CloseOpenPaper(Paper& document);
// The view of an open document, null for one that is not open.
PaperView* ViewOf(const Paper* document);
// The view of `activePaper`, null without one.
PaperView* ActiveView();
// The open documents in the order they were opened.
std::vector<Paper*> OpenDocuments();

// The caption of a paper that has never been loaded or saved.
constexpr const char* kUnnamedFileCaption = "Unnamed File";

// "Tessellon/Linux64", or "Tessellon/Linux64 - [name]" for a paper with a
// file, ending in " *" while the paper holds unsaved changes.
std::string WindowTitleFor(const Paper* paper);
// Gives the window the title of `activePaper` when it differs from the last.
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

// Connects the open papers to the interface: a new file name renames a
// paper's Windows-menu entry, and a load or save moves the file to the head
// of the recent files and renames the window.
void ConnectPapersToInterface();
// Undoes ConnectPapersToInterface (at shutdown, once every paper is closed).
void DisconnectPapersFromInterface();
