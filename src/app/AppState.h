#pragma once
// The program's process-wide state, in one place. Every subsystem reads and
// writes these variables directly; `ResetAppState` puts them back to their
// start-up values (used at start-up and by tests).

#include "support/Product.h"

#include <SDL2/SDL_log.h>
#include <SDL2/SDL_messagebox.h>
#include <SDL2/SDL_rect.h>
#include <SDL2/SDL_scancode.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Cursor;
typedef struct _TTF_Font TTF_Font;

class Paper;
class PaperObject;
struct OpenPaper;
class Tool;
struct MENU;
struct MENU_ITEM;
struct ToolboxButton;
struct AboutState;
class Dialog;
class VRX_Mutex_Win32Mutex;

// ---------------------------------------------------------------------------
// Shell: window, fonts, screen regions, mouse and tool positions
// ---------------------------------------------------------------------------
constexpr int32_t kFramePeriodMs = 66;
// The window title; with a document it reads "<title> - [name]".
constexpr const char* kWindowTitle = "Tessellon/Linux64";

extern bool quitRequested;
extern bool aboutRequested;
extern int32_t framePeriodMs;
extern SDL_Window* window;
extern SDL_Renderer* renderer;
// Native handle of `window` (the X11 window id where SDL reports one), 0 when unknown.
extern uintptr_t mainWindowHandle;

extern TTF_Font* menuFont;
extern TTF_Font* statusFont;
extern TTF_Font* toolboxFont;
extern TTF_Font* drawFont;
// The font of every modal dialog ("fonts/menu.ttf" at kDialogFontSize); the
// dialogs fall back to `menuFont` while it is not open.
constexpr int kDialogFontSize = 13;
extern TTF_Font* dialogFont;

extern SDL_Rect menuBarRect;
extern SDL_Rect toolboxRect;
extern SDL_Rect paperViewRect;
extern SDL_Rect statusBarRect;

extern Paper* activePaper;
// Owned; replace only through SetActiveToolInstance.
extern std::unique_ptr<Tool> activeToolInstance;
extern char currentToolName[256];
extern int32_t rotationAngle;
extern uint8_t currentLayer;
extern MENU* openMenu;
extern bool gridVisible;
extern bool gridLock;
extern bool selectionDragging;
extern SDL_Point dragAnchor;
extern SDL_Point mouseWindowPos;
extern SDL_Point mousePaperPos;
extern SDL_Point mouseGridPos;
extern SDL_Point toolPos;
// Which keys are held down (see IsKeyHeld); SDL's keyboard state when empty.
// Tests set it to hold modifier keys that queued events cannot press.
using KeyHeldSource = std::function<bool(SDL_Scancode scancode)>;
extern KeyHeldSource keyHeldSource;

// The open log file "tessellon.log" (null when it could not be opened) and the
// log output SDL had before ours, to which every message is passed on and which
// is put back before the file is closed.
extern FILE* logFile;
extern SDL_LogOutputFunction previousLogOutput;
extern void* previousLogUserdata;

// ---------------------------------------------------------------------------
// Status line
// ---------------------------------------------------------------------------
extern char statusNotice[256];
extern int64_t statusNoticeExpiry;
constexpr int kSystemCursorCount = 12;
extern SDL_Cursor* systemCursors[kSystemCursorCount];

// ---------------------------------------------------------------------------
// Open papers and file commands
// ---------------------------------------------------------------------------
// Every open document with its view, in the order they were opened
// (ui/PaperWindows.h opens and closes them).
extern std::vector<std::unique_ptr<OpenPaper>> openPapers;
extern double newPaperWidth;
extern double newPaperHeight;

// File-type name -> wildcard pattern(s), sorted by name.
using FileTypeFilters = std::map<std::string, std::string>;
extern const FileTypeFilters documentFileTypes;
extern const FileTypeFilters pngFileTypes;
extern FileTypeFilters imageFileTypes; // built on first use
// Shows the save-before-close question: SDL_ShowMessageBox in the program;
// tests answer it here, since no box can be shown without a display.
using MessageBoxFunction = int (*)(const SDL_MessageBoxData* data, int* buttonId);
extern MessageBoxFunction showMessageBox;

// ---------------------------------------------------------------------------
// Menu bar and recent files
// ---------------------------------------------------------------------------
extern std::vector<std::shared_ptr<MENU>> menus;
extern MENU* fileMenu;
extern MENU* windowsMenu;
extern MENU_ITEM* recentFileItems[4];
extern SDL_Texture* checkMarkImage;
extern std::vector<std::string> recentFiles;

// ---------------------------------------------------------------------------
// Toolbox
// ---------------------------------------------------------------------------
extern std::vector<ToolboxButton> toolboxButtons;
extern SDL_Texture* hiddenIconTexture;

// ---------------------------------------------------------------------------
// Tools and dialogs
// ---------------------------------------------------------------------------
extern char lastPromptText[256];
extern std::string promptTitle;
extern std::string promptLabel;
extern std::string promptText;
// Custom colours of the colour dialog, kept for the run (0x00BBGGRR like COLORREF).
extern uint32_t customColorSlots[16];
// Folder of the last Export All, ending in '/'; empty until the first one.
extern std::string exportFolder;
// Print images handed to an image viewer, which may still be reading them when
// the command returns; they are removed when the program ends instead.
extern std::vector<std::string> printFilesToRemove;

// ---------------------------------------------------------------------------
// Modal dialogs
// ---------------------------------------------------------------------------
// Draws the main window's frame (without presenting it) under an open modal
// dialog, which then dims it; null clears to the workspace colour instead.
extern void (*dialogBackdrop)();
// The innermost modal dialog running its own event loop, null when none.
extern Dialog* runningDialog;
// For tests: called at the start of every pass of a modal dialog's loop,
// before its events are read, so input can be scripted against the laid-out
// controls. Empty in the program.
extern std::function<void(Dialog&)> dialogPassHook;
// For tests: a modal dialog that finds SDL's event queue empty ends as if
// closed, so a script that runs out of input can never hang.
extern bool dialogCloseWhenIdle;

// ---------------------------------------------------------------------------
// About screen
// ---------------------------------------------------------------------------
extern AboutState aboutState;
// Where the About screen takes its random bytes from; RandomBytes when empty.
// Tests set it to make positions, sizes and speeds exact.
using RandomByteSource = std::function<bool(void* buffer, size_t count)>;
extern RandomByteSource aboutRandomSource;

// Puts every variable above but the network layer's back to its start-up
// value. Does not free SDL objects: the shutdown sequence does that first.
void ResetAppState();
