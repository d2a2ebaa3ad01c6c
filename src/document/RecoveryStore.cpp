#include "document/RecoveryStore.h"

#include "document/PaperFile.h"
#include "platform/DirectoryListing.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/SystemRandom.h"
#include "support/VRX_Paths.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

constexpr char kMagic[4] = {'T', 'S', 'R', 'C'};
constexpr uint8_t kVersion = 1;
constexpr size_t kHeaderSize = sizeof kMagic + 1 + 4;
// Longer than any path the system accepts; a larger length is damage.
constexpr uint32_t kMaxPathBytes = 64 * 1024;
constexpr const char* kLockFileName = "owner.lock";
constexpr const char* kFileSuffix = ".recovery";
// A recovery folder holds a handful of entries; a folder with more than this
// is not searched to the end.
constexpr size_t kMaxEntriesListed = 10000;
// Each try draws a fresh random folder name; ten collisions in a row mean
// something else is wrong.
constexpr int kFolderNameTries = 10;

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsRecoveryFileName(const DirectoryEntry& entry) {
    return !entry.isFolder && !entry.name.starts_with('.') && EndsWith(entry.name, kFileSuffix);
}

std::vector<DirectoryEntry> Entries(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    bool truncated = false;
    std::string error;
    ListDirectory(folder, kMaxEntriesListed, entries, truncated, error);
    return entries;
}

std::vector<std::string> RecoveryFilesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const DirectoryEntry& entry : Entries(folder)) {
        if (IsRecoveryFileName(entry)) {
            files.push_back(folder + "/" + entry.name);
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Removes a program's folder unless it still holds recovery files: its lock
// file and what a write killed half-way left behind go with it. Called while
// the folder's lock is held, so no other program is using it.
void RemoveFolderIfUnused(const std::string& folder) {
    const std::vector<DirectoryEntry> entries = Entries(folder);
    if (std::any_of(entries.begin(), entries.end(), IsRecoveryFileName)) {
        return;
    }
    for (const DirectoryEntry& entry : entries) {
        if (!entry.isFolder && (entry.name == kLockFileName || entry.name.starts_with('.'))) {
            RemoveFile(folder + "/" + entry.name);
        }
    }
    RemoveEmptyFolder(folder);
}

// A program's folder is named "<process id>-<random digits>". When the system
// cannot lock files there (some network file systems), the process id is all
// that tells whether its program still runs.
bool OwnerProcessIsGone(const std::string& folderName) {
    uint32_t processId = 0;
    if (std::sscanf(folderName.c_str(), "%" SCNu32 "-", &processId) != 1) {
        return false;
    }
    return processId != GetProcessId() && !ProcessIsRunning(processId);
}

void AppendUint32(std::string& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

RecoveryStore::RecoveryStore(std::string rootFolder) : root_(std::move(rootFolder)) {
    while (root_.size() > 1 && root_.back() == '/') {
        root_.pop_back();
    }
}

RecoveryStore::~RecoveryStore() {
    ReleaseClaims();
    if (!ownFolder_.empty()) {
        RemoveFolderIfUnused(ownFolder_);
    }
}

bool RecoveryStore::MakeOwnFolder(std::string& problem) {
    if (!ownFolder_.empty() && IsExistingFolder(ownFolder_)) {
        return true;
    }
    // The folder was never made, or someone removed it: a new one, with a new lock.
    ownFolder_.clear();
    ownLock_.Release();
    if (!CreateFolderWithParents(root_)) {
        problem = root_ + ": " + LastSystemError();
        return false;
    }
    for (int attempt = 0; attempt < kFolderNameTries; ++attempt) {
        uint32_t random = static_cast<uint32_t>(attempt);
        FillFromSystemRandom(&random, sizeof random);
        char name[32];
        std::snprintf(name, sizeof name, "%" PRIu32 "-%08" PRIx32, GetProcessId(), random);
        const std::string folder = root_ + "/" + name;
        std::string error;
        if (!MakeFolder(folder, error)) {
            problem = error;
            continue;
        }
        // Without locking support the folder is still used; its name then
        // tells other programs whether this one runs.
        ownLock_.TryLock(folder + "/" + kLockFileName, /*create=*/true);
        ownFolder_ = folder;
        return true;
    }
    return false;
}

bool RecoveryStore::IsOwnFile(const std::string& file) const {
    return !ownFolder_.empty() && file.starts_with(ownFolder_ + "/");
}

std::string RecoveryStore::NewOwnFile() {
    char name[32];
    std::snprintf(name, sizeof name, "paper-%06" PRIu32, nextNumber_++);
    return ownFolder_ + "/" + name + kFileSuffix;
}

bool RecoveryStore::Write(std::string& file, const std::string& documentPath,
                          std::string_view documentBytes, std::string& problem) {
    if (documentPath.size() > kMaxPathBytes) {
        problem = "the document's path is too long";
        return false;
    }
    if (!MakeOwnFolder(problem)) {
        return false;
    }
    // A file elsewhere (one that could not be adopted, or in a folder someone
    // removed) is replaced by one of this program's own.
    const std::string target = IsOwnFile(file) ? file : NewOwnFile();
    std::string header(kMagic, sizeof kMagic);
    header += static_cast<char>(kVersion);
    AppendUint32(header, static_cast<uint32_t>(documentPath.size()));
    header += documentPath;
    AtomicFileWriter writer;
    if (!writer.Open(target) || !writer.Write(header) || !writer.Write(documentBytes) ||
        !writer.Commit()) {
        problem = std::strerror(writer.Error() != 0 ? writer.Error() : EIO);
        return false;
    }
    if (target != file) {
        if (!file.empty()) {
            RemoveFile(file);
        }
        file = target;
    }
    return true;
}

void RecoveryStore::Remove(const std::string& file) {
    if (!file.empty()) {
        RemoveFile(file);
    }
}

std::vector<std::string> RecoveryStore::ClaimLeftFiles() {
    std::vector<std::string> files;
    for (const DirectoryEntry& entry : Entries(root_)) {
        const std::string folder = root_ + "/" + entry.name;
        if (!entry.isFolder || entry.name.starts_with('.') || folder == ownFolder_) {
            continue;
        }
        Claim claim{folder, FileLock()};
        const FileLock::Result result =
            claim.lock.TryLock(folder + "/" + kLockFileName, /*create=*/false);
        // A folder without its lock file is being made right now: its owner
        // locks it before writing anything into it.
        const bool ownerIsGone =
            result == FileLock::Result::Locked ||
            (result == FileLock::Result::Failed && OwnerProcessIsGone(entry.name));
        if (!ownerIsGone) {
            continue;
        }
        std::vector<std::string> left = RecoveryFilesIn(folder);
        if (left.empty()) {
            RemoveFolderIfUnused(folder);
            continue;
        }
        files.insert(files.end(), left.begin(), left.end());
        claims_.push_back(std::move(claim));
    }
    return files;
}

std::string RecoveryStore::Adopt(const std::string& file) {
    std::string problem;
    if (!MakeOwnFolder(problem)) {
        return file;
    }
    const std::string adopted = NewOwnFile();
    return RenamePath(file, adopted) ? adopted : file;
}

void RecoveryStore::ReleaseClaims() {
    for (Claim& claim : claims_) {
        RemoveFolderIfUnused(claim.folder);
    }
    claims_.clear();
}

bool ReadRecoveryFile(const std::string& file, std::string& documentPath,
                      std::string& documentBytes) {
    std::string bytes;
    if (!ReadWholeFile(file, bytes, kHeaderSize + kMaxPathBytes + kMaxPaperFileBytes) ||
        bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0 ||
        static_cast<uint8_t>(bytes[sizeof kMagic]) != kVersion) {
        return false;
    }
    uint32_t pathSize = 0;
    for (int i = 0; i < 4; ++i) {
        pathSize |= uint32_t{static_cast<uint8_t>(bytes[sizeof kMagic + 1 + i])} << (8 * i);
    }
    if (pathSize > kMaxPathBytes || pathSize > bytes.size() - kHeaderSize) {
        return false;
    }
    documentPath = bytes.substr(kHeaderSize, pathSize);
    // The document is what is left; the loader checks its size and content.
    bytes.erase(0, kHeaderSize + pathSize);
    documentBytes = std::move(bytes);
    return true;
}
