#include "app/ExportCommands.h"

#include "app/Editor.h"
#include "app/KeyState.h"
#include "app/PaperWindows.h"
#include "app/StatusNotice.h"
#include "document/Paper.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "support/VRX_Paths.h"
#include "support/VRX_Strings.h"
#include "ui/FileDialog.h"
#include "ui/MessageDialog.h"
#include "view/PaperPng.h"
#include "view/PaperView.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <strings.h>

namespace {

constexpr SDL_Scancode kNoGridKey = SDL_SCANCODE_LCTRL;
constexpr const char* kPngExtension = ".png";
constexpr const char* kDocumentExtension = ".tsln";
constexpr const char* kExportDialogTitle = "Save Tessellon image";
constexpr const char* kExportAllDialogTitle = "Choose Folder to Save Images To...";
constexpr const char* kReplaceTitle = "Confirm Save As";
constexpr const char* kUnnamedFileFormat = "%sUnnamed File %d.png";
constexpr const char* kPrintFileFormat = "print.%u.png";
constexpr const char* kImageSaved = "Image saved.";
constexpr const char* kImageNotSaved = "Error saving image!";
constexpr const char* kPrinted = "Printed page successfully!";
constexpr const char* kNotPrinted = "Error printing page!";
// Handing the page to a viewer is no print yet; saying it printed would send
// the user to an empty printer tray.
constexpr const char* kInViewer = "No printer took the page; it is open in the image viewer.";

bool EndsWithIgnoringCase(const std::string& text, const char* ending) {
    const size_t length = std::char_traits<char>::length(ending);
    return text.size() >= length && strcasecmp(text.c_str() + text.size() - length, ending) == 0;
}

// The path with its file name's extension (from the name's last '.') replaced
// by `extension`, or with `extension` appended when the name has none. Dots in
// folder names are not extensions.
std::string ReplaceExtension(const std::string& path, const char* extension) {
    const size_t nameStart = path.size() - GetFileName(path).size();
    const size_t dot = path.rfind('.');
    const std::string stem =
        dot != std::string::npos && dot >= nameStart ? path.substr(0, dot) : path;
    return stem + extension;
}

std::string WithPngExtension(const std::string& path) {
    return EndsWithIgnoringCase(path, kPngExtension) ? path : path + kPngExtension;
}

// Where Export All writes `paper` in `folder` (ending in '/'): its document's
// name with ".png" for ".tsln", or the next "Unnamed File N.png".
std::string ExportAllPath(const Paper& paper, const std::string& folder, int& unnamedCount) {
    if (paper.filePath.empty()) {
        ++unnamedCount;
        return FormatString(kUnnamedFileFormat, folder.c_str(), unnamedCount);
    }
    const std::string path = folder + std::string(GetFileName(paper.filePath));
    if (EndsWithIgnoringCase(path, kDocumentExtension)) {
        return path.substr(0, path.size() - std::char_traits<char>::length(kDocumentExtension)) +
               kPngExtension;
    }
    return path + kPngExtension;
}

// Two open documents of the same name from different folders would otherwise
// both be written to one image, the second silently replacing the first: the
// later one gets " (2)", " (3)", ... before its extension.
std::string DistinctPath(const std::string& path, const std::set<std::string>& taken) {
    if (taken.count(path) == 0) {
        return path;
    }
    const std::string stem =
        path.substr(0, path.size() - std::char_traits<char>::length(kPngExtension));
    for (int copy = 2;; ++copy) {
        std::string candidate = FormatString("%s (%d)%s", stem.c_str(), copy, kPngExtension);
        if (taken.count(candidate) == 0) {
            return candidate;
        }
    }
}

enum class PrintOutcome { Printed, HandedToViewer, Failed };

// The print queue prints the image at 96 pixels per inch, the paper's own
// scale; without a working queue the image goes to the desktop's viewer, from
// which the user can print it.
PrintOutcome SendToPrinter(const std::string& path) {
    const ProcessResult lp = RunProcessAndWait({"lp", "-o", "ppi=96", "--", path});
    if (lp.started && lp.exitStatus == 0) {
        return PrintOutcome::Printed;
    }
    return StartProcessDetached({"xdg-open", path}) ? PrintOutcome::HandedToViewer
                                                    : PrintOutcome::Failed;
}

bool IsLeftForViewer(const std::string& path) {
    return std::find(editor->session.printFilesToRemove.begin(),
                     editor->session.printFilesToRemove.end(),
                     path) != editor->session.printFilesToRemove.end();
}

} // namespace

bool ExportWithoutGridHeld() {
    return IsKeyHeld(kNoGridKey);
}

bool RenderPaperForExport(Paper& paper, bool ownPalette, bool withoutGrid,
                          const std::string& path) {
    const bool showGrid = editor->session.gridVisible && !withoutGrid;
    if (PaperView* view = ViewOf(&paper); view != nullptr) {
        return WritePaperPng(*view, ownPalette, path, showGrid);
    }
    PaperView exportView(paper, editor->shell.drawFont.get(), {0, 0});
    return WritePaperPng(exportView, ownPalette, path, showGrid);
}

std::string SuggestedExportPath(const Paper& paper) {
    if (!paper.exportPath.empty()) {
        return paper.exportPath;
    }
    if (paper.filePath.empty()) {
        return {};
    }
    return ReplaceExtension(paper.filePath, kPngExtension);
}

void ExportActivePaper(uint64_t colorMode, MENU_ITEM* /*item*/) {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    Paper& paper = *editor->session.activePaper;
    // Read before the dialog: the key is held while the command is chosen,
    // not while a file name is typed.
    const bool withoutGrid = ExportWithoutGridHeld();
    std::string chosen = SuggestedExportPath(paper);
    if (!ShowSaveFileDialog(*editor, chosen, GetDocumentsFolder(kProductName), pngFileTypes,
                            kExportDialogTitle)) {
        return;
    }
    const std::string path = WithPngExtension(chosen);
    // The dialog asked about the name it was given; the added extension makes
    // another name, which may be an existing file too.
    if (path != chosen && PathExists(path) &&
        !AskYesNo(*editor, kReplaceTitle,
                  std::string(GetFileName(path)) + " already exists.\nDo you want to replace it?",
                  false)) {
        return;
    }
    paper.exportPath = path;
    const bool written =
        RenderPaperForExport(paper, colorMode != kExportBlackAndWhite, withoutGrid, path);
    ShowStatusNotice(written ? kImageSaved : kImageNotSaved);
}

void ExportAllPapers(uint64_t colorMode, MENU_ITEM* /*item*/) {
    if (editor->session.openPapers.empty()) {
        return;
    }
    const bool withoutGrid = ExportWithoutGridHeld();
    const std::string startFolder = editor->session.exportFolder.empty()
                                        ? GetDocumentsFolder(kProductName)
                                        : editor->session.exportFolder;
    std::string folder;
    if (!BrowseForFolder(*editor, kExportAllDialogTitle, startFolder, folder) || folder.empty()) {
        return;
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    editor->session.exportFolder = folder;

    int unnamedCount = 0;
    std::set<std::string> written;
    for (Paper* paper : OpenDocuments()) {
        const std::string path = DistinctPath(
            ExportAllPath(*paper, editor->session.exportFolder, unnamedCount), written);
        written.insert(path);
        paper->exportPath = path;
        if (!RenderPaperForExport(*paper, colorMode != kExportBlackAndWhite, withoutGrid, path)) {
            ShowStatusNotice(kImageNotSaved);
        }
    }
}

void PrintActivePaper(uint64_t /*value*/, MENU_ITEM* /*item*/) {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    // The paper's exportPath is left alone: this file is gone soon and must not
    // become the name the next export offers.
    const std::string path =
        GetAppDataPath(kProductName, FormatString(kPrintFileFormat, GetProcessId()).c_str());
    if (!RenderPaperForExport(*editor->session.activePaper, /*ownPalette=*/false,
                              ExportWithoutGridHeld(), path)) {
        ShowStatusNotice(kImageNotSaved);
        return;
    }
    const PrintOutcome outcome = SendToPrinter(path);
    switch (outcome) {
    case PrintOutcome::Printed:
        ShowStatusNotice(kPrinted);
        break;
    case PrintOutcome::HandedToViewer:
        ShowStatusNotice(kInViewer);
        break;
    case PrintOutcome::Failed:
        ShowStatusNotice(kNotPrinted);
        break;
    }
    // A viewer opens the file some time after it was started, so a file once
    // handed to one stays until the program ends, even when a later print of
    // the same name goes to the queue.
    if (IsLeftForViewer(path)) {
        return;
    }
    if (outcome == PrintOutcome::HandedToViewer) {
        editor->session.printFilesToRemove.push_back(path);
    } else {
        std::remove(path.c_str());
    }
}

void RemovePendingPrintFiles() {
    for (const std::string& path : editor->session.printFilesToRemove) {
        std::remove(path.c_str());
    }
    editor->session.printFilesToRemove.clear();
}
