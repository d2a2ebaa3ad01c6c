#include "ui/FileBrowser.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

int FoldedByte(char c) {
    return std::tolower(static_cast<unsigned char>(c));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// '*' matches any run, '?' one byte; iterative so no pattern can recurse deeply.
bool WildcardMatch(const std::string& name, const std::string& pattern) {
    size_t n = 0;
    size_t p = 0;
    size_t starAt = std::string::npos;
    size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || FoldedByte(pattern[p]) == FoldedByte(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

// Lexically normal, without a trailing '/' except for the root itself.
std::string Normalised(const fs::path& path) {
    std::string normal = path.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    return normal;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

FileBrowser::FileBrowser(bool foldersOnly) : foldersOnly(foldersOnly) {}

bool FileBrowser::Open(const std::string& newFolder, std::string& error) {
    std::vector<DirectoryEntry> entries;
    bool more = false;
    if (!ListDirectory(newFolder, kMaxFolderEntries, entries, more, error)) {
        return false;
    }
    folder = newFolder;
    listing = std::move(entries);
    truncated = more;
    std::sort(listing.begin(), listing.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        if (a.isFolder != b.isFolder) {
            return a.isFolder;
        }
        return NaturalLess(a.name, b.name);
    });
    Refilter();
    return true;
}

std::string FileBrowser::ParentFolder() const {
    return ParentOf(folder);
}

void FileBrowser::SetPatterns(const std::string& patternList) {
    patterns = patternList.empty() ? "*" : patternList;
    Refilter();
}

void FileBrowser::Refilter() {
    shown.clear();
    if (folder != "/") {
        shown.push_back({"..", true, true, 0});
    }
    for (const DirectoryEntry& entry : listing) {
        // Hidden entries stay hidden, as in a file manager; typing their name still works.
        if (entry.name.empty() || entry.name[0] == '.') {
            continue;
        }
        if (entry.isFolder) {
            shown.push_back({entry.name, true, false, 0});
        } else if (!foldersOnly && MatchesPatterns(entry.name, patterns)) {
            shown.push_back({entry.name, false, false, entry.size});
        }
    }
}

std::string FileBrowser::Resolve(const std::string& typed) const {
    fs::path path;
    if (typed == "~" || typed.rfind("~/", 0) == 0) {
        path = fs::path(HomeFolder()) / typed.substr(std::min<size_t>(typed.size(), 2));
    } else if (!typed.empty() && typed[0] == '/') {
        path = typed;
    } else {
        path = fs::path(folder) / typed;
    }
    return Normalised(path);
}

std::string FileBrowser::StartFolder(const std::string& wanted) {
    const std::string working = WorkingFolder();
    std::string candidate = wanted;
    if (!candidate.empty() && candidate[0] != '/' && !working.empty()) {
        candidate = Normalised(fs::path(working) / candidate);
    } else if (!candidate.empty()) {
        candidate = Normalised(candidate);
    }
    while (!candidate.empty() && candidate[0] == '/') {
        if (IsExistingFolder(candidate)) {
            return candidate;
        }
        const std::string parent = ParentOf(candidate);
        if (parent == candidate) {
            break;
        }
        candidate = parent;
    }
    return IsExistingFolder(working) ? working : "/";
}

bool FileBrowser::MatchesPatterns(const std::string& name, const std::string& patternList) {
    size_t start = 0;
    while (start <= patternList.size()) {
        size_t end = patternList.find(';', start);
        if (end == std::string::npos) {
            end = patternList.size();
        }
        const std::string pattern = Trimmed(patternList.substr(start, end - start));
        // "*.*" means every file, with or without a dot, as on the desktop.
        if (!pattern.empty() && (pattern == "*.*" || WildcardMatch(name, pattern))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool FileBrowser::NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            // Compare the digit runs by value: skip leading zeros, then the
            // longer run is larger, then digit by digit.
            size_t iEnd = i;
            size_t jEnd = j;
            while (iEnd < a.size() && IsDigit(a[iEnd])) {
                ++iEnd;
            }
            while (jEnd < b.size() && IsDigit(b[jEnd])) {
                ++jEnd;
            }
            size_t iStart = i;
            size_t jStart = j;
            while (iStart + 1 < iEnd && a[iStart] == '0') {
                ++iStart;
            }
            while (jStart + 1 < jEnd && b[jStart] == '0') {
                ++jStart;
            }
            if (iEnd - iStart != jEnd - jStart) {
                return iEnd - iStart < jEnd - jStart;
            }
            const int order = a.compare(iStart, iEnd - iStart, b, jStart, jEnd - jStart);
            if (order != 0) {
                return order < 0;
            }
            i = iEnd;
            j = jEnd;
            continue;
        }
        if (FoldedByte(a[i]) != FoldedByte(b[j])) {
            return FoldedByte(a[i]) < FoldedByte(b[j]);
        }
        ++i;
        ++j;
    }
    if ((i < a.size()) != (j < b.size())) {
        return j < b.size();
    }
    // Equal but for case or leading zeros: any fixed order will do.
    return a < b;
}

std::string FileBrowser::DefaultExtension(const std::string& patternList) {
    const std::string first = Trimmed(patternList.substr(0, patternList.find(';')));
    const size_t dot = first.find('.');
    if (dot == std::string::npos) {
        return {};
    }
    const std::string extension = first.substr(dot);
    if (extension.size() < 2 || extension.find_first_of("*?") != std::string::npos) {
        return {};
    }
    return extension;
}

std::string FileBrowser::WithDefaultExtension(const std::string& path,
                                              const std::string& patternList) {
    if (FileName(path).find('.') != std::string::npos) {
        return path;
    }
    return path + DefaultExtension(patternList);
}

std::vector<std::string> FileBrowser::SplitNames(const std::string& text) {
    std::vector<std::string> names;
    if (text.find('"') == std::string::npos) {
        if (!text.empty()) {
            names.push_back(text);
        }
        return names;
    }
    size_t at = 0;
    while (at < text.size()) {
        const size_t open = text.find('"', at);
        if (open == std::string::npos) {
            // Text after the last quoted name is one more name.
            const std::string rest = Trimmed(text.substr(at));
            if (!rest.empty()) {
                names.push_back(rest);
            }
            break;
        }
        const std::string before = Trimmed(text.substr(at, open - at));
        if (!before.empty()) {
            names.push_back(before);
        }
        size_t close = text.find('"', open + 1);
        if (close == std::string::npos) {
            close = text.size();
        }
        if (close > open + 1) {
            names.push_back(text.substr(open + 1, close - open - 1));
        }
        at = close + 1;
    }
    return names;
}

std::string FileBrowser::JoinNames(const std::vector<std::string>& names) {
    if (names.size() == 1) {
        return names.front();
    }
    std::string text;
    for (const std::string& name : names) {
        if (!text.empty()) {
            text += ' ';
        }
        text += '"' + name + '"';
    }
    return text;
}

std::string FileBrowser::FileName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FileBrowser::ParentOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return path;
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}
