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
#include "view/PaperVector.h"
#include "view/PaperView.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <optional>
#include <set>

namespace {

constexpr SDL_Scancode kNoGridKey = SDL_SCANCODE_LCTRL;
constexpr const char* kPngExtension = ".png";
constexpr const char* kDocumentExtension = ".tsln";
constexpr const char* kExportDialogTitle = "Save Tessellon image";
constexpr const char* kExportAllDialogTitle = "Choose Folder to Save Images To...";
constexpr const char* kReplaceTitle = "Confirm Save As";
constexpr const char* kUnnamedFileFormat = "%sUnnamed File %d%s";
constexpr const char* kPrintFileFormat = "print.%u.pdf";
// The decimals of the paper's size in inches for the queue's custom media:
// a thousandth of an inch is finer than any printer cares about.
constexpr int kInchDecimals = 3;
constexpr const char* kImageSaved = "Image saved.";
constexpr const char* kImageNotSaved = "Error saving image!";
constexpr const char* kPrinted = "Printed page successfully!";
constexpr const char* kNotPrinted = "Error printing page!";
// Handing the page to a viewer is no print yet; saying it printed would send
// the user to an empty printer tray.
constexpr const char* kInViewer = "No printer took the page; it is open in the PDF viewer.";

// The kinds of file an export offers. PNG is what the user gets unless they
// choose another.
struct ExportType {
    ExportFormat format;
    const char* name;
    const char* pattern;
};
constexpr ExportType kExportTypes[] = {
    {ExportFormat::Png, "PNG Image Files", "*.png"},
    {ExportFormat::Pdf, "PDF Documents", "*.pdf"},
    {ExportFormat::Svg, "SVG Drawings", "*.svg"},
};
constexpr const char* kDefaultExportType = kExportTypes[0].name;

FileTypeFilters ExportFileTypes() {
    FileTypeFilters types;
    for (const ExportType& type : kExportTypes) {
        types.emplace(type.name, type.pattern);
    }
    return types;
}

ExportFormat FormatOfType(const std::string& name) {
    for (const ExportType& type : kExportTypes) {
        if (name == type.name) {
            return type.format;
        }
    }
    return ExportFormat::Png;
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

// A name ending in one of the export formats' extensions (in any case) is
// written in that format; any other gets the chosen type's extension added.
std::string WithExportExtension(const std::string& path, ExportFormat chosen) {
    return EndsWithIgnoringCase(path, ExportFormatExtension(ExportFormatOfPath(path)))
               ? path
               : path + ExportFormatExtension(chosen);
}

// Where Export All writes `paper` in `folder` (ending in '/'): its document's
// name with `extension` for ".tsln", or the next "Unnamed File N" with it.
std::string ExportAllPath(const Paper& paper, const std::string& folder, const char* extension,
                          int& unnamedCount) {
    if (paper.filePath.empty()) {
        ++unnamedCount;
        return FormatString(kUnnamedFileFormat, folder.c_str(), unnamedCount, extension);
    }
    const std::string path = folder + std::string(GetFileName(paper.filePath));
    if (EndsWithIgnoringCase(path, kDocumentExtension)) {
        return path.substr(0, path.size() - std::char_traits<char>::length(kDocumentExtension)) +
               extension;
    }
    return path + extension;
}

// Two open documents of the same name from different folders would otherwise
// both be written to one file, the second silently replacing the first: the
// later one gets " (2)", " (3)", ... before its extension.
std::string DistinctPath(const std::string& path, const char* extension,
                         const std::set<std::string>& taken) {
    if (taken.count(path) == 0) {
        return path;
    }
    const std::string stem =
        path.substr(0, path.size() - std::char_traits<char>::length(extension));
    for (int copy = 2;; ++copy) {
        std::string candidate = FormatString("%s (%d)%s", stem.c_str(), copy, extension);
        if (taken.count(candidate) == 0) {
            return candidate;
        }
    }
}

enum class PrintOutcome { Printed, HandedToViewer, Failed };

// `pixels` in inches with a decimal point whatever the locale, without
// trailing zeros: "11", "8.5", "10.417".
std::string Inches(int32_t pixels) {
    char digits[32];
    char* end = std::to_chars(digits, digits + sizeof digits,
                              static_cast<double>(pixels) / kPaperPixelsPerInch,
                              std::chars_format::fixed, kInchDecimals)
                    .ptr;
    std::string text(digits, end);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text;
}

// The PDF's page is the paper, and the queue is told to print it on paper of
// that size without scaling it to fit another, so a paper prints at its true
// size. Without a working queue the PDF goes to the desktop's viewer, from
// which the user can print it.
PrintOutcome SendToPrinter(const std::string& path, const Paper& paper) {
    const std::string media =
        "media=Custom." + Inches(paper.width) + "x" + Inches(paper.height) + "in";
    const ProcessResult lp =
        RunProcessAndWait({"lp", "-o", media, "-o", "print-scaling=none", "--", path});
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

bool WritePaperFile(PaperView& view, bool ownPalette, const std::string& path, bool showGrid) {
    const ExportFormat format = ExportFormatOfPath(path);
    if (format == ExportFormat::Png) {
        return WritePaperPng(view, ownPalette, path, showGrid);
    }
    const std::vector<uint8_t>& fontFile = editor->shell.drawFontFile;
    const DrawingFontFile font{fontFile.empty() ? nullptr : &fontFile, kDrawFontPoints};
    return WritePaperVector(view, format, ownPalette, path, showGrid, font);
}

bool RenderPaperForExport(Paper& paper, bool ownPalette, bool withoutGrid,
                          const std::string& path) {
    const bool showGrid = editor->session.gridVisible && !withoutGrid;
    PaperView* view = ViewOf(&paper);
    std::optional<PaperView> exportView;
    if (view == nullptr) {
        view = &exportView.emplace(paper, editor->shell.drawFont.get(), SDL_Point{0, 0});
    }
    return WritePaperFile(*view, ownPalette, path, showGrid);
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
    std::string type = kDefaultExportType;
    if (!ShowSaveFileDialog(*editor, chosen, GetDocumentsFolder(kProductName), ExportFileTypes(),
                            kExportDialogTitle, &type)) {
        return;
    }
    const std::string path = WithExportExtension(chosen, FormatOfType(type));
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
    std::string type = kDefaultExportType;
    if (!BrowseForFolder(*editor, kExportAllDialogTitle, startFolder, folder, ExportFileTypes(),
                         &type) ||
        folder.empty()) {
        return;
    }
    const char* extension = ExportFormatExtension(FormatOfType(type));
    if (folder.back() != '/') {
        folder += '/';
    }
    editor->session.exportFolder = folder;

    int unnamedCount = 0;
    std::set<std::string> written;
    for (Paper* paper : OpenDocuments()) {
        const std::string path = DistinctPath(
            ExportAllPath(*paper, editor->session.exportFolder, extension, unnamedCount), extension,
            written);
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
    Paper& paper = *editor->session.activePaper;
    const std::string path =
        GetAppDataPath(kProductName, FormatString(kPrintFileFormat, GetProcessId()).c_str());
    if (!RenderPaperForExport(paper, /*ownPalette=*/false, ExportWithoutGridHeld(), path)) {
        ShowStatusNotice(kImageNotSaved);
        return;
    }
    const PrintOutcome outcome = SendToPrinter(path, paper);
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
