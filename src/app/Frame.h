#pragma once
// One frame of the main window, rebuilt whole from the program state.

// Draws the magenta cross at the tool position when it lies in the paper view.
void DrawToolCrosshair();

// Renders and presents one frame: workspace, paper, status strip, crosshair,
// toolbox, menus, status line and cursor.
void RenderFrame();
