#pragma once
// The one drawing operation in progress, and the context it acts in.

#include "tools/ToolContext.h"

#include <memory>

class Paper;
class Tool;

// Makes `tool` (may be null) the operation in progress: the previous one is
// destroyed first, then the new one is begun.
void SetActiveToolInstance(std::unique_ptr<Tool> tool);

// What the tools act on now: the active paper, the pointer, the current layer
// and rotation, Shift, and the program's notices and text prompt.
ToolContext ActiveToolContext();

// How far the selection being dragged on `paper` has moved with the pointer.
SDL_Point CurrentDragOffset(const Paper& paper);
