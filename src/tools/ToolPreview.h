#pragma once
// The tool in progress draws its preview onto the paper each frame, after the
// paper's objects: the frame hands this to the paper renderer.

class PaperView;

// Draws the active tool's preview on the view's renderer, whose draw colour
// the paper renderer has set to the current drawing colour.
void RenderActiveToolPreview(PaperView& view);
