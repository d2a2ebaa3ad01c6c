#pragma once
// What the file dialogs ask of the file system: folder listings, whether a
// path is a file or a folder, the working and home folders, and making a
// folder.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct DirectoryEntry {
    std::string name;
    bool isFolder = false;
    uint64_t size = 0;
};

// Reads the entries of `folder` (without "." and ".."), at most `maxEntries`
// of them; `truncated` tells whether there were more. False with a readable
// reason in `error` when the folder cannot be read.
bool ListDirectory(const std::string& folder, size_t maxEntries,
                   std::vector<DirectoryEntry>& entries, bool& truncated, std::string& error);

bool IsExistingFolder(const std::string& path);
// True for an existing path that is not a folder.
bool IsExistingFile(const std::string& path);
// The process's working folder, empty when unknown.
std::string WorkingFolder();
// The user's home folder ($HOME), empty when unknown.
std::string HomeFolder();
// Makes one new folder. False with a readable reason when it fails or exists.
bool MakeFolder(const std::string& path, std::string& error);
