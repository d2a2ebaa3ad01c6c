#pragma once
// The one line of text at the bottom of the window and the mouse cursor, both
// rebuilt every frame from the program state.

#include <SDL2/SDL_mouse.h>

#include <cstdint>
#include <string>
#include <vector>

// The system cursor `id`, created on first use and kept for the run; null when
// SDL cannot make it (it is tried again next time).
SDL_Cursor* GetSystemCursor(SDL_SystemCursor id);
// Frees the cursors made by GetSystemCursor; at shutdown, before SDL_Quit.
void FreeSystemCursors();

// The items in order with `separator` between neighbours.
std::string JoinStrings(const std::vector<std::string>& items, const std::string& separator);

// The status items for wall-clock second `now`: notice, toolbox hover text,
// mouse positions, selection move, rotation angle and tool text, or
// "No file loaded." without a paper.
std::vector<std::string> BuildStatusItems(int64_t now);
// The cursor for the current state: the four-way arrow over a selection that the
// select tool can move, the normal arrow everywhere else.
SDL_SystemCursor ChooseCursor();

// Sets the mouse cursor that ChooseCursor picks, when it differs.
void UpdateMouseCursor();
// Builds and draws the status line into the status strip.
void RenderStatusLine();
