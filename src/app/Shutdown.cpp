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

void RunExitSteps() {
    if (editor->shell.window.get() != nullptr) {
        WindowGeometry geometry = {0, 0, 0, 0};
        SDL_GetWindowPosition(editor->shell.window.get(), &geometry.x, &geometry.y);
        SDL_GetWindowSize(editor->shell.window.get(), &geometry.width, &geometry.height);
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
    // Its textures belong to the renderer and its keys name the fonts, both
    // going below.
    editor->shell.windowTexts.Clear();

    if (TTF_WasInit() != 0) {
        editor->shell.toolboxFont.reset();
        editor->shell.statusFont.reset();
        editor->shell.menuFont.reset();
        editor->shell.drawFont.reset();
        editor->shell.dialogFont.reset();
        TTF_Quit();
    }
    IMG_Quit();
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        FreeSystemCursors();
        // Textures go before their renderer, the renderer before the window.
        editor->shell.paperTexture.reset();
        editor->shell.renderer.reset();
        editor->shell.window.reset();
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
