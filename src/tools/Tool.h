#pragma once
// A short-lived object that carries out one drawing operation on the active
// paper. Every call gets the context it acts in (tools/ToolContext.h).

#include "tools/ToolContext.h"

#include <string>

class PaperView;

class Tool {
  public:
    virtual ~Tool() = default;
    // Starts (or restarts) the operation at the tool position.
    virtual void Begin(const ToolContext& context) { (void)context; }
    // Handles a left-button release; true keeps the tool active for a new operation.
    virtual bool Click(const ToolContext& context) {
        (void)context;
        return false;
    }
    // Fills `text` and answers true when the status line should show it.
    virtual bool GetStatusText(const ToolContext& context, std::string& text) {
        (void)context;
        (void)text;
        return false;
    }
    // Draws the preview onto the view's renderer, in paper pixels.
    virtual void Render(PaperView& view, const ToolContext& context) = 0;
    // True when the status line should show the rotation angle.
    virtual bool ShowsRotation() { return false; }
};
