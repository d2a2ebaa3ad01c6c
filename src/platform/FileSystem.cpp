#include "platform/FileSystem.h"

#include "platform/SystemRandom.h"

#include <cerrno>
#include <cinttypes>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Each try draws a fresh random name; ten collisions in a row mean something
// else is wrong with the folder.
constexpr int kTempNameTries = 10;
// rw for everyone, narrowed by the umask like any newly created file.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kNewFolderMode = 0777;
constexpr mode_t kPermissionBits = 07777;
constexpr const char* kTempSuffix = ".tmp";
constexpr size_t kTempRandomDigits = 16;
// A folder with more entries than this is not searched to the end for debris.
constexpr size_t kMaxEntriesScanned = 100000;

// ".NAME.0123456789abcdef.tmp", as CreateTempFile names them: the first eight
// digits are the writing process's id, the rest random. Gives the digits'
// value, or false for any other name.
bool ParseTemporaryFileName(const char* name, uint64_t& value) {
    const size_t length = std::strlen(name);
    const size_t suffix = std::strlen(kTempSuffix);
    // Dot, at least one character of the name, dot, the digits, the suffix.
    if (name[0] != '.' || length < 1 + 1 + 1 + kTempRandomDigits + suffix ||
        std::strcmp(name + length - suffix, kTempSuffix) != 0) {
        return false;
    }
    const char* digits = name + length - suffix - kTempRandomDigits;
    if (digits[-1] != '.') {
        return false;
    }
    value = 0;
    for (size_t i = 0; i < kTempRandomDigits; ++i) {
        const char c = digits[i];
        if (c >= '0' && c <= '9') {
            value = value * 16 + static_cast<uint64_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            value = value * 16 + static_cast<uint64_t>(c - 'a' + 10);
        } else {
            return false;
        }
    }
    return true;
}

// True when no process of that id runs here: its writes ended with it.
bool WriterIsGone(uint64_t digits) {
    const auto writer = static_cast<pid_t>(digits >> 32);
    return writer > 0 && writer != getpid() && kill(writer, 0) != 0 && errno == ESRCH;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The file a write to `path` should replace: a symbolic link is followed so
// that replacing does not turn the link into a plain file.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a new, empty file beside `target` and returns its descriptor, or -1.
int CreateTempFile(const std::string& target, std::string& tempPath) {
    const std::string folder = FolderOf(target);
    const size_t slash = target.rfind('/');
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < kTempNameTries; ++attempt) {
        uint32_t random = static_cast<uint32_t>(attempt);
        FillFromSystemRandom(&random, sizeof random);
        const uint64_t suffix = (static_cast<uint64_t>(getpid()) << 32) | random;
        char name[32];
        std::snprintf(name, sizeof name, "%016" PRIx64, suffix);
        tempPath = folder + "/." + base + "." + name + ".tmp";
        const int fd =
            open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool WriteAll(int fd, const void* bytes, size_t size) {
    const auto* next = static_cast<const uint8_t*>(bytes);
    while (size > 0) {
        const ssize_t written = write(fd, next, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        next += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Makes the rename itself durable; a failure here leaves a correct file behind,
// so it does not count as a failed write.
void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

} // namespace

bool CreateFolderWithParents(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    if (IsFolder(path)) {
        return true;
    }
    // Create each level from the root down; levels that exist are passed over.
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (mkdir(level.c_str(), kNewFolderMode) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (mkdir(path.c_str(), kNewFolderMode) != 0 && errno != EEXIST) {
        return false;
    }
    if (!IsFolder(path)) {
        errno = ENOTDIR; // a file stands where the folder should be
        return false;
    }
    return true;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0;
}

bool RemoveEmptyFolder(const std::string& path) {
    return rmdir(path.c_str()) == 0;
}

bool RenamePath(const std::string& from, const std::string& to) {
    return rename(from.c_str(), to.c_str()) == 0;
}

uint64_t FileSize(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || info.st_size < 0) {
        return 0;
    }
    return static_cast<uint64_t>(info.st_size);
}

std::string CanonicalFolderOf(const std::string& path) {
    const std::string folder = FolderOf(ResolveTarget(path));
    char resolved[PATH_MAX];
    if (realpath(folder.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return folder;
}

std::string AbsolutePath(const std::string& path) {
    if (path.empty() || path.front() == '/') {
        return path;
    }
    char working[PATH_MAX];
    if (getcwd(working, sizeof working) == nullptr) {
        return path;
    }
    const std::string folder = working;
    return folder.ends_with('/') ? folder + path : folder + "/" + path;
}

std::string LastSystemError() {
    return std::strerror(errno);
}

void RemoveStaleTemporaryFiles(const std::string& path, int64_t minAgeSeconds) {
    const std::string folder = FolderOf(ResolveTarget(path));
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    const time_t now = std::time(nullptr);
    size_t scanned = 0;
    while (const dirent* entry = readdir(listing)) {
        if (++scanned > kMaxEntriesScanned) {
            break;
        }
        uint64_t digits = 0;
        if (!ParseTemporaryFileName(entry->d_name, digits)) {
            continue;
        }
        const std::string candidate = folder + "/" + entry->d_name;
        struct stat info {};
        // Only regular files of our own, never one followed through a link.
        if (lstat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == geteuid() &&
            (WriterIsGone(digits) || now - info.st_mtime > minAgeSeconds)) {
            unlink(candidate.c_str());
        }
    }
    closedir(listing);
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool IsReadableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           access(path.c_str(), R_OK) == 0;
}

bool IsOtherThanAFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

AtomicFileWriter::~AtomicFileWriter() {
    Abandon();
}

void AtomicFileWriter::Fail() {
    if (error_ == 0) {
        error_ = errno != 0 ? errno : EIO;
    }
}

void AtomicFileWriter::Abandon() {
    const int savedErrno = errno;
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
    if (ignoringSizeSignal_) {
        std::signal(SIGXFSZ, previousSizeHandler_);
        ignoringSizeSignal_ = false;
    }
    errno = savedErrno;
}

bool AtomicFileWriter::Open(const std::string& path) {
    Abandon();
    failed_ = false;
    error_ = 0;
    if (path.empty()) {
        error_ = ENOENT;
        return false;
    }
    target_ = ResolveTarget(path);
    struct stat existing {};
    const bool exists = stat(target_.c_str(), &existing) == 0;
    // Refused as opening the file for writing would refuse it: a folder is in
    // the way, or the user has made the file read-only to keep it as it is.
    if (exists && S_ISDIR(existing.st_mode)) {
        error_ = EISDIR;
        return false;
    }
    if (exists && access(target_.c_str(), W_OK) != 0) {
        Fail();
        return false;
    }
    previousSizeHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ignoringSizeSignal_ = previousSizeHandler_ != SIG_ERR;
    fd_ = CreateTempFile(target_, temporary_);
    if (fd_ < 0) {
        Fail();
        temporary_.clear();
        Abandon();
        return false;
    }
    if (exists && S_ISREG(existing.st_mode)) {
        fchmod(fd_, existing.st_mode & kPermissionBits);
    }
    return true;
}

bool AtomicFileWriter::Write(const void* bytes, size_t size) {
    if (fd_ < 0 || failed_ || (bytes == nullptr && size > 0)) {
        failed_ = true;
        if (error_ == 0) {
            error_ = EBADF;
        }
        return false;
    }
    failed_ = !WriteAll(fd_, bytes, size);
    if (failed_) {
        Fail();
    }
    return !failed_;
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0 || failed_) {
        Abandon();
        return false;
    }
    bool ok = fsync(fd_) == 0;
    if (!ok) {
        Fail();
    }
    if (close(fd_) != 0 && ok) {
        Fail();
        ok = false;
    }
    fd_ = -1;
    if (ok && rename(temporary_.c_str(), target_.c_str()) != 0) {
        Fail();
        ok = false;
    }
    if (!ok) {
        Abandon();
        return false;
    }
    temporary_.clear();
    Abandon(); // restores the size signal
    SyncFolder(FolderOf(target_));
    return true;
}

bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size) {
    AtomicFileWriter file;
    return file.Open(path) && file.Write(bytes, size) && file.Commit();
}

bool ReadWholeFile(const std::string& path, std::string& text, uint64_t maximum) {
    text.clear();
    // Only regular files: opening a pipe or a device could wait forever.
    if (!IsReadableFile(path)) {
        return false;
    }
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
        return false;
    }
    const off_t size = ftello(file.get());
    if (size <= 0 || static_cast<uint64_t>(size) > maximum ||
        std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return false;
    }
    try {
        text.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const size_t got = std::fread(text.data(), 1, text.size(), file.get());
    // The size came from a seek; a file that shrank or grew meanwhile (or a
    // special file whose size means nothing) is not read whole.
    if (got != text.size() || std::fgetc(file.get()) != EOF) {
        text.clear();
        return false;
    }
    return true;
}
