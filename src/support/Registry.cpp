#include "support/Registry.h"

#include "platform/FileSystem.h"
#include "support/Product.h"
#include "support/VRX_Ini.h"
#include "support/VRX_Paths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

constexpr const char* kRegistryFileName = "registry.conf";
// Each stored line starts with its kind, so a number is never read as a string.
constexpr std::string_view kStringPrefix = "s:";
constexpr std::string_view kNumberPrefix = "n:";
constexpr std::string_view kBinaryPrefix = "b:";
constexpr char kEscape = '%';
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kHexBase = 16;
constexpr unsigned char kFirstNonAscii = 0x7F; // DEL, then the bytes above ASCII
constexpr size_t kMaxNumberDigits = 10;        // 4294967295

// Percent-encodes every byte the settings-file reader would alter or read as
// structure (blanks, control characters, '=', brackets), every non-ASCII byte
// and the escape itself, so values of any bytes come back unchanged.
std::string Encode(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= kFirstNonAscii || c == kEscape || c == '=' || c == '[' ||
            c == ']') {
            text += kEscape;
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0x0F];
        } else {
            text += c;
        }
    }
    return text;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool Decode(std::string_view text, std::string& bytes) {
    bytes.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != kEscape) {
            bytes += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return false;
        }
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes += static_cast<char>(high * kHexBase + low);
        i += 2;
    }
    return true;
}

bool DecodeNumber(std::string_view text, uint32_t& number) {
    if (text.empty() || text.size() > kMaxNumberDigits) {
        return false;
    }
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > UINT32_MAX) {
        return false;
    }
    number = static_cast<uint32_t>(value);
    return true;
}

bool DecodeLine(std::string_view line, RegistryValue& value) {
    RegistryValue decoded;
    if (line.starts_with(kNumberPrefix)) {
        decoded.kind = RegistryKind::Number;
        decoded.length = sizeof decoded.number;
        if (!DecodeNumber(line.substr(kNumberPrefix.size()), decoded.number)) {
            return false;
        }
    } else if (line.starts_with(kStringPrefix) || line.starts_with(kBinaryPrefix)) {
        decoded.kind =
            line.starts_with(kStringPrefix) ? RegistryKind::String : RegistryKind::Binary;
        if (!Decode(line.substr(kStringPrefix.size()), decoded.bytes) ||
            decoded.bytes.size() > UINT32_MAX) {
            return false;
        }
        decoded.length = static_cast<uint32_t>(decoded.bytes.size());
    } else {
        return false;
    }
    value = std::move(decoded);
    return true;
}

bool EncodeLine(const RegistryValue& value, std::string& line) {
    switch (value.kind) {
    case RegistryKind::Number:
        line = std::string(kNumberPrefix) + std::to_string(value.number);
        return true;
    case RegistryKind::String:
    case RegistryKind::Binary:
        if (value.length > value.bytes.size()) {
            return false;
        }
        line = std::string(value.kind == RegistryKind::String ? kStringPrefix : kBinaryPrefix) +
               Encode(std::string_view(value.bytes).substr(0, value.length));
        return true;
    }
    return false;
}

// The file's text; an absent or empty file is an empty store. False when the
// file exists but cannot be read whole, so that it is never overwritten blind.
bool ReadStore(const std::string& path, std::string& text) {
    text.clear();
    if (!PathExists(path)) {
        return true;
    }
    std::error_code error;
    if (std::filesystem::file_size(path, error) == 0 && !error) {
        return true;
    }
    return ReadWholeFile(path, text, kIniMaxFileBytes);
}

} // namespace

std::string GetRegistryFilePath() {
    return GetAppDataPath(kProductName, kRegistryFileName);
}

// Only the current user's values exist, so the root needs no place in the file.
bool ReadRegistryValue(RegistryRoot /*root*/, const std::string& keyPath,
                       const std::string& valueName, RegistryValue& value) {
    std::string text;
    std::string line;
    return ReadStore(GetRegistryFilePath(), text) &&
           IniFindValue(text, Encode(keyPath).c_str(), Encode(valueName).c_str(), line) &&
           DecodeLine(line, value);
}

bool WriteRegistryValue(RegistryRoot /*root*/, const std::string& keyPath,
                        const std::string& valueName, const RegistryValue& value) {
    const std::string path = GetRegistryFilePath();
    std::string text;
    std::string line;
    if (!EncodeLine(value, line) || !ReadStore(path, text)) {
        return false;
    }
    return WriteFileAtomically(path, IniSetValueInText(text, Encode(keyPath).c_str(),
                                                       Encode(valueName).c_str(), line.c_str()));
}
