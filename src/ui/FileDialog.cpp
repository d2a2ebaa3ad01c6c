#include "ui/FileDialog.h"

#include "ui/Dialog.h"
#include "ui/DialogEdit.h"
#include "ui/FileBrowser.h"
#include "ui/MessageDialog.h"
#include "ui/TextPrompt.h"

#include <algorithm>
#include <utility>

namespace {

enum class FileDialogMode { Open, Save, Folder };

constexpr const char* kAllFilesPattern = "*";
constexpr int kBytesPerKilobyte = 1024;
// Dialog units of the size column of the file list.
constexpr int kSizeColumnUnits = 44;

std::string FormatSize(uint64_t bytes) {
    // Whole kilobytes, rounded up like a file manager's size column.
    return std::to_string((bytes + kBytesPerKilobyte - 1) / kBytesPerKilobyte) + " KB";
}

class FileDialogSession {
  public:
    FileDialogSession(DialogHost& host, FileDialogMode mode, const std::string& title,
                      const FileTypeFilters& filters, bool allowMany);

    // Runs the dialog starting in `folder` with `name` in the name field.
    bool Run(const std::string& folder, const std::string& name);
    const std::vector<std::string>& Chosen() const { return chosen; }
    // Chooses the first file type whose patterns match `name` (when it is
    // not empty), else the one named `fallback`, else the first.
    void ChooseType(const std::string& name, const std::string& fallback);
    // The name of the chosen file type; empty without types.
    std::string ChosenType() const;

  private:
    void Build();
    void BuildFolderBrowser();
    void AddTypeChoice(const SDL_Rect& units);
    size_t ChosenTypeIndex() const;
    bool Navigate(const std::string& folder);
    void FillList();
    std::string Patterns() const;
    bool OnCommand(int id, DialogNotify notify);
    void OnOk();
    void OnListSelection();
    void OnListDoubleClick();
    void TakeName(const std::string& name);
    void TakeNames(const std::vector<std::string>& names);
    void FinishSave(std::string path);
    void MakeNewFolder();
    void Fail(const std::string& message);
    // The folder entry chosen in the list, or null.
    const FileBrowser::Entry* SelectedFolderEntry() const;

    FileDialogMode mode;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters;
    bool allowMany;
    FileBrowser browser;
    Dialog dialog;
    std::vector<std::string> chosen;
};

FileDialogSession::FileDialogSession(DialogHost& host, FileDialogMode mode,
                                     const std::string& title, const FileTypeFilters& filterTable,
                                     bool allowMany)
    : mode(mode), title(title), filters(filterTable.begin(), filterTable.end()),
      allowMany(allowMany && mode == FileDialogMode::Open), browser(mode == FileDialogMode::Folder),
      dialog(host, title, 0, 0) {
    if (this->title.empty()) {
        this->title = mode == FileDialogMode::Open
                          ? "Open"
                          : (mode == FileDialogMode::Save ? "Save As" : "Browse For Folder");
    }
    if (mode == FileDialogMode::Folder) {
        BuildFolderBrowser();
    } else {
        Build();
    }
    dialog.onCommand = [this](Dialog&, int id, DialogNotify notify) {
        return OnCommand(id, notify);
    };
}

void FileDialogSession::Build() {
    const bool saving = mode == FileDialogMode::Save;
    dialog.SetCaption(title);
    dialog.SetUnitsSize(300, 216);
    dialog.AddStatic(kIdNone, saving ? "Save in:" : "Look in:", {7, 9, 48, 8});
    dialog.AddEdit(kFileFolderEditId, {56, 7, 182, 14});
    dialog.AddButton(kFileUpButtonId, "Up", {242, 7, 51, 14});
    DialogListView& list = dialog.AddListView(kFileListId, {7, 26, 286, 136});
    list.SetMultipleSelection(allowMany);
    list.SetEmptyText("This folder is empty.");
    list.SetDetailWidth(kSizeColumnUnits);
    dialog.AddStatic(kFileNoteId, "", {7, 165, 286, 8});
    dialog.AddStatic(kIdNone, "File name:", {7, 179, 48, 8});
    dialog.AddEdit(kFileNameEditId, {56, 177, 182, 14});
    dialog.AddStatic(kIdNone, saving ? "Save as type:" : "Files of type:", {7, 197, 48, 8});
    AddTypeChoice({56, 195, 182, 80});
    dialog.AddButton(kIdOk, saving ? "Save" : "Open", {242, 177, 51, 14}, ButtonKind::DefaultPush);
    dialog.AddButton(kIdCancel, "Cancel", {242, 195, 51, 14});
    dialog.SetFocus(kFileNameEditId);
}

void FileDialogSession::BuildFolderBrowser() {
    // The file types of what will be saved into the folder take a row of
    // their own above the buttons.
    const int typeRow = filters.empty() ? 0 : 18;
    const int buttonsTop = 181 + typeRow;
    dialog.SetCaption("Browse For Folder");
    dialog.SetUnitsSize(260, 202 + typeRow);
    dialog.AddStatic(kIdNone, title, {7, 7, 246, 9});
    dialog.AddStatic(kIdNone, "Folder:", {7, 23, 32, 8});
    dialog.AddEdit(kFileFolderEditId, {40, 21, 158, 14});
    dialog.AddButton(kFileUpButtonId, "Up", {202, 21, 51, 14});
    dialog.AddListView(kFileListId, {7, 40, 246, 128}).SetEmptyText("No folders here.");
    dialog.AddStatic(kFileNoteId, "", {7, 171, 246, 8});
    if (!filters.empty()) {
        dialog.AddStatic(kIdNone, "Save as type:", {7, 183, 48, 8});
        AddTypeChoice({56, 181, 197, 80});
    }
    dialog.AddButton(kNewFolderButtonId, "&Make New Folder", {7, buttonsTop, 76, 14});
    dialog.AddButton(kIdOk, "OK", {148, buttonsTop, 50, 14}, ButtonKind::DefaultPush);
    dialog.AddButton(kIdCancel, "Cancel", {203, buttonsTop, 50, 14});
    dialog.SetFocus(kFileListId);
}

// A drop-down list of the file types, or just the name of the only one.
void FileDialogSession::AddTypeChoice(const SDL_Rect& units) {
    if (filters.size() > 1) {
        DialogDropDown& types = dialog.AddDropDown(kFileTypeListId, units);
        std::vector<std::string> names;
        for (const auto& filter : filters) {
            names.push_back(filter.first);
        }
        types.SetItems(std::move(names));
        types.SetSelection(0);
    } else {
        dialog.AddStatic(kFileTypeLabelId, filters.empty() ? "All Files" : filters.front().first,
                         {units.x, units.y + 2, units.w, 8});
    }
}

size_t FileDialogSession::ChosenTypeIndex() const {
    const int chosenType = dialog.Selection(kFileTypeListId);
    const size_t index = chosenType > 0 ? static_cast<size_t>(chosenType) : 0;
    return index < filters.size() ? index : 0;
}

void FileDialogSession::ChooseType(const std::string& name, const std::string& fallback) {
    auto chosenType = std::find_if(filters.begin(), filters.end(), [&](const auto& filter) {
        return !name.empty() && FileBrowser::MatchesPatterns(name, filter.second);
    });
    if (chosenType == filters.end()) {
        chosenType = std::find_if(filters.begin(), filters.end(),
                                  [&](const auto& filter) { return filter.first == fallback; });
    }
    if (chosenType != filters.end()) {
        dialog.SetSelection(kFileTypeListId, static_cast<int>(chosenType - filters.begin()));
    }
}

std::string FileDialogSession::ChosenType() const {
    return filters.empty() ? std::string() : filters[ChosenTypeIndex()].first;
}

std::string FileDialogSession::Patterns() const {
    return filters.empty() ? kAllFilesPattern : filters[ChosenTypeIndex()].second;
}

bool FileDialogSession::Run(const std::string& folder, const std::string& name) {
    browser.SetPatterns(Patterns());
    std::string error;
    const std::string start = FileBrowser::StartFolder(folder);
    if (!browser.Open(start, error) && !browser.Open("/", error)) {
        return false;
    }
    dialog.SetText(kFileFolderEditId, browser.Folder());
    FillList();
    dialog.SetText(kFileNameEditId, name);
    // The suggested name is selected, so that typing a new one replaces it.
    if (auto* edit = dialog.ControlAs<DialogEdit>(kFileNameEditId)) {
        edit->Buffer().SelectAll();
    }
    return dialog.RunModal() == 1;
}

bool FileDialogSession::Navigate(const std::string& folder) {
    std::string error;
    if (!browser.Open(folder, error)) {
        Fail(folder + "\nThe folder cannot be opened: " + error);
        dialog.SetText(kFileFolderEditId, browser.Folder());
        return false;
    }
    dialog.SetText(kFileFolderEditId, browser.Folder());
    FillList();
    return true;
}

void FileDialogSession::FillList() {
    std::vector<DialogListItem> items;
    items.reserve(browser.Entries().size());
    for (const FileBrowser::Entry& entry : browser.Entries()) {
        DialogListItem item;
        item.text = entry.name;
        item.icon = entry.isFolder ? ListIcon::Folder : ListIcon::File;
        if (!entry.isFolder) {
            item.detail = FormatSize(entry.size);
        }
        items.push_back(std::move(item));
    }
    if (auto* list = dialog.ControlAs<DialogListView>(kFileListId)) {
        list->SetItems(std::move(items));
    }
    dialog.SetText(kFileNoteId, browser.Truncated()
                                    ? "Only the first " + std::to_string(kMaxFolderEntries) +
                                          " entries of this folder are shown."
                                    : std::string());
}

void FileDialogSession::Fail(const std::string& message) {
    ShowMessageDialog(dialog.Host(), dialog.Caption(), message);
}

const FileBrowser::Entry* FileDialogSession::SelectedFolderEntry() const {
    const auto* list = dialog.ControlAs<DialogListView>(kFileListId);
    if (list == nullptr) {
        return nullptr;
    }
    const std::vector<int> rows = list->SelectedRows();
    if (rows.size() != 1) {
        return nullptr;
    }
    const FileBrowser::Entry& entry = browser.Entries()[static_cast<size_t>(rows.front())];
    return entry.isFolder ? &entry : nullptr;
}

bool FileDialogSession::OnCommand(int id, DialogNotify notify) {
    switch (id) {
    case kIdOk:
        if (notify == DialogNotify::Clicked) {
            OnOk();
        }
        return true;
    case kFileUpButtonId:
        if (notify == DialogNotify::Clicked) {
            Navigate(browser.ParentFolder());
        }
        return true;
    case kNewFolderButtonId:
        if (notify == DialogNotify::Clicked) {
            MakeNewFolder();
        }
        return true;
    case kFileListId:
        if (notify == DialogNotify::SelectionChanged) {
            OnListSelection();
        } else if (notify == DialogNotify::DoubleClicked) {
            OnListDoubleClick();
        }
        return true;
    case kFileTypeListId:
        if (notify == DialogNotify::SelectionChanged) {
            browser.SetPatterns(Patterns());
            FillList();
        }
        return true;
    default:
        return false;
    }
}

void FileDialogSession::OnListSelection() {
    if (mode == FileDialogMode::Folder) {
        return;
    }
    const auto* list = dialog.ControlAs<DialogListView>(kFileListId);
    std::vector<std::string> names;
    for (int row : list->SelectedRows()) {
        const FileBrowser::Entry& entry = browser.Entries()[static_cast<size_t>(row)];
        if (!entry.isFolder) {
            names.push_back(entry.name);
        }
    }
    // Choosing only folders leaves a typed name alone.
    if (!names.empty()) {
        dialog.SetText(kFileNameEditId, FileBrowser::JoinNames(names));
    }
}

void FileDialogSession::OnListDoubleClick() {
    const auto* list = dialog.ControlAs<DialogListView>(kFileListId);
    const int row = list->Current();
    if (row < 0) {
        return;
    }
    const FileBrowser::Entry& entry = browser.Entries()[static_cast<size_t>(row)];
    if (entry.isFolder) {
        Navigate(entry.isParent ? browser.ParentFolder() : browser.Resolve(entry.name));
    } else {
        TakeName(entry.name);
    }
}

void FileDialogSession::OnOk() {
    const int focusId = dialog.FocusId();
    if (focusId == kFileFolderEditId) {
        const std::string folder = browser.Resolve(dialog.Text(kFileFolderEditId));
        if (IsExistingFolder(folder)) {
            Navigate(folder);
        } else {
            Fail(folder + "\nPath does not exist.\nCheck the path and try again.");
        }
        return;
    }
    // Enter on a folder in the list opens it.
    if (focusId == kFileListId) {
        if (const FileBrowser::Entry* entry = SelectedFolderEntry()) {
            Navigate(entry->isParent ? browser.ParentFolder() : browser.Resolve(entry->name));
            return;
        }
    }
    if (mode == FileDialogMode::Folder) {
        const FileBrowser::Entry* entry = SelectedFolderEntry();
        chosen = {entry != nullptr && !entry->isParent ? browser.Resolve(entry->name)
                                                       : browser.Folder()};
        dialog.End(1);
        return;
    }
    const std::string text = dialog.Text(kFileNameEditId);
    std::vector<std::string> names = FileBrowser::SplitNames(text);
    if (!allowMany && names.size() > 1) {
        names = {text};
    }
    if (names.size() == 1) {
        TakeName(names.front());
    } else if (names.size() > 1) {
        TakeNames(names);
    }
}

void FileDialogSession::TakeName(const std::string& name) {
    // A typed wildcard filters the list instead, as in the desktop dialogs;
    // with a folder in front ("~/plans/*.tsln") that folder is shown first.
    if (name.find_first_of("*?") != std::string::npos) {
        const size_t slash = name.rfind('/');
        if (slash != std::string::npos &&
            !Navigate(browser.Resolve(slash == 0 ? "/" : name.substr(0, slash)))) {
            return;
        }
        browser.SetPatterns(slash == std::string::npos ? name : name.substr(slash + 1));
        FillList();
        return;
    }
    const std::string path = browser.Resolve(name);
    if (IsExistingFolder(path)) {
        if (Navigate(path)) {
            dialog.SetText(kFileNameEditId, "");
        }
        return;
    }
    if (mode == FileDialogMode::Save) {
        FinishSave(path);
        return;
    }
    if (!IsExistingFile(path)) {
        Fail(name + "\nFile not found.\nCheck the file name and try again.");
        return;
    }
    chosen = {path};
    dialog.End(1);
}

void FileDialogSession::TakeNames(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        const std::string path = browser.Resolve(name);
        if (!IsExistingFile(path)) {
            Fail(name + "\nFile not found.\nCheck the file name and try again.");
            return;
        }
        paths.push_back(path);
    }
    chosen = std::move(paths);
    dialog.End(1);
}

void FileDialogSession::FinishSave(std::string path) {
    // The extension is added before the existence check, so the question is
    // asked about the file that would really be replaced.
    path = FileBrowser::WithDefaultExtension(path, Patterns());
    const std::string name = FileBrowser::FileName(path);
    if (!IsExistingFolder(FileBrowser::ParentOf(path))) {
        Fail(FileBrowser::ParentOf(path) + "\nPath does not exist.\nCheck the path and try again.");
        return;
    }
    if (IsExistingFolder(path)) {
        Navigate(path);
        return;
    }
    if (IsExistingFile(path) &&
        !AskYesNo(dialog.Host(), "Confirm Save As",
                  name + " already exists.\nDo you want to replace it?", false)) {
        dialog.SetFocus(kFileNameEditId);
        return;
    }
    chosen = {path};
    dialog.End(1);
}

void FileDialogSession::MakeNewFolder() {
    std::string name;
    if (!ShowTextPrompt(dialog.Host(), "New Folder", "Name of the new folder:", "New Folder",
                        name)) {
        return;
    }
    if (name.find('/') != std::string::npos || name == "." || name == "..") {
        Fail(name + "\nA folder name cannot contain '/'.");
        return;
    }
    const std::string path = browser.Resolve(name);
    std::string error;
    if (!MakeFolder(path, error)) {
        Fail(path + "\nThe folder cannot be made: " + error);
        return;
    }
    if (!Navigate(browser.Folder())) {
        return;
    }
    const std::vector<FileBrowser::Entry>& entries = browser.Entries();
    for (size_t row = 0; row < entries.size(); ++row) {
        if (entries[row].name == name) {
            dialog.SetSelection(kFileListId, static_cast<int>(row));
            dialog.SetFocus(kFileListId);
            break;
        }
    }
}

} // namespace

bool ShowOpenFileDialog(DialogHost& host, std::vector<std::string>& paths,
                        const std::string& initialFolder, const FileTypeFilters& filters,
                        bool allowMany, const std::string& title) {
    FileDialogSession session(host, FileDialogMode::Open, title, filters, allowMany);
    if (!session.Run(initialFolder, "")) {
        return false;
    }
    paths = session.Chosen();
    return true;
}

bool ShowSaveFileDialog(DialogHost& host, std::string& path, const std::string& initialFolder,
                        const FileTypeFilters& filters, const std::string& title,
                        std::string* type) {
    FileDialogSession session(host, FileDialogMode::Save, title, filters, false);
    session.ChooseType(FileBrowser::FileName(path), type != nullptr ? *type : std::string());
    // A suggestion with a folder that exists opens there, as the desktop
    // dialog does; otherwise in the initial folder.
    std::string folder = initialFolder;
    const std::string suggestedFolder =
        path.find('/') != std::string::npos ? FileBrowser::ParentOf(path) : std::string();
    if (IsExistingFolder(suggestedFolder)) {
        folder = suggestedFolder;
    }
    if (!session.Run(folder, FileBrowser::FileName(path)) || session.Chosen().empty()) {
        return false;
    }
    path = session.Chosen().front();
    if (type != nullptr) {
        *type = session.ChosenType();
    }
    return true;
}

bool BrowseForFolder(DialogHost& host, const std::string& title, const std::string& initialFolder,
                     std::string& folder, const FileTypeFilters& types, std::string* type) {
    FileDialogSession session(host, FileDialogMode::Folder, title, types, false);
    session.ChooseType({}, type != nullptr ? *type : std::string());
    if (!session.Run(initialFolder, "") || session.Chosen().empty()) {
        return false;
    }
    folder = session.Chosen().front();
    if (type != nullptr) {
        *type = session.ChosenType();
    }
    return true;
}
