#include "tools/ToolText.h"

#include "document/Paper.h"
#include "draw/DrawPrimitives.h"
#include "tools/ToolRegistry.h"
#include "tools/ToolSupport.h"
#include "view/ObjectDrawing.h"
#include "view/PaperView.h"

namespace {

constexpr const char* kPromptTitle = "Enter Text";
constexpr const char* kPromptLabel = "What text do you want to display?";
// What a text reads when the prompt gave none, so it can still be placed.
constexpr const char* kUnknownText = "Unknown";
// The prompt takes more than a text object holds; the user is told at once
// rather than finding the end missing on the paper.
constexpr const char* kTextCut = "Text cut to its first 63 bytes, as much as a text holds.";

} // namespace

void ToolText::Begin(const ToolContext& context) {
    ToolWithObject::Begin(context);
    std::string answer;
    if (context.host->AskText(kPromptTitle, kPromptLabel, answer)) {
        record.SetText(answer);
        if (record.Text().size() < answer.size()) {
            context.host->ShowNotice(kTextCut);
        }
        // The stored (possibly shortened) text is offered next time.
        context.host->RememberText(record.Text());
    } else {
        record.SetText(kUnknownText);
    }
}

bool ToolText::Click(const ToolContext& context) {
    const SDL_Point anchor = ToolPoint(context);
    record.SetX1(anchor.x);
    record.SetY1(anchor.y);
    record.SetAngle(static_cast<int16_t>(context.rotation));
    Commit(context);
    return false;
}

bool ToolText::GetStatusText(const ToolContext& context, std::string& text) {
    (void)context;
    text = "M-Wheel to rotate. L-Ctrl: 45 deg, L-Alt: 15 deg.";
    return true;
}

void ToolText::Render(PaperView& view, const ToolContext& context) {
    // The preview hangs from the pointer by its top-left corner and turns about it.
    const SDL_Point anchor = ToolPoint(context);
    DrawText(view, anchor.x, anchor.y, CurrentDrawingColor(view.paper), record.Text(),
             context.rotation);
}

const ToolRegistrar<ToolText> kTextRegistration("text");
