#pragma once
// A lock on a file that the system lets go of when its holder ends, however it
// ends (a crash or SIGKILL included), so that another program can tell whether
// the holder still runs. Two locks on one file exclude each other even within
// one process.

#include <string>

class FileLock {
  public:
    enum class Result {
        Locked,      // this object holds the lock now
        HeldByOther, // a running holder has it
        Missing,     // there is no such file (and none was to be made)
        Failed,      // the file cannot be opened or the system cannot lock it
    };

    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of the file at `path` without waiting, first making the
    // file when `create` is set. Any lock this object held is let go first.
    Result TryLock(const std::string& path, bool create);
    void Release();
    bool IsHeld() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};
