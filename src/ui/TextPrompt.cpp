#include "ui/TextPrompt.h"

#include "support/Utf8Text.h"
#include "ui/Dialog.h"

namespace {

constexpr int kPromptWidth = 339;
constexpr int kPromptHeight = 40;

} // namespace

bool ShowTextPrompt(DialogHost& host, const std::string& title, const std::string& label,
                    const std::string& initialText, std::string& answer) {
    Dialog dialog(host, title, kPromptWidth, kPromptHeight);
    dialog.AddStatic(kPromptLabelId, label, {7, 7, 321, 9});
    DialogEdit& edit = dialog.AddEdit(kPromptEditId, {7, 18, 219, 15});
    dialog.AddButton(kIdCancel, "Cancel", {229, 18, 50, 15});
    dialog.AddButton(kIdOk, "OK", {281, 18, 50, 15}, ButtonKind::DefaultPush);
    // The field refuses typing past the limit, so the user sees what is kept.
    edit.SetLimit(kPromptTextLimit);
    edit.SetText(initialText);
    dialog.SetFocus(kPromptEditId);

    std::string typed;
    dialog.onCommand = [&typed](Dialog& self, int id, DialogNotify notify) {
        if (id != kIdOk || notify != DialogNotify::Clicked) {
            return false;
        }
        typed = self.Text(kPromptEditId);
        CutUtf8(typed, kPromptTextLimit);
        self.End(typed.empty() ? 0 : 1);
        return true;
    };
    if (dialog.RunModal() != 1) {
        return false;
    }
    answer = typed;
    return true;
}
