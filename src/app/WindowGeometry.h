#pragma once
// The window's position and size, kept in the settings file between runs.

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Rect;

constexpr int32_t kMinWindowWidth = 1024;
constexpr int32_t kMinWindowHeight = 768;
// The settings file is a handful of lines; anything larger is not ours to read.
constexpr uint64_t kMaxSettingsFileSize = 1024 * 1024;

struct WindowGeometry {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// The path of "settings.conf" in the application-data folder.
std::string SettingsFilePath();

// The geometry stored in the settings text: positions as stored (SDL's centred
// value when missing), sizes raised to at least 1024 x 768.
WindowGeometry ParseWindowGeometry(const std::string& settings);
// Moves and cuts `geometry` so that the window can be used on the displays whose
// usable areas are given: a window lying wholly off every display (a monitor
// that was unplugged, a hand-edited file) comes back with its title bar on the
// first one, and a size larger than its display's usable area is cut to it.
// Centred positions stay centred. With no display known nothing changes.
WindowGeometry FitToDisplays(WindowGeometry geometry, const std::vector<SDL_Rect>& usableAreas);
// The usable areas of the connected displays, the first display first.
std::vector<SDL_Rect> UsableDisplayAreas();
// The geometry from the settings file, or the defaults when it cannot be read.
WindowGeometry ReadWindowGeometry(const std::string& path);
// Writes the four values into section "window" of the settings file; failures
// are ignored, the next start then uses the defaults.
void WriteWindowGeometry(const std::string& path, const WindowGeometry& geometry);
