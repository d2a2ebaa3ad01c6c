#include "app/WindowGeometry.h"

#include "app/AppState.h"
#include "support/VRX_Ini.h"
#include "support/VRX_Paths.h"

#include <SDL2/SDL_video.h>

#include <algorithm>
#include <limits>

namespace {

constexpr const char* kSettingsFileName = "settings.conf";
constexpr const char* kWindowSection = "window";
constexpr const char* kKeyX = "last_x";
constexpr const char* kKeyY = "last_y";
constexpr const char* kKeyWidth = "last_w";
constexpr const char* kKeyHeight = "last_h";
// A hand-edited or damaged file must not ask for a window that cannot be
// allocated (the software renderer keeps a whole frame in memory).
constexpr int64_t kMaxWindowSide = 8192;

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t WindowSide(int64_t stored, int32_t minimum) {
    return static_cast<int32_t>(std::clamp<int64_t>(stored, minimum, kMaxWindowSide));
}

} // namespace

std::string SettingsFilePath() {
    return GetAppDataPath(kProductName, kSettingsFileName);
}

WindowGeometry ParseWindowGeometry(const std::string& settings) {
    const auto get = [&settings](const char* key, int64_t fallback) {
        return IniGetInt(settings, kWindowSection, key, fallback);
    };
    return WindowGeometry{
        ClampToInt32(get(kKeyX, SDL_WINDOWPOS_CENTERED)),
        ClampToInt32(get(kKeyY, SDL_WINDOWPOS_CENTERED)),
        WindowSide(get(kKeyWidth, 0), kMinWindowWidth),
        WindowSide(get(kKeyHeight, 0), kMinWindowHeight),
    };
}

WindowGeometry ReadWindowGeometry(const std::string& path) {
    std::string settings;
    if (!ReadWholeFile(path, settings, kMaxSettingsFileSize)) {
        return WindowGeometry{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kMinWindowWidth,
                              kMinWindowHeight};
    }
    return ParseWindowGeometry(settings);
}

void WriteWindowGeometry(const std::string& path, const WindowGeometry& geometry) {
    // The writer keeps a file it cannot make sense of as it is, so a damaged
    // one would otherwise never be replaced and the window never remembered.
    IniSetAsideDamagedFile(path);
    IniSetInt(path, kWindowSection, kKeyX, geometry.x);
    IniSetInt(path, kWindowSection, kKeyY, geometry.y);
    IniSetInt(path, kWindowSection, kKeyWidth, geometry.width);
    IniSetInt(path, kWindowSection, kKeyHeight, geometry.height);
}
