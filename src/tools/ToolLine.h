#pragma once
// Draws a chain of straight segments: every click ends one segment and starts
// the next at the same point. The dashed line, arrow and measurement tools
// differ only in the kind they build and in their preview.

#include "tools/ToolWithObject.h"

#include <SDL2/SDL_rect.h>

#include <string>

class PaperView;

class Paper;
class SurfacePainter;
struct SDL_Color;

class ToolLine : public ToolWithObject {
  public:
    ToolLine() : ToolWithObject(ObjectKind::Line) {}
    bool Click(const ToolContext& context) override;
    bool GetStatusText(const ToolContext& context, std::string& text) override;
    void Render(PaperView& view, const ToolContext& context) override;

  protected:
    explicit ToolLine(ObjectKind kind) : ToolWithObject(kind) {}
    // Draws the open segment, from its start to the tool position, with `draw`.
    using SegmentDrawer = void (*)(SurfacePainter& painter, int32_t x1, int32_t y1, int32_t x2,
                                   int32_t y2, SDL_Color color);
    void RenderSegment(PaperView& view, const ToolContext& context, SegmentDrawer draw) const;
};

// "len: ... | diff: ... | ang: ..." for a segment from `start` to `end` on `paper`.
std::string LineStatusText(const Paper& paper, SDL_Point start, SDL_Point end, int32_t length);
