#include "app/Startup.h"

#include "app/Autosave.h"
#include "app/Editor.h"
#include "app/FileCommands.h"
#include "app/Frame.h"
#include "app/Layout.h"
#include "app/Log.h"
#include "app/MenuBar.h"
#include "app/NativeWindow.h"
#include "app/PaperWindows.h"
#include "app/PhysfsRWops.h"
#include "app/RecentFiles.h"
#include "app/ResourceFont.h"
#include "app/ResourcePath.h"
#include "app/Shutdown.h"
#include "app/Toolbox.h"
#include "app/WindowGeometry.h"
#include "platform/Environment.h"
#include "support/VRX_Network.h"
#include "support/VRX_Paths.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>
#include <physfs.h>

#include <cstdarg>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int kStartedStatus = 0;
constexpr int kFailedStatus = 1;
constexpr const char* kLogFileName = "tessellon.log";
constexpr const char* kFatalErrorTitle = "Fatal Error";
constexpr const char* kRecoveryFolderName = "recovery";
constexpr int kImageFormats = IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP;

struct FontEntry {
    FontPtr EditorShell::*font;
    const char* file;
    int pointSize;
    const char* failureFormat;
    // Where the file's bytes are kept, for a font whose file is wanted again.
    std::vector<uint8_t> EditorShell::*keptFile = nullptr;
};

// In the order they are opened.
const FontEntry kFonts[] = {
    {&EditorShell::statusFont, "fonts/menu.ttf", 20, "Couldn't load status font: %s"},
    {&EditorShell::toolboxFont, "fonts/menu.ttf", 24, "Couldn't load toolbox font: %s"},
    {&EditorShell::menuFont, "fonts/menu.ttf", 14, "Couldn't load menu font: %s"},
    {&EditorShell::drawFont, kDrawFontFile, kDrawFontPoints, "Couldn't load draw font: %s",
     &EditorShell::drawFontFile},
    // The dialogs' own size of the menu font; the same file, so it only fails
    // when something went very wrong after the menu font opened.
    {&EditorShell::dialogFont, "fonts/menu.ttf", kDialogFontSize, "Couldn't load dialog font: %s"},
};

__attribute__((format(printf, 1, 2))) int Failed(const char* format, ...) {
    char message[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(message, sizeof message, format, arguments);
    va_end(arguments);
    ReportFatalError(message);
    return kFailedStatus;
}

bool CreateMainWindow(const WindowGeometry& geometry) {
    // Created in place with its title, so it never shows up elsewhere first.
    editor->shell.window.reset(SDL_CreateWindow(kWindowTitle, geometry.x, geometry.y,
                                                geometry.width, geometry.height,
                                                SDL_WINDOW_RESIZABLE));
    if (editor->shell.window == nullptr) {
        return false;
    }
    SDL_SetWindowMinimumSize(editor->shell.window.get(), kMinWindowWidth, kMinWindowHeight);
    editor->shell.windowTexts.Clear();
    editor->shell.renderer.reset(SDL_CreateRenderer(editor->shell.window.get(), -1, 0));
    return editor->shell.renderer.get() != nullptr;
}

// The font owns its stream. When the file cannot be opened, SDL's error keeps
// the PhysicsFS reason rather than SDL_ttf's complaint about a missing stream.
TTF_Font* OpenFont(const FontEntry& entry) {
    if (entry.keptFile != nullptr) {
        // A font still open would read from the bytes about to be replaced.
        (editor->shell.*entry.font).reset();
        return OpenResourceFontKeepingFile(entry.file, entry.pointSize,
                                           editor->shell.*entry.keptFile);
    }
    SDL_RWops* stream = PHYSFSRWOPS_openRead(entry.file);
    if (stream == nullptr) {
        return nullptr;
    }
    return TTF_OpenFontRW(stream, 1, entry.pointSize);
}

bool OpenFonts() {
    for (const FontEntry& entry : kFonts) {
        FontPtr& font = editor->shell.*entry.font;
        font.reset(OpenFont(entry));
        if (font == nullptr) {
            Failed(entry.failureFormat, SDL_GetError());
            return false;
        }
    }
    return true;
}

// Each document named on the command line opens as a dropped file would, so a
// file manager can hand over several at once.
void OpenCommandLineDocuments(int argc, char** argv) {
    for (int index = 1; index < argc && argv[index] != nullptr; ++index) {
        // A name that does not exist is ignored without a message.
        std::error_code error;
        if (std::filesystem::exists(argv[index], error)) {
            OpenPaperFile(argv[index]);
        }
    }
}

int64_t ReadAutosaveSeconds() {
    std::string settings;
    // A settings file that cannot be read gives every setting its default.
    ReadWholeFile(SettingsFilePath(), settings, kMaxSettingsFileSize);
    return ParseAutosaveSeconds(settings);
}

} // namespace

void ReportFatalError(const std::string& message) {
    SDL_LogError(SDL_LOG_CATEGORY_APPLICATION, "%s", message.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kFatalErrorTitle, message.c_str(),
                             editor->shell.window.get());
}

void FatalError(const std::string& message) {
    ReportFatalError(message);
    ShutdownAndExit(kFailedStatus);
}

int StartUp(int argc, char** argv) {
    // Nothing uses sockets, but the support library expects its network layer
    // up for the whole run; a failure only prints its own message.
    VRX_NetworkStart();
    std::atexit(VRX_NetworkRelease);
    ResetEditor();
    OpenLog(GetAppDataPath(kProductName, kLogFileName));

    if (PHYSFS_init(argc > 0 ? argv[0] : nullptr) == 0) {
        return Failed("Error initializing PhysicsFS: %s", PhysfsLastError());
    }
    SetUpResourceSearchPath();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return Failed("Unable to initialize SDL: %s", SDL_GetError());
    }
    if (!CreateMainWindow(
            FitToDisplays(ReadWindowGeometry(SettingsFilePath()), UsableDisplayAreas()))) {
        return Failed("Couldn't create window and renderer: %s", SDL_GetError());
    }
    editor->shell.mainWindowHandle = NativeWindowHandle(editor->shell.window.get());
    // Only PNG is needed: icons and exports. The other formats are for backgrounds.
    if ((IMG_Init(kImageFormats) & IMG_INIT_PNG) == 0) {
        return Failed("Couldn't initialize SDL_image: %s", IMG_GetError());
    }
    if (TTF_Init() != 0) {
        return Failed("Couldn't initialize SDL_ttf: %s", TTF_GetError());
    }
    if (!OpenFonts()) {
        return kFailedStatus;
    }
    LayoutScreen();
    editor->ui.dialogBackdrop = DrawFrame;

    BuildMenus();
    if (editor->ui.windowsMenu == nullptr) {
        return Failed("Error creating menus!");
    }
    ConnectPapersToInterface();
    LoadRecentFiles();
    BuildToolbox();
    SelectTool("select");
    OpenCommandLineDocuments(argc, argv);
    StartAutosave(ReadAutosaveSeconds(),
                  GetUserStateFolder() + kProductName + "/" + kRecoveryFolderName);
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_LogInfo(SDL_LOG_CATEGORY_APPLICATION, "Ready to go!");
    return kStartedStatus;
}
