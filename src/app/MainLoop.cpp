#include "app/MainLoop.h"

#include "app/AboutScreen.h"
#include "app/Autosave.h"
#include "app/Editor.h"
#include "app/FileCommands.h"
#include "app/Frame.h"
#include "app/InputRouting.h"
#include "app/Layout.h"
#include "app/StatusNotice.h"

#include <SDL2/SDL.h>

#include <ctime>

namespace {

bool WindowIsMinimized() {
    return (SDL_GetWindowFlags(editor->shell.window.get()) & SDL_WINDOW_MINIMIZED) != 0;
}

// At rest the loop sleeps until an event comes, waking this often for what
// changes on its own: autosave falling due and a status notice running out.
constexpr Uint32 kIdleWakeMs = 500;

// Whether what may change without input (the status notice, and the open
// papers, which autosave's recovery opens) differs from the last pass; notes
// the current state.
bool ChangedOnItsOwn() {
    FramePacing& pacing = editor->ui.framePacing;
    const FramePacing::Seen now = {
        !CurrentStatusNotice(static_cast<int64_t>(std::time(nullptr))).empty(),
        editor->ui.statusNoticeExpiry, editor->session.activePaper,
        editor->session.openPapers.size()};
    const bool changed = !(now == pacing.seen);
    pacing.seen = now;
    return changed;
}

// A frame is drawn when something may look different: input came, a tool or
// a drag is under way (they keep the frame pace), or something changed on its
// own. The loop run flat out (a period of 0, as the tests run it) draws every
// pass.
bool FrameNeeded(bool hadInput) {
    const bool changed = ChangedOnItsOwn();
    return editor->shell.framePeriodMs <= 0 || !editor->ui.framePacing.drawn || hadInput ||
           changed || editor->session.activeToolInstance != nullptr ||
           editor->session.selectionDragging;
}

// Routes every queued event; true when there was any.
bool RouteQueuedEvents() {
    SDL_Event event;
    bool any = false;
    // Events still queued when a quit is accepted are left alone.
    while (!editor->ui.quitRequested && SDL_PollEvent(&event) != 0) {
        RouteEvent(event);
        NoteInput(event.type, editor->session.activePaper);
        any = true;
    }
    return any;
}

// Sleeps until an event comes or kIdleWakeMs pass; routes what came. True
// when there was an event.
bool WaitForInput() {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(kIdleWakeMs)) == 0) {
        return false;
    }
    RouteEvent(event);
    NoteInput(event.type, editor->session.activePaper);
    RouteQueuedEvents();
    return true;
}

void RunNormalPass() {
    const Uint32 frameStart = SDL_GetTicks();
    const bool hadInput = RouteQueuedEvents();
    // With nothing to draw, sleep until there is; the time-outs let autosave
    // and an expiring notice have their turn.
    if (!FrameNeeded(hadInput) && (editor->ui.quitRequested || !WaitForInput())) {
        return;
    }
    if (!WindowIsMinimized()) {
        RenderFrame();
        editor->ui.framePacing.drawn = true;
        ++editor->ui.framePacing.framesDrawn;
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
        // The About screen covers the window: the frame after it is drawn whole.
        editor->ui.framePacing.drawn = false;
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
