#pragma once
// Per-user folders of the program and whole-file reading.

#include <cstdint>
#include <string>

// The product folder in the user's application-data location, ending in '/';
// created (with missing parents) when absent. See platform/ for where it lives.
std::string GetAppDataFolder(const char* name);
// GetAppDataFolder(name) followed directly by `file`.
std::string GetAppDataPath(const char* name, const char* file);
// The product folder inside the user's Documents, ending in '/'; created when absent.
std::string GetDocumentsFolder(const char* name);

// Reads the whole file as bytes. False when it is no readable regular file, is
// empty, is larger than `maximum` bytes, or cannot be read whole.
bool ReadWholeFile(const std::string& path, std::string& text, uint64_t maximum);
