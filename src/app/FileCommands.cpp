#include "app/FileCommands.h"

#include "app/ActiveTool.h"
#include "app/Autosave.h"
#include "app/Editor.h"
#include "app/KeyState.h"
#include "app/PaperWindows.h"
#include "app/ResizeDialog.h"
#include "app/StatusNotice.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "support/VRX_Paths.h"
#include "support/VRX_Strings.h"
#include "tools/Tool.h"
#include "ui/DialogControl.h"
#include "ui/FileDialog.h"
#include "ui/MessageDialog.h"
#include "ui/TextPrompt.h"
#include "view/PaperView.h"

#include <SDL2/SDL_messagebox.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr char kSizeSeparator = 'x';
constexpr double kSmallestPaperInches = 1.0;

struct PaperSize {
    double width;
    double height;
};

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// The decimal number at the start of `text` (after blanks), 0 when there is
// none. Unlike strtod it takes no hexadecimal, "inf" or "nan".
double LeadingDecimal(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])) != 0) {
        ++at;
    }
    const size_t start = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    size_t digits = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        ++digits;
    }
    if (at < text.size() && text[at] == '.') {
        for (++at; at < text.size() && IsDigit(text[at]); ++at) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        if (exponent < text.size() && IsDigit(text[exponent])) {
            for (at = exponent; at < text.size() && IsDigit(text[at]); ++at) {
            }
        }
    }
    return std::strtod(text.substr(start, at - start).c_str(), nullptr);
}

int32_t InchesToPixels(double inches) {
    return static_cast<int32_t>(std::trunc(inches * kPaperPixelsPerInch));
}

bool FitsDrawingLimit(double inches) {
    return std::trunc(inches * kPaperPixelsPerInch) <= kMaxPaperPixels;
}

std::string TooLargeNotice() {
    return "Size too large, a paper can be at most " + LargestPaperSizeText() + " inches!";
}

// Reads the answer of the size prompt. False when the size cannot be drawn
// (the user has been told); an unreadable answer gives the default size.
bool ReadPaperSize(const std::string& answer, PaperSize& size) {
    const Tokenizer fields(answer, kSizeSeparator);
    if (fields.Count() != 2) {
        ShowStatusNotice(kInvalidSizeNotice);
        size = {kDefaultPaperWidthInches, kDefaultPaperHeightInches};
        return true;
    }
    size.width = std::max(LeadingDecimal(fields[0]), kSmallestPaperInches);
    size.height = std::max(LeadingDecimal(fields[1]), kSmallestPaperInches);
    if (!FitsDrawingLimit(size.width) || !FitsDrawingLimit(size.height)) {
        ShowStatusNotice(TooLargeNotice());
        return false;
    }
    editor->session.newPaperWidth = size.width;
    editor->session.newPaperHeight = size.height;
    return true;
}

// The unsaved-changes question as SDL shows it.
int AskSaveQuestion(const Paper& paper) {
    const std::string name = paper.filePath.empty() ? kUnnamedFileCaption : paper.filePath;
    const std::string text = "Do you want to save '" + name + "' before closing?";
    int answer = -1;
    if (AskInSystemBox(*editor, SDL_MESSAGEBOX_WARNING, kSaveQuestionTitle, text,
                       {
                           {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kSaveQuestionYes, "Yes"},
                           {0, kSaveQuestionNo, "No"},
                           {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kSaveQuestionCancel, "Cancel"},
                       },
                       answer)) {
        return answer;
    }
    // Asked inside the window instead: otherwise a modified paper could
    // neither be closed nor the program left without saving it first.
    switch (AskYesNoCancel(*editor, kSaveQuestionTitle, text)) {
    case kIdYes:
        return kSaveQuestionYes;
    case kIdNo:
        return kSaveQuestionNo;
    default:
        return kSaveQuestionCancel;
    }
}

// Saves and says how it went; a saved paper needs its recovery file no
// more. Holding Left Ctrl writes the fields uncompressed, for inspecting files.
bool SaveAndReport(Paper& paper, const std::string& path) {
    const FileReport report = SavePaper(paper, path, !IsKeyHeld(SDL_SCANCODE_LCTRL));
    ShowStatusNotice(report.message);
    if (report.ok) {
        ForgetRecovery(paper);
    }
    return report.ok;
}

bool SaveToOwnPath(Paper& paper) {
    return paper.filePath.empty() ? SavePaperAs(paper) : SaveAndReport(paper, paper.filePath);
}

} // namespace

void CreateNewPaper(uint64_t, MENU_ITEM*) {
    SetActiveToolInstance(nullptr);
    const std::string offer =
        FormatString("%.02fx%.02f", editor->session.newPaperWidth, editor->session.newPaperHeight);
    std::string answer;
    if (!ShowTextPrompt(*editor, kNewPaperTitle, kNewPaperLabel, offer, answer) || answer.empty()) {
        return;
    }
    PaperSize size = {0.0, 0.0};
    if (!ReadPaperSize(answer, size)) {
        return;
    }
    std::unique_ptr<Paper> paper = NewDocument();
    if (!paper->SetSize(InchesToPixels(size.width), InchesToPixels(size.height))) {
        ShowStatusNotice("Error creating paper surface!");
        return;
    }
    SetActivePaper(AddOpenPaper(std::move(paper)).document.get());
}

void ShowOpenDialog(uint64_t, MENU_ITEM*) {
    SetActiveToolInstance(nullptr);
    std::vector<std::string> paths;
    if (!ShowOpenFileDialog(*editor, paths, GetDocumentsFolder(kProductName), documentFileTypes,
                            /*allowMany=*/true, kOpenDialogTitle)) {
        return;
    }
    for (const std::string& path : paths) {
        OpenPaperFile(path);
    }
}

bool OpenPaperFile(const std::string& path) {
    for (Paper* paper : OpenDocuments()) {
        if (paper->filePath == path) {
            SetActivePaper(paper);
            ShowStatusNotice(kAlreadyOpenNotice);
            return true;
        }
    }
    std::unique_ptr<Paper> paper = NewDocument();
    const FileReport report = LoadPaper(*paper, path);
    ShowStatusNotice(report.message);
    if (!report) {
        return false;
    }
    SetActivePaper(AddLoadedPaper(std::move(paper)).document.get());
    return true;
}

void SaveActivePaper(uint64_t, MENU_ITEM*) {
    if (editor->session.activePaper != nullptr) {
        SaveToOwnPath(*editor->session.activePaper);
    }
}

void SaveActivePaperAs(uint64_t, MENU_ITEM*) {
    if (editor->session.activePaper != nullptr) {
        SavePaperAs(*editor->session.activePaper);
    }
}

bool SavePaperAs(Paper& paper) {
    std::string path = paper.filePath;
    if (!ShowSaveFileDialog(*editor, path, GetDocumentsFolder(kProductName), documentFileTypes,
                            kSaveDialogTitle)) {
        return false;
    }
    return SaveAndReport(paper, path);
}

bool AskSaveBeforeClose(Paper& paper) {
    switch (AskSaveQuestion(paper)) {
    case kSaveQuestionYes:
        return SaveToOwnPath(paper);
    case kSaveQuestionNo:
        return true;
    default:
        // Cancel, or a question closed without an answer: nothing is
        // closed, so nothing can be lost.
        return false;
    }
}

void CloseActivePaper(uint64_t, MENU_ITEM*) {
    if (editor->session.activePaper == nullptr) {
        return;
    }
    if (editor->session.activePaper->modified &&
        !AskSaveBeforeClose(*editor->session.activePaper)) {
        return;
    }
    Paper* closing = editor->session.activePaper;
    // Saved, or its changes given up by the user's answer.
    ForgetRecovery(*closing);
    // The operation in progress belongs to the paper that goes.
    SetActiveToolInstance(nullptr);
    editor->session.selectionDragging = false;
    editor->session.activePaper = nullptr;
    CloseOpenPaper(*closing);
    SetActivePaper(editor->session.openPapers.empty()
                       ? nullptr
                       : editor->session.openPapers.front()->document.get());
}

bool CloseAllPapers(bool force) {
    if (!force) {
        // A copy: saving never closes a paper, but the list is not ours.
        const std::vector<Paper*> papers = OpenDocuments();
        for (Paper* paper : papers) {
            if (paper->modified && !AskSaveBeforeClose(*paper)) {
                return false;
            }
        }
        for (Paper* paper : papers) {
            ForgetRecovery(*paper);
        }
    }
    SetActivePaper(nullptr);
    while (!editor->session.openPapers.empty()) {
        CloseOpenPaper(*editor->session.openPapers.front()->document);
    }
    return true;
}

void CloseAllPapersCommand(uint64_t, MENU_ITEM*) {
    CloseAllPapers(/*force=*/false);
}

void ExitProgram(uint64_t, MENU_ITEM*) {
    if (CloseAllPapers(/*force=*/false)) {
        editor->ui.quitRequested = true;
    }
}
