#include "app/MainLoop.h"

#include "app/AboutScreen.h"
#include "app/Autosave.h"
#include "app/Editor.h"
#include "app/FileCommands.h"
#include "app/Frame.h"
#include "app/InputRouting.h"
#include "app/Layout.h"

#include <SDL2/SDL.h>

namespace {

bool WindowIsMinimized() {
    return (SDL_GetWindowFlags(editor->shell.window.get()) & SDL_WINDOW_MINIMIZED) != 0;
}

void RunNormalPass() {
    const Uint32 frameStart = SDL_GetTicks();
    SDL_Event event;
    // Events still queued when a quit is accepted are left alone.
    while (!editor->ui.quitRequested && SDL_PollEvent(&event) != 0) {
        RouteEvent(event);
        NoteInput(event.type, editor->session.activePaper);
    }
    if (!WindowIsMinimized()) {
        RenderFrame();
    }
    WaitForFramePeriod(frameStart);
}

} // namespace

void RouteWindowEvent(const SDL_WindowEvent& event) {
    if (event.event == SDL_WINDOWEVENT_RESIZED || event.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        LayoutScreen();
    }
}

void WaitForFramePeriod(uint32_t frameStart) {
    // Unsigned, so that the tick counter wrapping around does no harm.
    const Uint32 elapsed = SDL_GetTicks() - frameStart;
    if (editor->shell.framePeriodMs > 0 &&
        elapsed < static_cast<Uint32>(editor->shell.framePeriodMs)) {
        SDL_Delay(static_cast<Uint32>(editor->shell.framePeriodMs) - elapsed);
    }
}

void RouteEvent(SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        // Asks about modified papers; quits unless the user cancels.
        ExitProgram();
        break;
    case SDL_WINDOWEVENT:
        RouteWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
        HandleKeyDown(event.key.keysym.sym, event.key.keysym.mod);
        break;
    case SDL_MOUSEMOTION:
        HandleMouseMotion(event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        HandleMouseButton(event.button);
        break;
    case SDL_MOUSEWHEEL:
        HandleMouseWheel(event.wheel);
        break;
    case SDL_DROPFILE:
        if (event.drop.file != nullptr) {
            OpenPaperFile(event.drop.file);
        }
        SDL_free(event.drop.file);
        break;
    case SDL_DROPTEXT:
        // Not used, but SDL hands over the text all the same.
        SDL_free(event.drop.file);
        break;
    default:
        break;
    }
}

bool RunMainLoopPass() {
    if (editor->ui.aboutRequested) {
        RunAboutFrame();
    } else {
        RunNormalPass();
    }
    RunAutosave();
    return !editor->ui.quitRequested;
}

void RunMainLoop() {
    while (RunMainLoopPass()) {
    }
}
