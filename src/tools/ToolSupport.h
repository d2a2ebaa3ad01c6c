#pragma once
// Small pieces the tools and the input handlers share.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <string>

class Paper;
struct ToolContext;
struct SDL_Renderer;

// Tool read-outs are formatted into 64-byte buffers: at most this many bytes.
constexpr size_t kToolTextLimit = 63;

// The colour new objects get on `paper`: its custom drawing colour when one is
// chosen, else the palette's object colour; always opaque.
SDL_Color CurrentDrawingColor(const Paper& paper);

// `value` limited to what a signed 16-bit field (and SDL2_gfx) can hold, so
// that it is never wrapped into a value of the other sign.
int32_t ClampToInt16(int64_t value);

// The tool position as the tools store it: limited to 16-bit coordinates.
SDL_Point ToolPoint(const ToolContext& context);

// The offset a selection drag has reached: whole blocks with the grid lock on
// (from `anchor` to the pointer's grid position `gridPos`), pixels without it
// (from `anchor` to the pointer's paper position `paperPos`). Dropping the
// selection moves it by this much.
SDL_Point SelectionDragOffset(const Paper& paper, bool gridLock, SDL_Point anchor,
                              SDL_Point gridPos, SDL_Point paperPos);

// printf into a tool text of at most kToolTextLimit bytes, cut where a UTF-8
// character starts so that the status line can always be drawn.
std::string FormatToolText(const char* format, ...) __attribute__((format(printf, 1, 2)));
