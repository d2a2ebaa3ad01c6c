#include "app/Editor.h"

#include "document/Paper.h"
#include "tools/Tool.h"
#include "ui/Menu.h"
#include "ui/PaperWindows.h"
#include "ui/ToolboxButton.h"
#include "view/PaperView.h"

const FileTypeFilters documentFileTypes = {{"Tessellon Files", "*.tsln"}};
const FileTypeFilters pngFileTypes = {{"PNG Image Files", "*.png"}};

EditorSession::EditorSession() = default;
EditorSession::~EditorSession() = default;
EditorInterface::EditorInterface() = default;
EditorInterface::~EditorInterface() = default;

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
