#pragma once
// A short-lived object that carries out one drawing operation on the active paper.

#include <string>

class PaperView;

class Tool {
  public:
    virtual ~Tool() = default;
    // Starts (or restarts) the operation at the current tool position.
    virtual void Begin() {}
    // Handles a left-button release; true keeps the tool active for a new operation.
    virtual bool Click() { return false; }
    // Fills `text` and answers true when the status line should show it.
    virtual bool GetStatusText(std::string& text) {
        (void)text;
        return false;
    }
    // Draws the preview onto the view's renderer, in paper pixels.
    virtual void Render(PaperView& view) = 0;
    // True when the status line should show the rotation angle.
    virtual bool ShowsRotation() { return false; }
};
