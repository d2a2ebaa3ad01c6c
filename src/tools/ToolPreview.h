#pragma once
// The tool in progress draws its preview onto the paper each frame, after the
// paper's objects: the paper renderer calls back through paperHooks.

class Paper;

// Draws the active tool's preview on `paper`'s renderer, whose draw colour the
// paper renderer has set to the current drawing colour.
void RenderActiveToolPreview(Paper& paper);
// Points paperHooks.renderToolPreview at RenderActiveToolPreview.
void InstallToolPreview();
