#include "app/KeyState.h"

#include "app/Editor.h"

#include <SDL2/SDL_keyboard.h>

bool IsKeyHeld(SDL_Scancode scancode) {
    if (editor->shell.keyHeldSource) {
        return editor->shell.keyHeldSource(scancode);
    }
    int count = 0;
    const uint8_t* keys = SDL_GetKeyboardState(&count);
    return keys != nullptr && scancode >= 0 && scancode < count && keys[scancode] != 0;
}
