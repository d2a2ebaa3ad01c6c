#pragma once
// Files and folders through the operating system, for what the standard
// library cannot promise: atomic replacement and permission checks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// True when `path` exists as a folder afterwards; missing parents are created too.
bool CreateFolderWithParents(const std::string& path);

// True when anything (file, folder, device) exists at `path`.
bool PathExists(const std::string& path);

// True when `path` is a regular file this process may open for reading.
bool IsReadableFile(const std::string& path);

// True when something other than a regular file (a folder, pipe or device) is at
// `path`, which a program must not open as its own file: a pipe would block.
bool IsOtherThanAFile(const std::string& path);

// Removes a file (not a folder); false when it could not be removed.
bool RemoveFile(const std::string& path);
// Removes an empty folder; false when it could not be removed (it is not empty, say).
bool RemoveEmptyFolder(const std::string& path);
// Renames a file or folder, replacing a file at `to`; false on failure.
bool RenamePath(const std::string& from, const std::string& to);
// The size of the file at `path`, 0 when there is none.
uint64_t FileSize(const std::string& path);

// The folder holding the file `path` names (after following a symbolic link to
// the file), as an absolute path without symbolic links; the folder as given
// when it cannot be resolved.
std::string CanonicalFolderOf(const std::string& path);

// `path` made absolute against the working folder, links left as they are; as
// given when the working folder is unknown.
std::string AbsolutePath(const std::string& path);

// A sentence-case description of the last failed system call ("Permission
// denied"), for messages.
std::string LastSystemError();

// Removes the temporary files AtomicFileWriter left beside `path` in an earlier
// run that was killed mid-write: those whose writing process has ended, and
// any older than `minAgeSeconds` (a writer on another machine sharing the
// folder cannot be asked), so that a write still under way is not disturbed.
void RemoveStaleTemporaryFiles(const std::string& path, int64_t minAgeSeconds);

// A file replaced whole or not at all. Open makes a new temporary file beside
// the target, Write appends to it, and Commit flushes it to disk and renames it
// over the target; until then the target is untouched. A writer that goes away
// without a successful Commit removes its temporary file. A symbolic link keeps
// pointing at the file it names, which is the one replaced, and an existing
// file keeps its permissions. While a writer is open the file size limit's
// signal is ignored, so that a file growing past the limit fails its write
// instead of ending the program with its temporary file left behind.
class AtomicFileWriter {
  public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the file cannot be written at all: its folder is missing or
    // closed to us, or a folder or a file we may not write stands at `path`.
    bool Open(const std::string& path);
    // False once a write has failed (a full disk, say); later writes do nothing.
    bool Write(const void* bytes, size_t size);
    bool Write(std::string_view bytes) { return Write(bytes.data(), bytes.size()); }
    // False when the file could not be completed; the target is then as it was.
    bool Commit();
    // The system's error number of the first failure, 0 when none.
    int Error() const { return error_; }

  private:
    void Abandon();
    void Fail();

    int fd_ = -1;
    int error_ = 0;
    bool ignoringSizeSignal_ = false;
    void (*previousSizeHandler_)(int) = nullptr;
    bool failed_ = false;
    std::string target_;
    std::string temporary_;
};

// Replaces the file at `path` with `bytes` through an AtomicFileWriter; false on
// any failure, the target then untouched.
bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size);
inline bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, bytes.data(), bytes.size());
}

// Reads the whole file as bytes. False when it is no readable regular file, is
// empty, is larger than `maximum` bytes, or cannot be read whole.
bool ReadWholeFile(const std::string& path, std::string& text, uint64_t maximum);
