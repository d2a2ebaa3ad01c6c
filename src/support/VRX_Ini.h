#pragma once
// The small INI dialect of the settings file: a reader over text in memory and
// a writer that rewrites the file whole for every value it sets.
//
// Lines end at line feeds; carriage returns are ignored, tabs count as blanks
// and runs of blanks as one. "[name]" starts a section; "key = value" lines
// belong to the section above them. Section names and keys ignore case. There
// are no comments, quotes or escapes.
//
// The readers hold `iniLock` (private to VRX_Ini.cpp) for their whole run, so readers
// on different threads never interleave; it is re-entrant, which lets
// IniGetInt hold it around IniGetString. The writer takes no lock.

#include <cstddef>
#include <cstdint>
#include <string>

// The writer refuses files larger than this rather than reading them whole.
constexpr uint64_t kIniMaxFileBytes = 16 * 1024 * 1024;

// Finds `key` in `section` (both compared ignoring case). Returns `buffer` holding
// the value (cut to bufferSize - 1 bytes), or holding `defaultValue` when the key
// is missing and a default is given, else null. The INI text may hold any bytes.
const char* IniGetString(const std::string& ini, const char* section, const char* key, char* buffer,
                         size_t bufferSize, const char* defaultValue);
// The value as a signed 64-bit decimal number (digits up to the first other
// character; none gives 0), or `defaultValue` when the key is missing.
int64_t IniGetInt(const std::string& ini, const char* section, const char* key,
                  int64_t defaultValue);
// Sets one value in the file at `path`; 0 on success, -1 on failure. A missing
// file is created. The file is replaced atomically, so on -1 it is as it was.
// An existing empty file, a file that cannot be read whole, and a section, key
// or value that would break the line structure (line breaks, '=' in the key,
// ']' in the section) give -1.
int IniSetString(const std::string& path, const char* section, const char* key, const char* value);
int IniSetInt(const std::string& path, const char* section, const char* key, int64_t value);

// The whole value of `key` in `section`, uncut; false when it is missing.
bool IniFindValue(const std::string& ini, const char* section, const char* key, std::string& value);
// The text IniSetString writes for `ini` with one value set: normalised lines,
// each ended by CR LF, the key replaced in place, inserted before the next
// section's header (followed by an empty line) or appended with its section.
std::string IniSetValueInText(const std::string& ini, const char* section, const char* key,
                              const char* value);

// True when `ini` reads as INI text: no NUL bytes, and every line a section
// header, a "key = value" line or blank.
bool IniTextIsSound(const std::string& ini);
// Clears the way for a fresh file when the one at `path` is empty, cannot be
// read whole, or is not INI text at all: an empty file is removed, anything
// else renamed to `path` + ".bad" (replacing an older one) for the user to
// look at. True when it was set aside.
bool IniSetAsideDamagedFile(const std::string& path);
