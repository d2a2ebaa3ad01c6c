#pragma once
// Runs the real program inside the test process, for tests of what the user sees
// and does: start it with arguments in a fresh temporary home, queue SDL input
// events, run passes of the real main loop, read back the drawn pixels and the
// files it wrote, and shut it down without ending the process.
//
//     AppHarness app;
//     app.WriteSettings("[window]\nlast_w=1300\n");
//     ASSERT_TRUE(app.Start());
//     app.Click(400, 300);
//     app.RunPasses(2);
//     EXPECT_EQ(app.PixelAt(10, 760), (SDL_Color{0, 128, 0, 255}));
//
// Input events are only queued; the next pass of the loop handles them, as in
// the running program. SDL's own mouse and keyboard state is not changed by
// queued events, except that key events also set SDL's modifier state.

#include "support/TempFolder.h"
#include "draw/SdlOwners.h"

#include <SDL2/SDL.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Comparison and gtest printing of SDL's colours "(r, g, b, a)" and points
// "(x, y)", so that EXPECT_EQ works on them. Defined here for every test.
bool operator==(const SDL_Color& a, const SDL_Color& b);
bool operator==(const SDL_Point& a, const SDL_Point& b);
void PrintTo(const SDL_Color& color, std::ostream* out);
void PrintTo(const SDL_Point& point, std::ostream* out);

// Writes test data, creating the folders on the way; reading a missing file gives "".
void WriteFile(const std::filesystem::path& path, const std::string& content);
std::string ReadFile(const std::filesystem::path& path);

class AppHarness {
  public:
    // Points HOME, XDG_CONFIG_HOME and XDG_STATE_HOME at a new temporary
    // folder; starts nothing.
    AppHarness();
    // Shuts the program down if it is still up (without the exit steps) and
    // restores the environment.
    ~AppHarness();
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    // --- The user's files ----------------------------------------------
    std::filesystem::path HomeFolder() const { return temp_.Path(); }
    // Where the program keeps settings.conf, tessellon.log and user_resources.
    std::filesystem::path ConfigFolder() const;
    void WriteConfigFile(const std::string& name, const std::string& content) const;
    std::string ReadConfigFile(const std::string& name) const;
    void WriteSettings(const std::string& text) const { WriteConfigFile("settings.conf", text); }
    std::string Settings() const { return ReadConfigFile("settings.conf"); }
    std::string LogText() const { return ReadConfigFile("tessellon.log"); }
    // Where the program keeps the recovery files of unsaved papers.
    std::filesystem::path RecoveryFolder() const;

    // --- Running --------------------------------------------------------
    // Starts the program as `tessellon args...` and sets framePeriodMs to 0, so
    // that passes do not sleep. True when start-up succeeded.
    bool Start(const std::vector<std::string>& args = {});
    int StartStatus() const { return startStatus_; }
    // Runs up to `count` passes; false when the loop ended before all were run.
    bool RunPasses(int count = 1);
    // Runs passes until the loop ends; false when it still runs after `maxPasses`.
    bool RunUntilQuit(int maxPasses = 100);
    // What the program does once its loop has ended: the exit steps (window
    // geometry to the settings file, log closed) and the shutdown.
    void Exit();
    // The shutdown alone, as after a failed start.
    void Shutdown();
    bool IsUp() const { return up_; }

    // --- Input (queued for the next pass) ------------------------------
    // Motion to (x, y); the buttons held down by MouseDown stay held.
    void MouseMove(int x, int y);
    void MouseDown(int x, int y, uint8_t button = SDL_BUTTON_LEFT, uint8_t clicks = 1);
    void MouseUp(int x, int y, uint8_t button = SDL_BUTTON_LEFT, uint8_t clicks = 1);
    // Motion to (x, y), then down and up there.
    void Click(int x, int y, uint8_t button = SDL_BUTTON_LEFT, uint8_t clicks = 1);
    // Two clicks, the second with a click count of 2.
    void DoubleClick(int x, int y);
    // Motion to `from`, down, motion to `to` in `steps` steps, up.
    void Drag(SDL_Point from, SDL_Point to, int steps = 4, uint8_t button = SDL_BUTTON_LEFT);
    // Positive dy scrolls away from the user (up), positive dx to the right.
    void Wheel(int dx, int dy);
    void KeyDown(SDL_Keycode key, uint16_t modifiers = KMOD_NONE);
    void KeyUp(SDL_Keycode key, uint16_t modifiers = KMOD_NONE);
    // Down, then up.
    void PressKey(SDL_Keycode key, uint16_t modifiers = KMOD_NONE);
    // Text input events, split at character borders into SDL's 31-byte pieces.
    void TypeText(const std::string& utf8);
    // The window's close button: SDL's quit request.
    void CloseWindow();
    void ResizeWindow(int width, int height);
    // Any other event; its window id is filled in.
    void Push(SDL_Event event);

    // --- Output ---------------------------------------------------------
    // A pixel of the frame last presented.
    SDL_Color PixelAt(int x, int y) const;
    // The whole frame last presented, as RGBA32.
    SurfacePtr Screenshot() const;
    // Writes the frame last presented as a PNG file (to look at it).
    bool SaveScreenshot(const std::filesystem::path& path) const;
    // The bounding box of the pixels in `area` of the last frame that `match`
    // accepts; empty (w and h 0) when there are none. Finds drawn text and marks.
    SDL_Rect BoundsOfPixels(const SDL_Rect& area,
                            const std::function<bool(const SDL_Color&)>& match) const;
    // How many pixels in `area` of the last frame have exactly `color`.
    int CountPixels(const SDL_Rect& area, const SDL_Color& color) const;
    SDL_Point WindowSize() const;
    SDL_Point WindowPosition() const;
    std::string WindowTitle() const;

  private:
    void PushButton(uint32_t type, int x, int y, uint8_t button, uint8_t clicks);
    void PushKey(uint32_t type, SDL_Keycode key, uint16_t modifiers);
    uint32_t WindowId() const;

    TempFolder temp_;
    std::string savedHome_;
    std::string savedConfigHome_;
    std::string savedStateHome_;
    bool hadHome_ = false;
    bool hadConfigHome_ = false;
    bool hadStateHome_ = false;
    std::vector<std::string> arguments_;
    bool up_ = false;
    int startStatus_ = -1;
    SDL_Point mouse_ = {0, 0};
    uint32_t heldButtons_ = 0;
};

// The outcome of running the program as a separate process (named apart from
// the platform layer's ProcessResult: one program may not hold two classes of
// one name).
struct ProgramRunResult {
    int exitStatus = -1; // -1 when it did not end normally (signal or time-out)
    bool timedOut = false;
};

// Runs `program args...` in `workingFolder` with HOME, XDG_CONFIG_HOME and
// XDG_STATE_HOME set to `home`, the dummy video driver and no display, so that no error box can
// wait for a user. Kills it after `timeoutMs`.
ProgramRunResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                            const std::filesystem::path& home,
                            const std::filesystem::path& workingFolder, int timeoutMs = 20000);
