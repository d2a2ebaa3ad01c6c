#pragma once
// The window's position and size, kept in the settings file between runs.

#include <cstdint>
#include <string>

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
// The geometry from the settings file, or the defaults when it cannot be read.
WindowGeometry ReadWindowGeometry(const std::string& path);
// Writes the four values into section "window" of the settings file; failures
// are ignored, the next start then uses the defaults.
void WriteWindowGeometry(const std::string& path, const WindowGeometry& geometry);
