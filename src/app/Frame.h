#pragma once
// One frame of the main window, rebuilt whole from the program state.

class Paper;

// Copies the part of the paper's surface from its scroll position to the
// top-left of the paper view, never more than the view or the paper holds.
void CopyPaperToView(const Paper& paper);

// Draws the magenta cross at the tool position when it lies in the paper view.
void DrawToolCrosshair();

// Renders and presents one frame: workspace, paper, status strip, crosshair,
// toolbox, menus, status line and cursor.
void RenderFrame();
