#include "app/ResourcePath.h"

#include "app/AppState.h"
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

bool ExistsOnDisk(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Appends those of the candidates that exist; true when at least one did.
bool AddExisting(std::vector<std::string>& locations,
                 std::initializer_list<std::string> candidates) {
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

std::vector<std::string> FindResourceLocations(const std::string& userResources,
                                               const std::string& basePath) {
    std::vector<std::string> locations;
    AddExisting(locations, {userResources});
    const bool besideProgram =
        !basePath.empty() &&
        AddExisting(locations, {basePath + kResourcesFolder, basePath + kResourcesArchive});
    if (!besideProgram) {
        AddExisting(locations, {kResourcesFolder, kResourcesArchive});
    }
    return locations;
}

void SetUpResourceSearchPath() {
    const std::string userResources = GetAppDataPath(kProductName, kUserResourcesFolder);
    for (const std::string& location : FindResourceLocations(userResources, ExecutableFolder())) {
        if (PHYSFS_mount(location.c_str(), nullptr, 1) == 0) {
            SDL_LogWarn(SDL_LOG_CATEGORY_APPLICATION, "Couldn't add %s to the resources: %s",
                        location.c_str(), PhysfsLastError());
        }
    }
}
