#pragma once
// Autosave and recovery: every modified paper is written now and then to a
// recovery file (document/RecoveryStore.h), never over its document, and the
// recovery files a program that did not exit left behind are offered when the
// next one starts.
//
// A paper is written at most `interval` seconds after it changed: the first
// input on a paper starts its count, and when it runs out the paper is written
// if it is modified. So a busy user's work is written once an interval, and
// an idle program does nothing at all.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Paper;
class RecoveryStore;

// One paper's recovery file and whether its interval is running.
struct PaperRecovery {
    const Paper* paper = nullptr;
    // Empty until the paper is first written.
    std::string file;
    bool pending = false;
    uint64_t dueTicks = 0;
};

struct AutosaveState {
    std::unique_ptr<RecoveryStore> store;
    // 0 when autosaving is off; recovered papers still lose their files on save.
    uint64_t intervalMs = 0;
    bool offerPending = false;
    // A failure is told once, not at every interval, until a write succeeds.
    bool failureTold = false;
    std::vector<PaperRecovery> papers;
};

// The interval when settings.conf names none, in seconds.
constexpr int64_t kDefaultAutosaveSeconds = 60;
// Longer intervals are cut to a day.
constexpr int64_t kMaxAutosaveSeconds = 24 * 60 * 60;
constexpr const char* kRecoverTitle = "Recover papers?";
constexpr const char* kDeleteRecoveredTitle = "Delete recovered papers?";
constexpr const char* kDeleteRecoveredQuestion = "Delete the recovered papers?";

// The autosave interval in settings text: "interval_seconds" in section
// "autosave". The default when it is missing or no plain whole number; 0
// turns autosaving off.
int64_t ParseAutosaveSeconds(const std::string& settings);

// Starts autosaving every `seconds` into the program's folder in
// `recoveryFolder`. The first RunAutosave offers what programs that did not
// exit left there.
void StartAutosave(int64_t seconds, const std::string& recoveryFolder);
// Ends it: this program's folder is removed unless it holds recovery files;
// those of papers still open stay, as after a crash.
void StopAutosave();

// Called after each event the main loop handles, with its SDL event type and
// the active paper after it (null when none).
void NoteInput(uint32_t eventType, const Paper* paper);
// Called once a pass of the main loop: the offer the first time, then the
// writing of papers whose interval has run out.
void RunAutosave();
// The paper was saved, or closed without saving by the user's choice: its
// recovery file goes.
void ForgetRecovery(const Paper& paper);
