#pragma once
// One frame of the main window, rebuilt whole from the program state.

class PaperView;

// Copies the view's surface (its RenderArea()) to where those paper pixels lie
// in the paper view at the current scroll position, cut to the view.
void CopyPaperToView(PaperView& view);

// Draws the magenta cross at the tool position when it lies in the paper view.
void DrawToolCrosshair();

// Draws the whole window: workspace, paper, status strip, crosshair, toolbox,
// menus and status line, for the current state, without presenting it; modal
// dialogs draw it, dimmed, under themselves.
void DrawFrame();
// Draws the frame, sets the cursor and presents the result.
void RenderFrame();
