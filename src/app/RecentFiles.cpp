#include "app/RecentFiles.h"

#include "app/Editor.h"
#include "app/FileCommands.h"
#include "app/MenuBar.h"
#include "app/StatusNotice.h"
#include "platform/FileSystem.h"
#include "support/Registry.h"
#include "support/VRX_Strings.h"
#include "ui/Menu.h"

#include <strings.h>

namespace {

bool SamePathIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && strcasecmp(a.c_str(), b.c_str()) == 0;
}

void SetSlotCaption(size_t slot, const std::string& path) {
    if (slot < kRecentFileCount && editor->ui.recentFileItems[slot] != nullptr) {
        editor->ui.recentFileItems[slot]->caption = RecentDisplayName(path);
    }
}

// Write failures are not worth bothering the user with: the list in memory
// is right, and the next load or save writes it again.
void StoreRecentFiles() {
    for (size_t index = 0; index < editor->session.recentFiles.size(); ++index) {
        RegistryValue value;
        value.kind = RegistryKind::String;
        value.bytes = editor->session.recentFiles[index];
        value.length = static_cast<uint32_t>(value.bytes.size());
        WriteRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kRecentFilesKey,
                           RecentFileValueName(index), value);
    }
}

} // namespace

std::string RecentFileValueName(size_t index) {
    return FormatString("RecentFile%zu", index);
}

std::string RecentDisplayName(const std::string& path) {
    std::string name(GetFileName(path));
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

void LoadRecentFiles() {
    // Oldest first: each accepted entry goes to the head, so the list ends up
    // in the stored order.
    for (size_t index = kRecentFileCount; index-- > 0;) {
        RegistryValue value;
        if (!ReadRegistryValue(RegistryRoot::HKEY_CURRENT_USER, kRecentFilesKey,
                               RecentFileValueName(index), value) ||
            value.kind != RegistryKind::String) {
            continue;
        }
        // A stored string ends at its first NUL, as a path does.
        const std::string path = value.bytes.c_str();
        if (path.empty() || !IsReadableFile(path)) {
            continue;
        }
        AddRecentFile(path, /*persist=*/false);
    }
}

void AddRecentFile(const std::string& path, bool persist) {
    std::vector<std::string> previous;
    previous.swap(editor->session.recentFiles);
    editor->session.recentFiles.push_back(path);
    SetSlotCaption(0, path);
    for (const std::string& entry : previous) {
        if (editor->session.recentFiles.size() >= kRecentFileCount) {
            break;
        }
        if (!SamePathIgnoringCase(entry, path)) {
            SetSlotCaption(editor->session.recentFiles.size(), entry);
            editor->session.recentFiles.push_back(entry);
        }
    }
    if (editor->ui.fileMenu != nullptr) {
        LayoutMenu(*editor->ui.fileMenu);
    }
    if (persist) {
        StoreRecentFiles();
    }
}

void OpenRecentFile(uint64_t slot, MENU_ITEM*) {
    if (slot >= editor->session.recentFiles.size()) {
        return;
    }
    // A copy: loading moves the entry to the head of the list.
    const std::string path = editor->session.recentFiles[slot];
    if (!IsReadableFile(path)) {
        ShowStatusNotice(kRecentFileMissingNotice);
        return;
    }
    OpenPaperFile(path);
}
