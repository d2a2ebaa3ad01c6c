#pragma once
// Files and folders through the operating system, for what the standard
// library cannot promise: atomic replacement and permission checks.

#include <cstddef>
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

// A file replaced whole or not at all. Open makes a new temporary file beside
// the target, Write appends to it, and Commit flushes it to disk and renames it
// over the target; until then the target is untouched. A writer that goes away
// without a successful Commit removes its temporary file. A symbolic link keeps
// pointing at the file it names, which is the one replaced, and an existing
// file keeps its permissions.
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

  private:
    void Abandon();

    int fd_ = -1;
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
