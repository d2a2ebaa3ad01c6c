#include "app/WindowGeometry.h"

#include "app/Editor.h"
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

// The strip the user grabs to move the window: if none of it is on a display,
// the window cannot be moved back by hand.
constexpr int32_t kTitleBarHeight = 30;

bool IsCentred(int32_t position) {
    return SDL_WINDOWPOS_ISCENTERED(position);
}

bool Overlaps(const SDL_Rect& a, int64_t x, int64_t y, int64_t w, int64_t h) {
    return x < int64_t{a.x} + a.w && int64_t{a.x} < x + w && y < int64_t{a.y} + a.h &&
           int64_t{a.y} < y + h;
}

// The display holding the window's title bar, or null when none does.
const SDL_Rect* DisplayOfTitleBar(const WindowGeometry& geometry,
                                  const std::vector<SDL_Rect>& areas) {
    for (const SDL_Rect& area : areas) {
        const int64_t x = IsCentred(geometry.x) ? area.x : geometry.x;
        const int64_t y = IsCentred(geometry.y) ? area.y : geometry.y;
        if (Overlaps(area, x, y, geometry.width, kTitleBarHeight)) {
            return &area;
        }
    }
    return nullptr;
}

int32_t ClampInto(int32_t position, int32_t size, int32_t start, int32_t length) {
    return static_cast<int32_t>(std::clamp<int64_t>(
        position, start, std::max<int64_t>(start, int64_t{start} + length - size)));
}

} // namespace

WindowGeometry FitToDisplays(WindowGeometry geometry, const std::vector<SDL_Rect>& usableAreas) {
    if (usableAreas.empty()) {
        return geometry;
    }
    const SDL_Rect* display = DisplayOfTitleBar(geometry, usableAreas);
    const bool offEveryDisplay = display == nullptr;
    if (offEveryDisplay) {
        display = &usableAreas.front();
    }
    geometry.width = std::min(geometry.width, std::max(1, display->w));
    geometry.height = std::min(geometry.height, std::max(1, display->h));
    if (offEveryDisplay) {
        if (!IsCentred(geometry.x)) {
            geometry.x = ClampInto(geometry.x, geometry.width, display->x, display->w);
        }
        if (!IsCentred(geometry.y)) {
            geometry.y = ClampInto(geometry.y, geometry.height, display->y, display->h);
        }
    }
    return geometry;
}

std::vector<SDL_Rect> UsableDisplayAreas() {
    std::vector<SDL_Rect> areas;
    const int count = SDL_GetNumVideoDisplays();
    for (int index = 0; index < count; ++index) {
        SDL_Rect area;
        if (SDL_GetDisplayUsableBounds(index, &area) == 0 && area.w > 0 && area.h > 0) {
            areas.push_back(area);
        }
    }
    return areas;
}

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
