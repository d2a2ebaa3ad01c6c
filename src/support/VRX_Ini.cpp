#include "support/VRX_Ini.h"

#include "platform/DirectoryListing.h"
#include "platform/FileSystem.h"
#include "support/VRX_Mutex.h"
#include "support/VRX_Paths.h"

#include <cstdio>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

namespace {

// One reader or writer of settings files at a time in the process.
VRX_Mutex_Win32Mutex iniLock(kVrxLockTimeoutMs);

// Room for any 64-bit number in decimal with its sign.
constexpr size_t kIniNumberBufferSize = 64;
constexpr const char* kLineEnd = "\r\n";

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Carriage returns go, tabs become blanks and runs of blanks shrink to one;
// the text never grows.
std::string Normalise(const std::string& ini) {
    std::string text;
    text.reserve(ini.size());
    for (char c : ini) {
        if (c == '\r') {
            continue;
        }
        if (c == '\t') {
            c = ' ';
        }
        if (c == ' ' && !text.empty() && text.back() == ' ') {
            continue;
        }
        text += c;
    }
    return text;
}

// The non-empty lines of normalised text; they point into `text`.
std::vector<std::string_view> SplitLines(const std::string& text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end > start) {
            lines.emplace_back(text.data() + start, end - start);
        }
        start = end + 1;
    }
    return lines;
}

bool IsHeader(std::string_view line) {
    return line.starts_with('[') && line.find(']') != std::string_view::npos;
}

bool IsHeaderOf(std::string_view line, std::string_view section) {
    return line.size() >= section.size() + 2 && line.front() == '[' &&
           EqualIgnoringCase(line.substr(1, section.size()), section) &&
           line[section.size() + 1] == ']';
}

// Splits a value line at its first '='; false for lines without one.
bool SplitValueLine(std::string_view line, std::string_view& key, std::string_view& value) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return false;
    }
    key = TrimBlanks(line.substr(0, equals));
    value = TrimBlanks(line.substr(equals + 1));
    return true;
}

// Sign and decimal digits up to the first other character; saturates instead
// of overflowing on absurdly long numbers.
int64_t ParseInt64(const char* text) {
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    constexpr uint64_t kMagnitudeLimit =
        static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + 1;
    uint64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const auto digit = static_cast<uint64_t>(*text - '0');
        if (magnitude > (kMagnitudeLimit - digit) / 10) {
            magnitude = kMagnitudeLimit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (negative) {
        return magnitude == kMagnitudeLimit ? std::numeric_limits<int64_t>::min()
                                            : -static_cast<int64_t>(magnitude);
    }
    return magnitude >= kMagnitudeLimit ? std::numeric_limits<int64_t>::max()
                                        : static_cast<int64_t>(magnitude);
}

void CopyCut(char* buffer, size_t bufferSize, std::string_view text) {
    const size_t n = text.size() < bufferSize - 1 ? text.size() : bufferSize - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// A line break in any part, an '=' in the key or a ']' in the section name
// would change the structure of the file and make the value unreadable.
bool CanBeWritten(const char* section, const char* key, const char* value) {
    if (section == nullptr || key == nullptr || value == nullptr) {
        return false;
    }
    const auto hasLineBreak = [](const char* text) { return std::strpbrk(text, "\r\n"); };
    return !hasLineBreak(section) && !hasLineBreak(key) && !hasLineBreak(value) &&
           std::strchr(key, '=') == nullptr && std::strchr(section, ']') == nullptr;
}

} // namespace

bool IniFindValue(const std::string& ini, const char* section, const char* key,
                  std::string& value) {
    if (section == nullptr || key == nullptr) {
        return false;
    }
    VRX_ScopedLock hold(&iniLock);
    const std::string text = Normalise(ini);
    bool inSection = false;
    for (std::string_view line : SplitLines(text)) {
        std::string_view lineKey;
        std::string_view lineValue;
        if (inSection && IsHeader(line)) {
            inSection = false;
        } else if (inSection && SplitValueLine(line, lineKey, lineValue)) {
            if (EqualIgnoringCase(lineKey, key)) {
                value.assign(lineValue);
                return true;
            }
        } else if (!inSection && IsHeaderOf(line, section)) {
            inSection = true;
        }
    }
    return false;
}

const char* IniGetString(const std::string& ini, const char* section, const char* key, char* buffer,
                         size_t bufferSize, const char* defaultValue) {
    if (buffer == nullptr || bufferSize == 0) {
        return nullptr;
    }
    VRX_ScopedLock hold(&iniLock);
    std::memset(buffer, 0, bufferSize);
    std::string value;
    if (IniFindValue(ini, section, key, value)) {
        CopyCut(buffer, bufferSize, value);
        return buffer;
    }
    if (defaultValue != nullptr) {
        CopyCut(buffer, bufferSize, defaultValue);
        return buffer;
    }
    return nullptr;
}

int64_t IniGetInt(const std::string& ini, const char* section, const char* key,
                  int64_t defaultValue) {
    VRX_ScopedLock hold(&iniLock);
    char buffer[kIniNumberBufferSize];
    if (IniGetString(ini, section, key, buffer, sizeof buffer, nullptr) == nullptr) {
        return defaultValue;
    }
    return ParseInt64(buffer);
}

std::string IniSetValueInText(const std::string& ini, const char* section, const char* key,
                              const char* value) {
    const std::string text = Normalise(ini);
    const std::string keyLine = std::string(key) + "=" + value + kLineEnd;
    std::string out;
    out.reserve(text.size() + keyLine.size() + std::strlen(section) + sizeof "[]\r\n");
    bool inSection = false;
    bool written = false;
    for (std::string_view line : SplitLines(text)) {
        std::string_view lineKey;
        std::string_view lineValue;
        if (inSection && IsHeader(line)) {
            // The key was not in its section: it goes at the section's end,
            // with an empty line to set it apart from the next one.
            if (!written) {
                out += keyLine;
                out += kLineEnd;
                written = true;
            }
            inSection = false;
        } else if (inSection && SplitValueLine(line, lineKey, lineValue) &&
                   EqualIgnoringCase(lineKey, key)) {
            out += keyLine;
            written = true;
            continue;
        } else if (!inSection && IsHeaderOf(line, section)) {
            inSection = true;
        }
        out += line;
        out += kLineEnd;
    }
    if (!written) {
        if (!inSection) {
            out += std::string("[") + section + "]" + kLineEnd;
        }
        out += keyLine;
    }
    return out;
}

int IniSetString(const std::string& path, const char* section, const char* key, const char* value) {
    if (!CanBeWritten(section, key, value)) {
        return -1;
    }
    std::string ini;
    if (PathExists(path) && !ReadWholeFile(path, ini, kIniMaxFileBytes)) {
        // Unreadable, too large or empty: replacing it could destroy what the
        // user keeps there, so the file stays as it is.
        return -1;
    }
    return WriteFileAtomically(path, IniSetValueInText(ini, section, key, value)) ? 0 : -1;
}

bool IniTextIsSound(const std::string& ini) {
    if (ini.find('\0') != std::string::npos) {
        return false;
    }
    const std::string text = Normalise(ini);
    for (std::string_view line : SplitLines(text)) {
        line = TrimBlanks(line);
        const bool header =
            !line.empty() && line.front() == '[' && line.find(']') != std::string_view::npos;
        if (!line.empty() && !header && line.find('=') == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool IniSetAsideDamagedFile(const std::string& path) {
    if (!PathExists(path)) {
        return false;
    }
    std::string ini;
    const bool readable = !IsOtherThanAFile(path) && ReadWholeFile(path, ini, kIniMaxFileBytes);
    if (readable && IniTextIsSound(ini)) {
        return false;
    }
    const std::string aside = path + ".bad";
    if (IsExistingFile(path) && FileSize(path) == 0) {
        return RemoveFile(path);
    }
    // Whatever it holds stays where the user can look at it.
    if (IsExistingFile(aside)) {
        RemoveFile(aside);
    }
    return RenamePath(path, aside);
}

int IniSetInt(const std::string& path, const char* section, const char* key, int64_t value) {
    char buffer[kIniNumberBufferSize];
    std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    return IniSetString(path, section, key, buffer);
}
