#include "app/Editor.h"

#include "app/Autosave.h"
#include "app/StatusLine.h"
#include "app/StatusNotice.h"
#include "document/RecoveryStore.h"

#include "app/PaperWindows.h"
#include "app/ToolboxButton.h"
#include "document/Paper.h"
#include "tools/Tool.h"
#include "ui/Menu.h"
#include "view/PaperView.h"

const FileTypeFilters documentFileTypes = {{"Tessellon Files", "*.tsln"}};
const FileTypeFilters pngFileTypes = {{"PNG Image Files", "*.png"}};

EditorSession::EditorSession() = default;
EditorSession::~EditorSession() = default;
EditorInterface::EditorInterface() = default;
EditorInterface::~EditorInterface() = default;

TTF_Font* Editor::Font() const {
    // The menu font stands in until the dialogs' own size is open.
    return shell.dialogFont.get() != nullptr ? shell.dialogFont.get() : shell.menuFont.get();
}

bool Editor::DrawBackdrop() {
    if (ui.dialogBackdrop == nullptr) {
        return false;
    }
    ui.dialogBackdrop();
    return true;
}

SDL_Cursor* Editor::Cursor(SDL_SystemCursor id) {
    return GetSystemCursor(id);
}

void Editor::ShowNotice(const std::string& text) {
    ShowStatusNotice(text);
}

int Editor::ShowMessageBox(const SDL_MessageBoxData& data, int& buttonId) {
    return ui.showMessageBox != nullptr ? ui.showMessageBox(&data, &buttonId) : -1;
}

namespace {

std::unique_ptr<Editor>& CurrentEditor() {
    static std::unique_ptr<Editor> current = std::make_unique<Editor>();
    return current;
}

} // namespace

Editor* editor = CurrentEditor().get();

void ResetEditor() {
    // The new editor is in place before the old one goes, so that anything
    // the old one's papers and views do on their way out sees a valid editor.
    std::unique_ptr<Editor> fresh = std::make_unique<Editor>();
    editor = fresh.get();
    CurrentEditor().swap(fresh);
}
