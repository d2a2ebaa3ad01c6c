#pragma once
// Per-user folders of the program (and, from platform/FileSystem.h,
// whole-file reading).

#include "platform/FileSystem.h"

#include <cstdint>
#include <string>

// The product folder in the user's application-data location, ending in '/';
// created (with missing parents) when absent. See platform/ for where it lives.
std::string GetAppDataFolder(const char* name);
// GetAppDataFolder(name) followed directly by `file`.
std::string GetAppDataPath(const char* name, const char* file);
// The product folder inside the user's Documents, ending in '/'; created when absent.
std::string GetDocumentsFolder(const char* name);
