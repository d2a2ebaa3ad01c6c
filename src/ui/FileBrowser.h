#pragma once
// The model behind the file dialogs: the folder being shown, its entries
// sorted (folders first) and filtered by the chosen file type, and the rules
// for turning typed names into paths.

#include "platform/DirectoryListing.h"

#include <string>
#include <vector>

// Entries read from one folder at most; more are left out with a note, so a
// huge folder cannot exhaust memory.
constexpr size_t kMaxFolderEntries = 200000;

class FileBrowser {
  public:
    struct Entry {
        std::string name;
        bool isFolder = false;
        // The ".." entry that leads to the parent folder.
        bool isParent = false;
        uint64_t size = 0;
    };

    // With `foldersOnly` files are never shown (the folder browser).
    explicit FileBrowser(bool foldersOnly);

    // Reads `folder` (absolute). On failure the previous folder stays and
    // `error` says why.
    bool Open(const std::string& folder, std::string& error);
    const std::string& Folder() const { return folder; }
    // The parent of the shown folder; the folder itself at the root.
    std::string ParentFolder() const;
    // Wildcard patterns separated by ';' ("*.png;*.bmp"); files must match one.
    void SetPatterns(const std::string& patternList);
    const std::vector<Entry>& Entries() const { return shown; }
    bool Truncated() const { return truncated; }

    // A typed name or path as an absolute, normalised path: absolute paths
    // stay, "~" means the home folder, anything else is taken relative to the
    // shown folder.
    std::string Resolve(const std::string& typed) const;

    // The first existing folder among `wanted`, its parents, the working
    // folder and "/".
    static std::string StartFolder(const std::string& wanted);
    // Whether `name` matches one of the ';'-separated wildcard patterns; case
    // does not matter, as on the desktop these patterns come from.
    static bool MatchesPatterns(const std::string& name, const std::string& patternList);
    // Orders names the way people expect: case-insensitive, digit runs by value.
    static bool NaturalLess(const std::string& a, const std::string& b);
    // The extension of the first pattern (".tsln" of "*.tsln;*.x"), empty
    // when it has no usable one ("*.*", "*").
    static std::string DefaultExtension(const std::string& patternList);
    // `path` with the extension added when its file name has no '.' at all.
    static std::string WithDefaultExtension(const std::string& path,
                                            const std::string& patternList);
    // The names of a multiple choice, typed or filled in as "a.tsln" "b.tsln";
    // text without quotes is one name.
    static std::vector<std::string> SplitNames(const std::string& text);
    // The text that puts `names` into the name field.
    static std::string JoinNames(const std::vector<std::string>& names);
    // The file-name part of a path (after the last '/').
    static std::string FileName(const std::string& path);
    static std::string ParentOf(const std::string& path);

  private:
    void Refilter();

    bool foldersOnly;
    std::string folder;
    std::string patterns = "*";
    std::vector<DirectoryEntry> listing;
    std::vector<Entry> shown;
    bool truncated = false;
};
