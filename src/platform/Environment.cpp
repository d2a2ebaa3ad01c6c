#include "platform/Environment.h"

#include "platform/FileSystem.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

// user-dirs.dirs is a few lines; anything far larger is not the file we mean.
constexpr uint64_t kUserDirsMaxBytes = 64 * 1024;
constexpr std::string_view kDocumentsEntry = "XDG_DOCUMENTS_DIR";
constexpr std::string_view kHomeVariable = "$HOME";
// Room for most paths at the first try; longer ones double it until they fit.
constexpr size_t kExecutablePathGuess = 256;

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

// The file is written for the shell, which would undo backslash escapes.
std::string Unescape(std::string_view text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
        }
        result += text[i];
    }
    return result;
}

// One line of user-dirs.dirs: XDG_DOCUMENTS_DIR="$HOME/Documents" or an absolute
// path in quotes. Empty when the line is not a usable documents entry.
std::string ParseDocumentsEntry(std::string_view line, const std::string& home) {
    line = SkipBlanks(line);
    if (!line.starts_with(kDocumentsEntry)) {
        return {};
    }
    line = SkipBlanks(line.substr(kDocumentsEntry.size()));
    if (!line.starts_with('=')) {
        return {};
    }
    line = SkipBlanks(line.substr(1));
    const size_t closing = line.rfind('"');
    if (!line.starts_with('"') || closing == 0 || closing == std::string_view::npos) {
        return {};
    }
    const std::string value = Unescape(line.substr(1, closing - 1));
    if (value.starts_with(kHomeVariable)) {
        const std::string rest = value.substr(kHomeVariable.size());
        if (home.empty() || (!rest.empty() && rest.front() != '/')) {
            return {};
        }
        std::string base = home;
        if (base.ends_with('/') && rest.starts_with('/')) {
            base.pop_back();
        }
        return base + rest;
    }
    if (value.starts_with('/')) {
        return value;
    }
    return {};
}

std::string DocumentsFolderFromUserDirs(const std::string& home) {
    std::string text;
    if (!ReadWholeFile(GetUserConfigFolder() + "user-dirs.dirs", text, kUserDirsMaxBytes)) {
        return {};
    }
    std::string found;
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        // Later entries win, as they do when the shell sources the file.
        std::string entry = ParseDocumentsEntry(line, home);
        if (!entry.empty()) {
            found = std::move(entry);
        }
    }
    return found;
}

// "$variable/", else `homeFallback` in "$HOME/", else the executable's folder.
std::string XdgFolder(const char* variable, const char* homeFallback) {
    // Relative values are invalid by the XDG rules and would make the folder
    // depend on the working directory, so they count as missing.
    const std::string value = GetEnvironmentValue(variable);
    if (value.starts_with('/')) {
        return WithTrailingSlash(value);
    }
    const std::string home = GetEnvironmentValue("HOME");
    if (!home.empty()) {
        return WithTrailingSlash(home) + homeFallback;
    }
    return GetExecutableFolder();
}

} // namespace

std::string GetEnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string GetExecutableFolder() {
    std::vector<char> buffer(kExecutablePathGuess);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) {
            return "./";
        }
        if (static_cast<size_t>(n) < buffer.size()) {
            const std::string path(buffer.data(), static_cast<size_t>(n));
            const size_t slash = path.rfind('/');
            return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);
    }
}

uint32_t GetProcessId() {
    return static_cast<uint32_t>(getpid());
}

bool ProcessIsRunning(uint32_t processId) {
    if (processId == 0 || processId > static_cast<uint32_t>(std::numeric_limits<pid_t>::max())) {
        return false;
    }
    // A process we may not signal still runs.
    return kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

std::string GetUserConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config/");
}

std::string GetUserStateFolder() {
    return XdgFolder("XDG_STATE_HOME", ".local/state/");
}

std::string GetUserDocumentsFolder() {
    const std::string home = GetEnvironmentValue("HOME");
    const std::string fromUserDirs = DocumentsFolderFromUserDirs(home);
    if (!fromUserDirs.empty()) {
        return WithTrailingSlash(fromUserDirs);
    }
    if (!home.empty()) {
        return WithTrailingSlash(home) + "Documents/";
    }
    return GetExecutableFolder() + "Documents/";
}
