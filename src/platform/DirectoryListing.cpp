#include "platform/DirectoryListing.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool ListDirectory(const std::string& folder, size_t maxEntries,
                   std::vector<DirectoryEntry>& entries, bool& truncated, std::string& error) {
    entries.clear();
    truncated = false;
    std::error_code code;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, code);
    if (code) {
        error = code.message();
        return false;
    }
    for (const fs::directory_iterator end; it != end; it.increment(code)) {
        if (entries.size() >= maxEntries) {
            truncated = true;
            break;
        }
        DirectoryEntry entry;
        entry.name = it->path().filename().string();
        std::error_code ignored;
        // Follows links, so a link to a folder can be entered like a folder.
        entry.isFolder = it->is_directory(ignored);
        if (!entry.isFolder) {
            const uintmax_t size = it->file_size(ignored);
            entry.size = ignored ? 0 : static_cast<uint64_t>(size);
        }
        entries.push_back(std::move(entry));
    }
    if (code) {
        // Whatever was read before the failure is still worth showing.
        error = code.message();
        return !entries.empty();
    }
    return true;
}

bool IsExistingFolder(const std::string& path) {
    std::error_code code;
    return !path.empty() && fs::is_directory(path, code);
}

bool IsExistingFile(const std::string& path) {
    std::error_code code;
    return !path.empty() && fs::exists(path, code) && !fs::is_directory(path, code);
}

std::string WorkingFolder() {
    std::error_code code;
    const fs::path path = fs::current_path(code);
    return code ? std::string() : path.string();
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? std::string(home) : std::string();
}

bool MakeFolder(const std::string& path, std::string& error) {
    std::error_code code;
    if (fs::create_directory(path, code)) {
        return true;
    }
    error = code ? code.message() : "A file or folder with that name already exists.";
    return false;
}
