#include "document/PaperBackups.h"

#include "document/PaperFile.h"
#include "platform/DirectoryListing.h"
#include "platform/FileSystem.h"
#include "support/Product.h"
#include "support/VRX_Paths.h"
#include "support/VRX_Strings.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace {

constexpr const char* kBackupFolderName = "backups";
constexpr const char* kBackupSuffix = ".tsln";
// The backups folder is ours; this many entries is far more than it should hold.
constexpr size_t kMaxBackupFolderEntries = 100000;

std::string BackupFolder() {
    return GetDocumentsFolder(kProductName) + kBackupFolderName;
}

// FNV-1a: short, stable across runs and builds, and enough to tell a user's
// folders apart.
uint32_t FolderHash(const std::string& folder) {
    uint32_t hash = 2166136261u;
    for (const char c : folder) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 16777619u;
    }
    return hash;
}

// "plan.tsln.1a2b3c4d.": what every backup of this document's name starts with.
std::string BackupPrefix(const std::string& path) {
    char hash[16];
    std::snprintf(hash, sizeof hash, "%08" PRIx32, FolderHash(CanonicalFolderOf(path)));
    return std::string(GetFileName(path)) + "." + hash + ".";
}

// The running number of a backup's file name, or false when the name is not
// one of this document's backups.
bool BackupNumber(const std::string& name, const std::string& prefix, uint64_t& number) {
    const std::string suffix = kBackupSuffix;
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.size() > 18) {
        return false;
    }
    number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return false;
        }
        number = number * 10 + static_cast<uint64_t>(c - '0');
    }
    return true;
}

// This document's backups as (number, path), oldest first.
std::vector<std::pair<uint64_t, std::string>> NumberedBackups(const std::string& path) {
    std::vector<std::pair<uint64_t, std::string>> backups;
    const std::string folder = BackupFolder();
    std::vector<DirectoryEntry> entries;
    bool truncated = false;
    std::string error;
    if (!ListDirectory(folder, kMaxBackupFolderEntries, entries, truncated, error)) {
        return backups;
    }
    const std::string prefix = BackupPrefix(path);
    for (const DirectoryEntry& entry : entries) {
        uint64_t number = 0;
        if (!entry.isFolder && BackupNumber(entry.name, prefix, number)) {
            backups.emplace_back(number, folder + "/" + entry.name);
        }
    }
    std::sort(backups.begin(), backups.end());
    return backups;
}

} // namespace

std::vector<std::string> BackupsOf(const std::string& path) {
    std::vector<std::string> paths;
    for (auto& backup : NumberedBackups(path)) {
        paths.push_back(std::move(backup.second));
    }
    return paths;
}

bool BackUpDocument(const std::string& path, std::string& reason) {
    std::string previous;
    if (!ReadWholeFile(path, previous, kMaxPaperFileBytes)) {
        reason = "the document could not be read";
        return false;
    }
    const std::string folder = BackupFolder();
    if (!CreateFolderWithParents(folder)) {
        reason = folder + ": " + LastSystemError();
        return false;
    }
    auto backups = NumberedBackups(path);
    const uint64_t number = backups.empty() ? 1 : backups.back().first + 1;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%06" PRIu64, number);
    const std::string backup = folder + "/" + BackupPrefix(path) + digits + kBackupSuffix;
    AtomicFileWriter file;
    if (!file.Open(backup) || !file.Write(previous) || !file.Commit()) {
        errno = file.Error();
        reason = LastSystemError();
        return false;
    }
    // Only the newest few are kept; the new one is not in the list yet.
    while (backups.size() + 1 > kBackupsKeptPerDocument) {
        RemoveFile(backups.front().second);
        backups.erase(backups.begin());
    }
    return true;
}
