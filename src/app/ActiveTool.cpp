#include "app/ActiveTool.h"

#include "app/Editor.h"
#include "app/InputRouting.h"
#include "app/StatusNotice.h"
#include "tools/Tool.h"
#include "tools/ToolSupport.h"
#include "ui/TextPrompt.h"

#include <SDL2/SDL_keyboard.h>
#include <SDL2/SDL_stdinc.h>

namespace {

// The program's side of a tool's requests: the status line and the text prompt,
// which offers the text last placed.
class ProgramToolHost final : public ToolHost {
  public:
    void ShowNotice(const std::string& text) override { ShowStatusNotice(text); }
    bool AskText(const char* title, const char* label, std::string& answer) override {
        return ShowTextPrompt(*editor, title, label, editor->session.lastPromptText, answer);
    }
    void RememberText(const std::string& text) override {
        SDL_strlcpy(editor->session.lastPromptText, text.c_str(),
                    sizeof editor->session.lastPromptText);
    }
};

ProgramToolHost programToolHost;

} // namespace

void SetActiveToolInstance(std::unique_ptr<Tool> tool) {
    // The old operation goes before the new one begins, so that the two never
    // see each other's state.
    editor->session.activeToolInstance.reset();
    editor->session.activeToolInstance = std::move(tool);
    if (editor->session.activeToolInstance != nullptr) {
        editor->session.activeToolInstance->Begin(ActiveToolContext());
    }
}

ToolContext ActiveToolContext() {
    ToolContext context;
    context.paper = editor->session.activePaper;
    context.toolPos = editor->session.toolPos;
    context.paperPos = editor->session.mousePaperPos;
    context.layer = editor->session.currentLayer;
    context.rotation = editor->session.rotationAngle;
    context.shiftHeld = (SDL_GetModState() & kModShift) != 0;
    context.host = &programToolHost;
    return context;
}

SDL_Point CurrentDragOffset(const Paper& paper) {
    return SelectionDragOffset(paper, editor->session.gridLock, editor->session.dragAnchor,
                               editor->session.mouseGridPos, editor->session.mousePaperPos);
}
