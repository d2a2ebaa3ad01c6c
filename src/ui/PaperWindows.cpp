#include "ui/PaperWindows.h"

#include "app/ActiveTool.h"
#include "app/AppState.h"
#include "app/Layout.h"
#include "document/Paper.h"
#include "support/VRX_Strings.h"
#include "tools/Tool.h"
#include "ui/MenuBar.h"
#include "ui/RecentFiles.h"
#include "ui/Toolbox.h"

#include <SDL2/SDL_video.h>

namespace {

Paper* PaperOfValue(uint64_t value) {
    for (Paper* paper : openPapers) {
        if (reinterpret_cast<uintptr_t>(paper) == value) {
            return paper;
        }
    }
    return nullptr;
}

void AddWindowsMenuEntry(Paper& paper) {
    if (windowsMenu == nullptr) {
        return;
    }
    paper.windowMenuItem = AddMenuItem(*windowsMenu, kUnnamedFileCaption, ActivatePaper,
                                       reinterpret_cast<uintptr_t>(&paper), IsActivePaper);
    LayoutMenu(*windowsMenu);
}

void RemoveWindowsMenuEntry(Paper& paper) {
    if (activePaper == &paper) {
        activePaper = nullptr;
    }
    if (windowsMenu != nullptr && paper.windowMenuItem != nullptr) {
        RemoveMenuItem(*windowsMenu, paper.windowMenuItem);
    }
    paper.windowMenuItem = nullptr;
}

void RenameWindowsMenuEntry(Paper& paper) {
    if (windowsMenu != nullptr && paper.windowMenuItem != nullptr) {
        paper.windowMenuItem->caption = PaperCaption(paper);
        LayoutMenu(*windowsMenu);
    }
}

void NoteStoredFile(Paper& paper) {
    // A recovered paper that never had a document is stored nowhere.
    if (!paper.filePath.empty()) {
        AddRecentFile(paper.filePath, /*persist=*/true);
    }
    UpdateWindowTitle();
}

} // namespace

std::string WindowTitleFor(const Paper* paper) {
    if (paper == nullptr || paper->filePath.empty()) {
        return kWindowTitle;
    }
    return std::string(kWindowTitle) + " - [" + std::string(GetFileName(paper->filePath)) + "]";
}

void UpdateWindowTitle() {
    if (window != nullptr) {
        SDL_SetWindowTitle(window, WindowTitleFor(activePaper).c_str());
    }
}

void SetActivePaper(Paper* paper) {
    if (paper != activePaper) {
        SetActiveToolInstance(nullptr);
        selectionDragging = false;
        activePaper = paper;
    }
    // The pointer's paper position may belong to a paper that is gone.
    mousePaperPos = mouseGridPos = {-1, -1};
    UpdateMousePosition(mouseWindowPos.x, mouseWindowPos.y);
    UpdateWindowTitle();
    ShowPaperDrawColor();
}

void ActivatePaper(uint64_t value, MENU_ITEM*) {
    Paper* paper = PaperOfValue(value);
    if (paper != nullptr && paper != activePaper) {
        SetActivePaper(paper);
    }
}

bool IsActivePaper(uint64_t value) {
    return activePaper != nullptr && reinterpret_cast<uintptr_t>(activePaper) == value;
}

std::string PaperCaption(const Paper& paper) {
    if (paper.filePath.empty()) {
        return kUnnamedFileCaption;
    }
    return std::string(GetFileName(paper.filePath));
}

void InstallPaperHooks() {
    paperHooks.paperCreated = AddWindowsMenuEntry;
    paperHooks.paperDestroyed = RemoveWindowsMenuEntry;
    paperHooks.fileNameChanged = RenameWindowsMenuEntry;
    paperHooks.fileStored = NoteStoredFile;
}

void RemovePaperHooks() {
    paperHooks.paperCreated = nullptr;
    paperHooks.paperDestroyed = nullptr;
    paperHooks.fileNameChanged = nullptr;
    paperHooks.fileStored = nullptr;
}
