#include "app/ResourcePath.h"

#include "app/Editor.h"
#include "app/PhysfsRWops.h"
#include "support/VRX_Paths.h"

#include <SDL2/SDL.h>
#include <physfs.h>

#include <filesystem>
#include <memory>

namespace {

constexpr const char* kUserResourcesFolder = "user_resources";
constexpr const char* kResourcesFolder = "resources";
constexpr const char* kResourcesArchive = "resources.zip";
// An installed program lives in PREFIX/bin and its resources in PREFIX/share/tessellon.
constexpr const char* kInstalledResources = "../share/tessellon";

bool ExistsOnDisk(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Appends those of the candidates that exist; true when at least one did.
bool AddExisting(std::vector<std::string>& locations, const std::vector<std::string>& candidates) {
    bool any = false;
    for (const std::string& candidate : candidates) {
        if (ExistsOnDisk(candidate)) {
            locations.push_back(candidate);
            any = true;
        }
    }
    return any;
}

std::string ExecutableFolder() {
    std::unique_ptr<char, decltype(&SDL_free)> basePath(SDL_GetBasePath(), SDL_free);
    return basePath != nullptr ? std::string(basePath.get()) : std::string();
}

} // namespace

std::vector<std::string> ShippedResourceCandidates(const std::string& basePath) {
    // Without "..", so that log lines and PhysicsFS see the plain folder name.
    const std::string installed =
        (std::filesystem::path(basePath) / kInstalledResources).lexically_normal().string();
    return {installed, basePath + kResourcesFolder, basePath + kResourcesArchive};
}

std::vector<std::string> FindResourceLocations(const std::string& userResources,
                                               const std::string& basePath) {
    std::vector<std::string> locations;
    AddExisting(locations, {userResources});
    const bool besideProgram =
        !basePath.empty() && AddExisting(locations, ShippedResourceCandidates(basePath));
    if (!besideProgram) {
        AddExisting(locations, {kResourcesFolder, kResourcesArchive});
    }
    return locations;
}

void SetUpResourceSearchPath() {
    // An installed program's fonts are links to the system's font packages, so
    // that security updates of the fonts reach it; PhysicsFS refuses links unless told.
    PHYSFS_permitSymbolicLinks(1);
    const std::string userResources = GetAppDataPath(kProductName, kUserResourcesFolder);
    for (const std::string& location : FindResourceLocations(userResources, ExecutableFolder())) {
        if (PHYSFS_mount(location.c_str(), nullptr, 1) == 0) {
            SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "Couldn't add %s to the resources: %s",
                        location.c_str(), PhysfsLastError());
        }
    }
}
