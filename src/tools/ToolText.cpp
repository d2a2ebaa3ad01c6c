#include "tools/ToolText.h"

#include "app/AppState.h"
#include "app/StatusNotice.h"
#include "document/Paper.h"
#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"
#include "ui/TextPrompt.h"
#include "view/ObjectDrawing.h"
#include "view/PaperView.h"

#include <SDL2/SDL_stdinc.h>

namespace {

constexpr const char* kPromptTitle = "Enter Text";
constexpr const char* kPromptLabel = "What text do you want to display?";
// What a text reads when the prompt gave none, so it can still be placed.
constexpr const char* kUnknownText = "Unknown";
// The prompt takes more than a text object holds; the user is told at once
// rather than finding the end missing on the paper.
constexpr const char* kTextCut = "Text cut to its first 63 bytes, as much as a text holds.";

} // namespace

void ToolText::Begin() {
    ToolWithObject::Begin();
    std::string answer;
    if (ShowTextPrompt(kPromptTitle, kPromptLabel, lastPromptText, answer)) {
        record.SetText(answer);
        if (record.Text().size() < answer.size()) {
            ShowStatusNotice(kTextCut);
        }
        // The stored (possibly shortened) text is offered next time.
        SDL_strlcpy(lastPromptText, record.Text().c_str(), sizeof lastPromptText);
    } else {
        record.SetText(kUnknownText);
    }
}

bool ToolText::Click() {
    const SDL_Point anchor = ToolPoint();
    record.SetX1(anchor.x);
    record.SetY1(anchor.y);
    record.SetAngle(static_cast<int16_t>(rotationAngle));
    Commit();
    return false;
}

bool ToolText::GetStatusText(std::string& text) {
    text = "M-Wheel to rotate. L-Ctrl: 45 deg, L-Alt: 15 deg.";
    return true;
}

void ToolText::Render(PaperView& view) {
    // The preview hangs from the pointer by its top-left corner and turns about it.
    const SDL_Point anchor = ToolPoint();
    DrawText(view, anchor.x, anchor.y, CurrentDrawingColor(view.paper), record.Text(),
             rotationAngle);
}

const ToolRegistrar<ToolText> kTextRegistration("text");
