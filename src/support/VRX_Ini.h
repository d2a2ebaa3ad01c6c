#pragma once
// The small INI dialect of the settings file: a reader over text in memory and
// a writer that rewrites the file whole for every value it sets.

#include <cstddef>
#include <cstdint>
#include <string>

// Finds `key` in `section` (both compared ignoring case). Returns `buffer` holding
// the value (cut to bufferSize - 1 bytes), or holding `defaultValue` when the key
// is missing and a default is given, else null. The INI text may hold any bytes.
const char* IniGetString(const std::string& ini, const char* section, const char* key, char* buffer,
                         size_t bufferSize, const char* defaultValue);
// The value as a signed 64-bit decimal number (digits up to the first other
// character; none gives 0), or `defaultValue` when the key is missing.
int64_t IniGetInt(const std::string& ini, const char* section, const char* key,
                  int64_t defaultValue);
// Sets one value in the file at `path`; 0 on success, -1 on failure.
int IniSetString(const std::string& path, const char* section, const char* key, const char* value);
int IniSetInt(const std::string& path, const char* section, const char* key, int64_t value);
