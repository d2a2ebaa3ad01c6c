#include "support/VRX_Paths.h"

#include "platform/Environment.h"
#include "platform/FileSystem.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// `base` ends in '/'. Creation failures are silent: later file operations in
// the folder fail and are reported by whoever attempts them.
std::string ProductFolder(const std::string& base, const char* name) {
    const std::string folder = base + (name != nullptr ? name : "");
    if (!PathExists(folder)) {
        CreateFolderWithParents(folder);
    }
    return folder + '/';
}

} // namespace

std::string GetAppDataFolder(const char* name) {
    return ProductFolder(GetUserConfigFolder(), name);
}

std::string GetAppDataPath(const char* name, const char* file) {
    return GetAppDataFolder(name) + (file != nullptr ? file : "");
}

std::string GetDocumentsFolder(const char* name) {
    return ProductFolder(GetUserDocumentsFolder(), name);
}

bool ReadWholeFile(const std::string& path, std::string& text, uint64_t maximum) {
    text.clear();
    // Only regular files: opening a pipe or a device could wait forever.
    if (!IsReadableFile(path)) {
        return false;
    }
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) {
        return false;
    }
    const off_t size = ftello(file.get());
    if (size <= 0 || static_cast<uint64_t>(size) > maximum ||
        std::fseek(file.get(), 0, SEEK_SET) != 0) {
        return false;
    }
    try {
        text.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const size_t got = std::fread(text.data(), 1, text.size(), file.get());
    // The size came from a seek; a file that shrank or grew meanwhile (or a
    // special file whose size means nothing) is not read whole.
    if (got != text.size() || std::fgetc(file.get()) != EOF) {
        text.clear();
        return false;
    }
    return true;
}
