// Kept apart: SDL_syswm.h brings in the X11 headers and their macros.
#include "app/NativeWindow.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

uintptr_t NativeWindowHandle(SDL_Window* sdlWindow) {
    if (sdlWindow == nullptr) {
        return 0;
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(sdlWindow, &info) != SDL_TRUE) {
        return 0;
    }
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) {
        return static_cast<uintptr_t>(info.info.x11.window);
    }
#endif
    return 0;
}
