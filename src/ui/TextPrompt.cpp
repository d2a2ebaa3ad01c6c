#include "ui/TextPrompt.h"

#include "app/Editor.h"
#include "support/Utf8Text.h"
#include "ui/Dialog.h"

namespace {

constexpr int kPromptWidth = 339;
constexpr int kPromptHeight = 40;

} // namespace

bool ShowTextPrompt(const std::string& title, const std::string& label,
                    const std::string& initialText, std::string& answer) {
    editor->ui.promptTitle = title;
    editor->ui.promptLabel = label;
    editor->ui.promptText = initialText;

    Dialog dialog(editor->ui.promptTitle, kPromptWidth, kPromptHeight);
    dialog.AddStatic(kPromptLabelId, editor->ui.promptLabel, {7, 7, 321, 9});
    DialogEdit& edit = dialog.AddEdit(kPromptEditId, {7, 18, 219, 15});
    dialog.AddButton(kIdCancel, "Cancel", {229, 18, 50, 15});
    dialog.AddButton(kIdOk, "OK", {281, 18, 50, 15}, ButtonKind::DefaultPush);
    // The field refuses typing past the limit, so the user sees what is kept.
    edit.SetLimit(kPromptTextLimit);
    edit.SetText(editor->ui.promptText);
    dialog.SetFocus(kPromptEditId);

    dialog.onCommand = [](Dialog& self, int id, DialogNotify notify) {
        if (id != kIdOk || notify != DialogNotify::Clicked) {
            return false;
        }
        editor->ui.promptText = self.Text(kPromptEditId);
        CutUtf8(editor->ui.promptText, kPromptTextLimit);
        self.End(editor->ui.promptText.empty() ? 0 : 1);
        return true;
    };
    if (dialog.RunModal() != 1) {
        return false;
    }
    answer = editor->ui.promptText;
    return true;
}
