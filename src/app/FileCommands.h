#pragma once
// The file commands of the File and Windows menus: New, Open, Save, Save As,
// Close, Close All and Exit, with the question about unsaved changes, and
// opening a document by path (Open dialog, recent files, drops, command line).

#include <cstdint>
#include <string>

class Paper;
struct MENU_ITEM;

constexpr const char* kNewPaperTitle = "Enter Size";
constexpr const char* kNewPaperLabel = "Enter size in inches in format WxH";
constexpr const char* kInvalidSizeNotice = "Invalid format, defaulting to 8.5x11\"";
constexpr const char* kAlreadyOpenNotice = "File already open...";
constexpr const char* kOpenDialogTitle = "Open Tessellon file";
constexpr const char* kSaveDialogTitle = "Save Tessellon file";
constexpr const char* kSaveQuestionTitle = "Save file?";
// The size offered when an answer cannot be read.
constexpr double kDefaultPaperWidthInches = 8.5;
constexpr double kDefaultPaperHeightInches = 11.0;

// Button ids of the save-before-close question.
enum SaveQuestionButton : int {
    kSaveQuestionYes = 1,
    kSaveQuestionNo = 2,
    kSaveQuestionCancel = 3,
};

// Menu actions (the value and item are not used).
void CreateNewPaper(uint64_t value, MENU_ITEM* item);
void ShowOpenDialog(uint64_t value, MENU_ITEM* item);
void SaveActivePaper(uint64_t value, MENU_ITEM* item);
void SaveActivePaperAs(uint64_t value, MENU_ITEM* item);
void CloseActivePaper(uint64_t value, MENU_ITEM* item);
// Windows > "Close All...": asks about unsaved changes, then closes every paper.
void CloseAllPapersCommand(uint64_t value, MENU_ITEM* item);
// File > "Exit" and the window's close button: quits unless the user cancels.
void ExitProgram(uint64_t value = 0, MENU_ITEM* item = nullptr);

// Asks for a path and saves the paper there; false when cancelled or failed.
bool SavePaperAs(Paper& paper);
// Closes every paper. Without `force` each modified one is asked about first,
// and the first Cancel (or failed save) stops everything with false and no
// paper closed. Afterwards no paper is active and the title is the bare one.
bool CloseAllPapers(bool force);
// Asks whether to save the modified paper. True to go on closing it (saved,
// or not wanted); false to stop.
bool AskSaveBeforeClose(Paper& paper);
// Makes the paper stored at `path` the active one: an open paper with exactly
// that path, or else a new paper loaded from it. False when loading failed
// (the loader has said why).
bool OpenPaperFile(const std::string& path);
