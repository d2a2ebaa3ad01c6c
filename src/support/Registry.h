#pragma once
// A small per-user store of named values under key paths, kept where Windows
// would keep them in the registry: here in "registry.conf" in the program's
// application-data folder, one section per key path and one line per value.

#include <cstdint>
#include <string>

enum class RegistryRoot {
    HKEY_CURRENT_USER,
};

enum class RegistryKind : uint32_t {
    String = 0,
    Number = 1, // 32-bit
    Binary = 2,
};

struct RegistryValue {
    RegistryKind kind = RegistryKind::String;
    uint32_t length = 0; // bytes of `bytes`; 4 for a number
    std::string bytes;   // the string or binary data, exactly `length` bytes
    uint32_t number = 0; // the value of a Number
};

// False when the key or value is missing, or the stored line is damaged.
bool ReadRegistryValue(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                       RegistryValue& value);
// Creates the key when needed. The file is replaced atomically; false on any failure.
bool WriteRegistryValue(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                        const RegistryValue& value);

// Where the values are kept.
std::string GetRegistryFilePath();
