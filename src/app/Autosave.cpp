#include "app/Autosave.h"

#include "app/Editor.h"
#include "app/PaperWindows.h"
#include "app/StatusNotice.h"
#include "document/Paper.h"
#include "document/PaperFile.h"
#include "document/RecoveryStore.h"
#include "platform/FileSystem.h"
#include "support/VRX_Ini.h"
#include "ui/MessageDialog.h"
#include "view/PaperView.h"

#include <SDL2/SDL_events.h>
#include <SDL2/SDL_log.h>
#include <SDL2/SDL_messagebox.h>
#include <SDL2/SDL_timer.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr const char* kSettingsSection = "autosave";
constexpr const char* kIntervalKey = "interval_seconds";
constexpr uint64_t kMillisecondsPerSecond = 1000;

enum QuestionButton : int { kAnswerYes = 1, kAnswerNo = 2 };

AutosaveState& State() {
    std::unique_ptr<AutosaveState>& state = editor->session.autosave;
    if (state == nullptr) {
        state = std::make_unique<AutosaveState>();
    }
    return *state;
}

// The open paper at that address, or null: a paper closed some other way
// than through the file commands must never be written.
Paper* OpenPaperAt(const Paper* paper) {
    PaperView* view = ViewOf(paper);
    return view != nullptr ? &view->paper : nullptr;
}

PaperRecovery& RecoveryOf(const Paper* paper) {
    for (PaperRecovery& entry : State().papers) {
        if (entry.paper == paper) {
            return entry;
        }
    }
    State().papers.push_back(PaperRecovery{paper, {}, false, 0});
    return State().papers.back();
}

// False when a modified paper could not be written (the user has been told).
bool WriteRecovery(PaperRecovery& entry) {
    Paper* paper = OpenPaperAt(entry.paper);
    if (paper == nullptr || !paper->modified) {
        return true;
    }
    const std::string bytes = PaperFileBytes(*paper);
    std::string problem = "the paper could not be stored";
    // Absolute, so that a later start in another working folder names the
    // same document.
    if (!bytes.empty() &&
        State().store->Write(entry.file, AbsolutePath(paper->filePath), bytes, problem)) {
        State().failureTold = false;
        return true;
    }
    SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "Autosave failed: %s", problem.c_str());
    if (!State().failureTold) {
        ShowStatusNotice("Autosave failed: " + problem + ".");
        State().failureTold = true;
    }
    return false;
}

// A Yes/No question as SDL shows it, or inside the window where no system
// message box can be shown. Closing it without an answer answers No.
bool AskYesNoBox(const char* title, const std::string& text, bool defaultYes) {
    const auto returnKey = static_cast<Uint32>(SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT);
    const auto escapeKey = static_cast<Uint32>(SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT);
    int answer = -1;
    if (AskInSystemBox(*editor, SDL_MESSAGEBOX_INFORMATION, title, text,
                       {
                           {defaultYes ? returnKey : 0, kAnswerYes, "Yes"},
                           {defaultYes ? escapeKey : escapeKey | returnKey, kAnswerNo, "No"},
                       },
                       answer)) {
        return answer == kAnswerYes;
    }
    return AskYesNo(*editor, title, text, defaultYes);
}

std::string RecoverQuestion(size_t count) {
    if (count == 1) {
        return "Recover 1 unsaved paper from the last session?";
    }
    return "Recover " + std::to_string(count) + " unsaved papers from the last session?";
}

// Opens the recovery file as a modified paper named after its document; its
// file becomes this program's, so that it is kept until the paper is saved or
// closed. False when it cannot be read.
bool RecoverPaper(const std::string& file) {
    std::string documentPath;
    std::string bytes;
    if (!ReadRecoveryFile(file, documentPath, bytes)) {
        return false;
    }
    std::unique_ptr<Paper> paper = NewDocument();
    paper->filePath = documentPath;
    if (!LoadPaperBytes(*paper, std::move(bytes), nullptr)) {
        return false;
    }
    paper->modified = true;
    PaperRecovery& entry = RecoveryOf(paper.get());
    entry.file = State().store->Adopt(file);
    SetActivePaper(AddLoadedPaper(std::move(paper)).document.get());
    return true;
}

void RecoverPapers(const std::vector<std::string>& files) {
    size_t recovered = 0;
    for (const std::string& file : files) {
        recovered += RecoverPaper(file) ? 1 : 0;
    }
    if (recovered == files.size()) {
        ShowStatusNotice(recovered == 1 ? "Recovered 1 paper."
                                        : "Recovered " + std::to_string(recovered) + " papers.");
    } else {
        // What could not be read stays, to be offered again or deleted.
        ShowStatusNotice("Recovered " + std::to_string(recovered) + " of " +
                         std::to_string(files.size()) + " papers; the others could not be read.");
    }
}

void OfferLeftPapers() {
    const std::vector<std::string> files = State().store->ClaimLeftFiles();
    if (files.empty()) {
        return;
    }
    if (AskYesNoBox(kRecoverTitle, RecoverQuestion(files.size()), /*defaultYes=*/true)) {
        RecoverPapers(files);
    } else if (AskYesNoBox(kDeleteRecoveredTitle, kDeleteRecoveredQuestion,
                           /*defaultYes=*/false)) {
        for (const std::string& file : files) {
            State().store->Remove(file);
        }
    }
    State().store->ReleaseClaims();
}

} // namespace

int64_t ParseAutosaveSeconds(const std::string& settings) {
    std::string value;
    if (!IniFindValue(settings, kSettingsSection, kIntervalKey, value) || value.empty() ||
        !std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return kDefaultAutosaveSeconds;
    }
    int64_t seconds = 0;
    for (const char digit : value) {
        seconds = std::min(seconds * 10 + (digit - '0'), kMaxAutosaveSeconds);
    }
    return seconds;
}

void StartAutosave(int64_t seconds, const std::string& recoveryFolder) {
    editor->session.autosave = std::make_unique<AutosaveState>();
    State().store = std::make_unique<RecoveryStore>(recoveryFolder);
    State().intervalMs =
        static_cast<uint64_t>(std::clamp<int64_t>(seconds, 0, kMaxAutosaveSeconds)) *
        kMillisecondsPerSecond;
    State().offerPending = true;
}

void StopAutosave() {
    editor->session.autosave.reset();
}

void NoteInput(uint32_t eventType, const Paper* paper) {
    // Moving the pointer or the window changes no paper; the button release
    // that ends a drag comes after the motion.
    if (State().store == nullptr || State().intervalMs == 0 || paper == nullptr ||
        eventType == SDL_MOUSEMOTION || eventType == SDL_WINDOWEVENT) {
        return;
    }
    PaperRecovery& entry = RecoveryOf(paper);
    if (!entry.pending) {
        entry.pending = true;
        entry.dueTicks = SDL_GetTicks64() + State().intervalMs;
    }
}

void RunAutosave() {
    if (State().store == nullptr) {
        return;
    }
    if (State().offerPending) {
        State().offerPending = false;
        OfferLeftPapers();
    }
    const uint64_t now = SDL_GetTicks64();
    for (PaperRecovery& entry : State().papers) {
        if (entry.pending && now >= entry.dueTicks) {
            // A failed write is tried again an interval later, so that the
            // change is kept once the disk has room again.
            entry.pending = !WriteRecovery(entry);
            entry.dueTicks = now + State().intervalMs;
        }
    }
}

void ForgetRecovery(const Paper& paper) {
    const auto found =
        std::find_if(State().papers.begin(), State().papers.end(),
                     [&paper](const PaperRecovery& entry) { return entry.paper == &paper; });
    if (found == State().papers.end()) {
        return;
    }
    if (State().store != nullptr) {
        State().store->Remove(found->file);
    }
    State().papers.erase(found);
}
