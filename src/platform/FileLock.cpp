#include "platform/FileLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr mode_t kLockFileMode = 0600;

} // namespace

FileLock::FileLock(FileLock&& other) noexcept : fd_(other.fd_) {
    other.fd_ = -1;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileLock::Result FileLock::TryLock(const std::string& path, bool create) {
    Release();
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0);
    const int fd = open(path.c_str(), flags, kLockFileMode);
    if (fd < 0) {
        return errno == ENOENT ? Result::Missing : Result::Failed;
    }
    // flock, not fcntl: its locks belong to the open file, so a second lock
    // taken in the same process is refused as one of another process would be.
    int locked = 0;
    do {
        locked = flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return held ? Result::HeldByOther : Result::Failed;
    }
    fd_ = fd;
    return Result::Locked;
}

void FileLock::Release() {
    if (fd_ >= 0) {
        // Closing the only descriptor of the open file lets go of the lock.
        close(fd_);
        fd_ = -1;
    }
}
