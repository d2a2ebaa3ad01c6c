#pragma once
// Whether a key is held down right now, for commands that change what they do
// while a modifier is held.

#include <SDL2/SDL_scancode.h>

// SDL's keyboard state, or `keyHeldSource` when a test has set one.
bool IsKeyHeld(SDL_Scancode scancode);
