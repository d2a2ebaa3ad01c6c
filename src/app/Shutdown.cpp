#include "app/Shutdown.h"

#include "app/AboutScreen.h"
#include "app/ActiveTool.h"
#include "app/Autosave.h"
#include "app/Editor.h"
#include "app/ExportCommands.h"
#include "app/FileCommands.h"
#include "app/Log.h"
#include "app/MenuBar.h"
#include "app/PaperWindows.h"
#include "app/StatusLine.h"
#include "app/Toolbox.h"
#include "app/WindowGeometry.h"
#include "tools/Tool.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>
#include <physfs.h>

#include <cstdlib>

namespace {

void CloseFont(TTF_Font*& font) {
    if (font != nullptr) {
        TTF_CloseFont(font);
        font = nullptr;
    }
}

} // namespace

void RunExitSteps() {
    if (editor->shell.window != nullptr) {
        WindowGeometry geometry = {0, 0, 0, 0};
        SDL_GetWindowPosition(editor->shell.window, &geometry.x, &geometry.y);
        SDL_GetWindowSize(editor->shell.window, &geometry.width, &geometry.height);
        WriteWindowGeometry(SettingsFilePath(), geometry);
    }
    CloseLog();
}

void ShutdownProgram() {
    SetActiveToolInstance(nullptr);
    // Papers still open now were not closed by the user: their recovery
    // files stay for the next start.
    CloseAllPapers(/*force=*/true);
    StopAutosave();
    DisconnectPapersFromInterface();
    DestroyToolbox();
    FreeMenuImages();
    ReleaseAboutText();
    RemovePendingPrintFiles();

    if (TTF_WasInit() != 0) {
        CloseFont(editor->shell.toolboxFont);
        CloseFont(editor->shell.statusFont);
        CloseFont(editor->shell.menuFont);
        CloseFont(editor->shell.drawFont);
        CloseFont(editor->shell.dialogFont);
        TTF_Quit();
    }
    IMG_Quit();
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        FreeSystemCursors();
        if (editor->shell.renderer != nullptr) {
            SDL_DestroyRenderer(editor->shell.renderer);
            editor->shell.renderer = nullptr;
        }
        if (editor->shell.window != nullptr) {
            SDL_DestroyWindow(editor->shell.window);
            editor->shell.window = nullptr;
        }
        editor->shell.mainWindowHandle = 0;
        SDL_Quit();
    }
    if (PHYSFS_isInit() != 0) {
        PHYSFS_deinit();
    }
    // Still open when start-up failed: the fatal message is in it by now.
    CloseLog();
}

void ShutdownAndExit(int status) {
    ShutdownProgram();
    std::exit(status);
}
