#pragma once
// The editor: everything the running program knows besides its documents'
// contents, in one object grouped by what it is. The shell is the window and
// what draws into it; the session is what the user is working on and with;
// the interface is the state of menus, toolbox, status line and dialogs.
// Code reaches it through `editor`; tools and the document never do, they get
// what they need as arguments.

#include "app/AboutState.h"
#include "draw/SdlOwners.h"
#include "draw/TextTextureCache.h"
#include "support/Product.h"
#include "ui/DialogHost.h"
#include "ui/FileDialog.h"

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
struct OpenPaper;
class Tool;
struct MENU;
struct MENU_ITEM;
struct ToolboxButton;
class Dialog;
struct AutosaveState;

constexpr int32_t kFramePeriodMs = 66;
// The window title; with a document it reads "<title> - [name]".
constexpr const char* kWindowTitle = "Tessellon/Linux64";
// The font size of every modal dialog ("fonts/menu.ttf").
constexpr int kDialogFontSize = 13;
// The font the papers' texts are drawn in, from the resource tree, and its size.
constexpr const char* kDrawFontFile = "fonts/cad.ttf";
constexpr int kDrawFontPoints = 18;
constexpr int kSystemCursorCount = 12;

// Which keys are held down (see IsKeyHeld); SDL's keyboard state when empty.
// Tests set it to hold modifier keys that queued events cannot press.
using KeyHeldSource = std::function<bool(SDL_Scancode scancode)>;
extern const FileTypeFilters documentFileTypes;
extern const FileTypeFilters pngFileTypes;
// Shows a message box: SDL_ShowMessageBox in the program; tests answer it
// here, since no box can be shown without a display.
using MessageBoxFunction = int (*)(const SDL_MessageBoxData* data, int* buttonId);
// Where the About screen takes its random bytes from; RandomBytes when empty.
using RandomByteSource = std::function<bool(void* buffer, size_t count)>;

// The window, what draws into it, and its regions. Start-up fills it; each SDL
// object is owned here, and the shutdown sequence lets them go in the order
// SDL needs (fonts before TTF_Quit, renderer before window, all before SDL_Quit).
struct EditorShell {
    WindowPtr window;
    RendererPtr renderer;
    // The active paper's view as a texture of `renderer`, updated only where
    // the view's pixels changed since it was last shown; `shownView` is the
    // view it holds. It goes before the renderer does.
    TexturePtr paperTexture;
    const void* paperTextureView = nullptr;
    // Native handle of `window` (the X11 window id where SDL reports one), 0 when unknown.
    uintptr_t mainWindowHandle = 0;
    int32_t framePeriodMs = kFramePeriodMs;

    // The bytes of the drawing font's file: `drawFont` reads its glyphs from
    // them, and PDF and SVG exports embed them. Declared before the font so
    // that it outlives it; never changed while the font is open.
    std::vector<uint8_t> drawFontFile;
    FontPtr menuFont;
    FontPtr statusFont;
    FontPtr toolboxFont;
    FontPtr drawFont;
    // The font of every modal dialog; the dialogs fall back to `menuFont`
    // while it is not open.
    FontPtr dialogFont;
    CursorPtr systemCursors[kSystemCursorCount];
    // The texts of menus, toolbox and status line as textures of `renderer`,
    // kept while every frame draws them and swept at the end of each. Declared
    // after the renderer and the fonts, so that it goes before them; cleared
    // before either is replaced, since its keys and textures point at them.
    TextTextureCache windowTexts;

    SDL_Rect menuBarRect = {0, 0, 0, 0};
    SDL_Rect toolboxRect = {0, 0, 0, 0};
    SDL_Rect paperViewRect = {0, 0, 0, 0};
    SDL_Rect statusBarRect = {0, 0, 0, 0};

    KeyHeldSource keyHeldSource;

    // The open log file "tessellon.log" (null when it could not be opened) and
    // the log output SDL had before ours, to which every message is passed on
    // and which is put back before the file is closed.
    FILE* logFile = nullptr;
    SDL_LogOutputFunction previousLogOutput = nullptr;
    void* previousLogUserdata = nullptr;
};

// What the user works on and with.
struct EditorSession {
    EditorSession();
    ~EditorSession();

    // Every open document with its view, in the order they were opened
    // (ui/PaperWindows.h opens and closes them), and the one in front.
    std::vector<std::unique_ptr<OpenPaper>> openPapers;
    Paper* activePaper = nullptr;
    // Owned; replace only through SetActiveToolInstance.
    std::unique_ptr<Tool> activeToolInstance;
    char currentToolName[256] = {};
    int32_t rotationAngle = 0;
    uint8_t currentLayer = 0;
    bool gridVisible = true;
    bool gridLock = true;

    bool selectionDragging = false;
    SDL_Point dragAnchor = {0, 0};
    SDL_Point mouseWindowPos = {0, 0};
    SDL_Point mousePaperPos = {0, 0};
    SDL_Point mouseGridPos = {0, 0};
    SDL_Point toolPos = {0, 0};

    double newPaperWidth = 8.5;
    double newPaperHeight = 11.0;
    std::vector<std::string> recentFiles;
    char lastPromptText[256] = {};
    // Custom colours of the colour dialog, kept for the run (0x00BBGGRR like COLORREF).
    uint32_t customColorSlots[16] = {};
    // Folder of the last Export All, ending in '/'; empty until the first one.
    std::string exportFolder;
    // Print files handed to a viewer, which may still be reading them
    // when the command returns; they are removed when the program ends instead.
    std::vector<std::string> printFilesToRemove;
    // The recovery files being written; made when autosaving starts.
    std::unique_ptr<AutosaveState> autosave;
};

// What the main loop remembers of the frames it drew, to draw only on change.
struct FramePacing {
    bool drawn = false;
    uint64_t framesDrawn = 0;
    // What can change without input, as the last pass saw it.
    struct Seen {
        bool noticeShown = false;
        int64_t noticeExpiry = 0;
        const Paper* activePaper = nullptr;
        size_t openPapers = 0;
        bool operator==(const Seen&) const = default;
    } seen;
};

// Menus, toolbox, status line, dialogs and the About screen.
struct EditorInterface {
    EditorInterface();
    ~EditorInterface();

    bool quitRequested = false;
    bool aboutRequested = false;

    std::vector<std::shared_ptr<MENU>> menus;
    MENU* openMenu = nullptr;
    MENU* fileMenu = nullptr;
    MENU* windowsMenu = nullptr;
    MENU_ITEM* recentFileItems[4] = {};
    SDL_Texture* checkMarkImage = nullptr;

    std::vector<ToolboxButton> toolboxButtons;
    SDL_Texture* hiddenIconTexture = nullptr;

    // Whether the open papers' changes reach the interface (menus, recent files).
    bool papersConnected = false;
    // What the window's title was last set to.
    std::string windowTitle;
    FramePacing framePacing;

    char statusNotice[256] = {};
    int64_t statusNoticeExpiry = 0;

    // Image file types SDL_image reads, built on first use.
    FileTypeFilters imageFileTypes;
    MessageBoxFunction showMessageBox = SDL_ShowMessageBox;

    // Draws the main window's frame (without presenting it) under an open
    // modal dialog, which then dims it; null clears to the workspace colour.
    void (*dialogBackdrop)() = nullptr;
    // The innermost modal dialog running its own event loop, null when none.
    Dialog* runningDialog = nullptr;
    // For tests: called at the start of every pass of a modal dialog's loop,
    // before its events are read, so input can be scripted against the
    // laid-out controls. Empty in the program.
    std::function<void(Dialog&)> dialogPassHook;
    // For tests: a modal dialog that finds SDL's event queue empty ends as if
    // closed, so a script that runs out of input can never hang.
    bool dialogCloseWhenIdle = false;

    AboutState aboutState;
    // Tests set it to make the About screen's positions, sizes and speeds exact.
    RandomByteSource aboutRandomSource;
};

struct Editor final : DialogHost {
    EditorShell shell;
    EditorSession session;
    EditorInterface ui;

    // What the dialogs get of the editor.
    SDL_Window* Window() const override { return shell.window.get(); }
    SDL_Renderer* Renderer() const override { return shell.renderer.get(); }
    TTF_Font* Font() const override;
    int32_t FramePeriodMs() const override { return shell.framePeriodMs; }
    bool DrawBackdrop() override;
    SDL_Cursor* Cursor(SDL_SystemCursor id) override;
    void ShowNotice(const std::string& text) override;
    int ShowMessageBox(const SDL_MessageBoxData& data, int& buttonId) override;
    Dialog*& RunningDialog() override { return ui.runningDialog; }
    const std::function<void(Dialog&)>& PassHook() const override { return ui.dialogPassHook; }
    bool CloseWhenIdle() const override { return ui.dialogCloseWhenIdle; }
    uint32_t* CustomColorSlots() override { return session.customColorSlots; }
};

// The running program's editor; never null.
extern Editor* editor;

// Replaces the editor with a new one in its start-up state (used at start-up
// and by tests). The old one frees what it still owns, so call it before
// TTF_Quit and SDL_Quit. The network layer's state is not the editor's and stays.
void ResetEditor();
