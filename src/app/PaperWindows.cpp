#include "app/PaperWindows.h"

#include "app/ActiveTool.h"
#include "app/Editor.h"
#include "app/Layout.h"
#include "app/MenuBar.h"
#include "app/RecentFiles.h"
#include "app/StatusNotice.h"
#include "app/Toolbox.h"
#include "document/Paper.h"
#include "document/PaperObserver.h"
#include "support/VRX_Strings.h"
#include "tools/Tool.h"
#include "view/PaperView.h"

#include <SDL2/SDL_video.h>

#include <algorithm>

namespace {

// Whether the open papers' changes reach the interface (menus, recent files).
bool connected = false;

OpenPaper* EntryOf(const Paper* document) {
    for (const std::unique_ptr<OpenPaper>& entry : editor->session.openPapers) {
        if (entry->document.get() == document) {
            return entry.get();
        }
    }
    return nullptr;
}

Paper* PaperOfValue(uint64_t value) {
    for (const std::unique_ptr<OpenPaper>& entry : editor->session.openPapers) {
        if (reinterpret_cast<uintptr_t>(entry->document.get()) == value) {
            return entry->document.get();
        }
    }
    return nullptr;
}

class InterfaceObserver final : public PaperObserver {
  public:
    void FileNameChanged(Paper& paper) override {
        OpenPaper* entry = EntryOf(&paper);
        if (editor->ui.windowsMenu != nullptr && entry != nullptr &&
            entry->windowMenuItem != nullptr) {
            entry->windowMenuItem->caption = PaperCaption(paper);
            LayoutMenu(*editor->ui.windowsMenu);
        }
    }
    void FileStored(Paper& paper) override {
        if (connected) {
            // A recovered paper that never had a document is stored nowhere.
            if (!paper.filePath.empty()) {
                AddRecentFile(paper.filePath, /*persist=*/true);
            }
            UpdateWindowTitle();
        }
    }
};

InterfaceObserver interfaceObserver;

} // namespace

std::unique_ptr<Paper> NewDocument() {
    auto document = std::make_unique<Paper>();
    document->displayDpi = WindowDisplayDpi(editor->shell.window.get());
    document->UpdateBlockSize();
    return document;
}

OpenPaper& AddOpenPaper(std::unique_ptr<Paper> document) {
    auto entry = std::make_unique<OpenPaper>();
    entry->document = std::move(document);
    entry->view = std::make_unique<PaperView>(
        *entry->document, editor->shell.drawFont.get(),
        SDL_Point{editor->shell.paperViewRect.w, editor->shell.paperViewRect.h});
    entry->document->AddObserver(&interfaceObserver);
    if (connected && editor->ui.windowsMenu != nullptr) {
        entry->windowMenuItem =
            AddMenuItem(*editor->ui.windowsMenu, PaperCaption(*entry->document), ActivatePaper,
                        reinterpret_cast<uintptr_t>(entry->document.get()), IsActivePaper);
        LayoutMenu(*editor->ui.windowsMenu);
    }
    editor->session.openPapers.push_back(std::move(entry));
    return *editor->session.openPapers.back();
}

OpenPaper& AddLoadedPaper(std::unique_ptr<Paper> document) {
    OpenPaper& opened = AddOpenPaper(std::move(document));
    // Recent files and the Windows menu learn the name now that it is open.
    opened.document->NotifyFileNameChanged();
    opened.document->NotifyFileStored();
    std::string problem;
    const std::string& image = opened.document->backgroundImagePath;
    if (!image.empty() && !opened.view->LoadBackgroundImage(image, problem)) {
        ShowStatusNotice(problem);
    }
    return opened;
}

void CloseOpenPaper(Paper& document) {
    const auto found =
        std::find_if(editor->session.openPapers.begin(), editor->session.openPapers.end(),
                     [&document](const std::unique_ptr<OpenPaper>& entry) {
                         return entry->document.get() == &document;
                     });
    if (found == editor->session.openPapers.end()) {
        return;
    }
    if (editor->session.activePaper == &document) {
        editor->session.activePaper = nullptr;
    }
    if (editor->ui.windowsMenu != nullptr && (*found)->windowMenuItem != nullptr) {
        RemoveMenuItem(*editor->ui.windowsMenu, (*found)->windowMenuItem);
    }
    document.RemoveObserver(&interfaceObserver);
    // Taken out of the list first: nothing reached from the list may point at
    // a paper being destroyed.
    std::unique_ptr<OpenPaper> closing = std::move(*found);
    editor->session.openPapers.erase(found);
}

PaperView* ViewOf(const Paper* document) {
    OpenPaper* entry = EntryOf(document);
    return entry != nullptr ? entry->view.get() : nullptr;
}

PaperView* ActiveView() {
    return ViewOf(editor->session.activePaper);
}

std::vector<Paper*> OpenDocuments() {
    std::vector<Paper*> documents;
    documents.reserve(editor->session.openPapers.size());
    for (const std::unique_ptr<OpenPaper>& entry : editor->session.openPapers) {
        documents.push_back(entry->document.get());
    }
    return documents;
}

std::string WindowTitleFor(const Paper* paper) {
    std::string title = kWindowTitle;
    if (paper == nullptr) {
        return title;
    }
    if (!paper->filePath.empty()) {
        title += " - [" + std::string(GetFileName(paper->filePath)) + "]";
    }
    // Unsaved changes show in the title, as in every desktop editor.
    if (paper->modified) {
        title += " *";
    }
    return title;
}

void UpdateWindowTitle() {
    std::string title = WindowTitleFor(editor->session.activePaper);
    // Called every frame: the window manager hears only of a change.
    if (editor->shell.window.get() != nullptr && title != editor->ui.windowTitle) {
        SDL_SetWindowTitle(editor->shell.window.get(), title.c_str());
        editor->ui.windowTitle = std::move(title);
    }
}

void SetActivePaper(Paper* paper) {
    if (paper != editor->session.activePaper) {
        SetActiveToolInstance(nullptr);
        editor->session.selectionDragging = false;
        editor->session.activePaper = paper;
    }
    // The pointer's paper position may belong to a paper that is gone.
    editor->session.mousePaperPos = editor->session.mouseGridPos = {-1, -1};
    UpdateMousePosition(editor->session.mouseWindowPos.x, editor->session.mouseWindowPos.y);
    UpdateWindowTitle();
    ShowPaperDrawColor();
}

void ActivatePaper(uint64_t value, MENU_ITEM*) {
    Paper* paper = PaperOfValue(value);
    if (paper != nullptr && paper != editor->session.activePaper) {
        SetActivePaper(paper);
    }
}

bool IsActivePaper(uint64_t value) {
    return editor->session.activePaper != nullptr &&
           reinterpret_cast<uintptr_t>(editor->session.activePaper) == value;
}

std::string PaperCaption(const Paper& paper) {
    if (paper.filePath.empty()) {
        return kUnnamedFileCaption;
    }
    return std::string(GetFileName(paper.filePath));
}

void ConnectPapersToInterface() {
    connected = true;
}

void DisconnectPapersFromInterface() {
    connected = false;
}
