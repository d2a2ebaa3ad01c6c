#include "support/VRX_Paths.h"

#include "platform/Environment.h"
#include "platform/FileSystem.h"

namespace {

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
