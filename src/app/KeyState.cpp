#include "app/KeyState.h"

#include "app/AppState.h"

#include <SDL2/SDL_keyboard.h>

bool IsKeyHeld(SDL_Scancode scancode) {
    if (keyHeldSource) {
        return keyHeldSource(scancode);
    }
    int count = 0;
    const uint8_t* keys = SDL_GetKeyboardState(&count);
    return keys != nullptr && scancode >= 0 && scancode < count && keys[scancode] != 0;
}
