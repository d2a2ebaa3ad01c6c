#pragma once
// The operating system's handle of an SDL window.

#include <cstdint>

struct SDL_Window;

// The X11 window id of `sdlWindow`, or 0 when SDL cannot tell (another video
// driver, or no window).
uintptr_t NativeWindowHandle(SDL_Window* sdlWindow);
