#pragma once
// What a tool acts on, handed to it in every call: the document, where the
// pointer is and the user's current choices, and the few services a tool asks
// of the program around it. Tools read nothing else.

#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>

class Paper;

// What the program does for a tool: tell the user something, ask for a text.
class ToolHost {
  public:
    // Shows `text` on the status line for a while.
    virtual void ShowNotice(const std::string& text) = 0;
    // Asks for a line of text, offering the last one given; false when
    // cancelled. `answer` gets what was typed.
    virtual bool AskText(const char* title, const char* label, std::string& answer) = 0;
    // Makes `text` the one offered by the next AskText.
    virtual void RememberText(const std::string& text) = 0;

  protected:
    ~ToolHost() = default;
};

struct ToolContext {
    // The active document; null when no paper is open.
    Paper* paper = nullptr;
    // The tool position: the pointer in paper pixels, on a grid point while
    // the grid lock is on.
    SDL_Point toolPos = {0, 0};
    // The pointer in paper pixels, never snapped.
    SDL_Point paperPos = {0, 0};
    // The layer new objects go on and selections work in.
    uint8_t layer = 0;
    // The turn, in degrees, given to new circles, polygons and texts.
    int32_t rotation = 0;
    // Shift adds to a selection instead of replacing it.
    bool shiftHeld = false;
    // Never null while a tool runs in the program; tests give their own.
    ToolHost* host = nullptr;
};
