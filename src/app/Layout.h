#pragma once
// The four screen regions and where the mouse is on the paper.

#include <SDL2/SDL_rect.h>

#include <cstdint>

// True when `point` lies in the half-open rectangle.
bool IsInside(const SDL_Rect& rect, SDL_Point point);

// Recomputes menuBarRect, toolboxRect, paperViewRect and statusBarRect from the
// window size and the fonts; a window below 1024 x 768 is resized up first.
void LayoutScreen();

// Records the window position of the mouse and derives mousePaperPos,
// mouseGridPos and toolPos from it for the active paper; (-1,-1) without one.
// Outside the paper view the paper and grid positions keep their last values.
void UpdateMousePosition(int32_t x, int32_t y);
