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

// Replaces the file at `path` with `bytes`, whole or not at all: the bytes go to
// a temporary file in the same folder, which is flushed to disk and renamed over
// the target. An existing file keeps its permissions; a symbolic link keeps
// pointing at the file it names, which is the one replaced. On any failure the
// temporary file is removed, the target is untouched and the result is false.
bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size);
inline bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    return WriteFileAtomically(path, bytes.data(), bytes.size());
}
