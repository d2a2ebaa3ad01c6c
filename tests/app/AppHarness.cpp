#include "app/AppHarness.h"

#include "app/Editor.h"
#include "app/MainLoop.h"
#include "app/Shutdown.h"
#include "app/Startup.h"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <ostream>
#include <thread>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* kConfigFolderName = ".config";
constexpr const char* kStateFolderName = ".local/state";
constexpr const char* kProductFolderName = "Tessellon";
constexpr size_t kTextInputPiece = sizeof(SDL_TextInputEvent::text) - 1;

void SetOrUnset(const char* name, bool had, const std::string& value) {
    if (had) {
        setenv(name, value.c_str(), 1);
    } else {
        unsetenv(name);
    }
}

bool Remember(const char* name, std::string& value) {
    const char* current = std::getenv(name);
    if (current == nullptr) {
        return false;
    }
    value = current;
    return true;
}

// The length of the longest prefix of `text` of at most `limit` bytes that does
// not end inside a UTF-8 character.
size_t Utf8Prefix(const std::string& text, size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    size_t length = limit;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return length;
}

} // namespace

bool operator==(const SDL_Color& a, const SDL_Color& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
}

bool operator==(const SDL_Point& a, const SDL_Point& b) {
    return a.x == b.x && a.y == b.y;
}

void PrintTo(const SDL_Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

void PrintTo(const SDL_Color& color, std::ostream* out) {
    *out << "(" << int{color.r} << ", " << int{color.g} << ", " << int{color.b} << ", "
         << int{color.a} << ")";
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
    return ReadTestFile(path.string());
}

AppHarness::AppHarness() {
    hadHome_ = Remember("HOME", savedHome_);
    hadConfigHome_ = Remember("XDG_CONFIG_HOME", savedConfigHome_);
    hadStateHome_ = Remember("XDG_STATE_HOME", savedStateHome_);
    setenv("HOME", HomeFolder().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (HomeFolder() / kConfigFolderName).c_str(), 1);
    setenv("XDG_STATE_HOME", (HomeFolder() / kStateFolderName).c_str(), 1);
}

AppHarness::~AppHarness() {
    Shutdown();
    SetOrUnset("HOME", hadHome_, savedHome_);
    SetOrUnset("XDG_CONFIG_HOME", hadConfigHome_, savedConfigHome_);
    SetOrUnset("XDG_STATE_HOME", hadStateHome_, savedStateHome_);
}

std::filesystem::path AppHarness::ConfigFolder() const {
    return HomeFolder() / kConfigFolderName / kProductFolderName;
}

std::filesystem::path AppHarness::RecoveryFolder() const {
    return HomeFolder() / kStateFolderName / kProductFolderName / "recovery";
}

void AppHarness::WriteConfigFile(const std::string& name, const std::string& content) const {
    WriteFile(ConfigFolder() / name, content);
}

std::string AppHarness::ReadConfigFile(const std::string& name) const {
    return ReadFile(ConfigFolder() / name);
}

bool AppHarness::Start(const std::vector<std::string>& args) {
    // Without a display unless the caller chose a driver: a real X server would
    // add the pointer's own events to the ones the test queues.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    arguments_.clear();
    arguments_.push_back(TESSELLON_BINARY);
    arguments_.insert(arguments_.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments_) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    up_ = true;
    startStatus_ = StartUp(static_cast<int>(arguments_.size()), argv.data());
    editor->shell.framePeriodMs = 0;
    return startStatus_ == 0;
}

bool AppHarness::RunPasses(int count) {
    for (int pass = 0; pass < count; ++pass) {
        if (!RunMainLoopPass()) {
            return false;
        }
    }
    return true;
}

bool AppHarness::RunUntilQuit(int maxPasses) {
    return !RunPasses(maxPasses);
}

void AppHarness::Exit() {
    if (up_) {
        RunExitSteps();
        Shutdown();
    }
}

void AppHarness::Shutdown() {
    if (up_) {
        ShutdownProgram();
        up_ = false;
    }
}

uint32_t AppHarness::WindowId() const {
    return editor->shell.window.get() != nullptr ? SDL_GetWindowID(editor->shell.window.get()) : 0;
}

void AppHarness::Push(SDL_Event event) {
    switch (event.type) {
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPBEGIN:
    case SDL_DROPCOMPLETE:
        event.drop.windowID = WindowId();
        break;
    case SDL_WINDOWEVENT:
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    case SDL_TEXTEDITING:
    case SDL_TEXTINPUT:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL:
        // These kinds all keep the window id right after the time stamp.
        event.window.windowID = WindowId();
        break;
    default:
        break;
    }
    SDL_PushEvent(&event);
}

void AppHarness::MouseMove(int x, int y) {
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.state = heldButtons_;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = x - mouse_.x;
    event.motion.yrel = y - mouse_.y;
    mouse_ = {x, y};
    Push(event);
}

void AppHarness::PushButton(uint32_t type, int x, int y, uint8_t button, uint8_t clicks) {
    SDL_Event event = {};
    event.type = type;
    event.button.button = button;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    mouse_ = {x, y};
    Push(event);
}

void AppHarness::MouseDown(int x, int y, uint8_t button, uint8_t clicks) {
    heldButtons_ |= SDL_BUTTON(button);
    PushButton(SDL_MOUSEBUTTONDOWN, x, y, button, clicks);
}

void AppHarness::MouseUp(int x, int y, uint8_t button, uint8_t clicks) {
    heldButtons_ &= ~SDL_BUTTON(button);
    PushButton(SDL_MOUSEBUTTONUP, x, y, button, clicks);
}

void AppHarness::Click(int x, int y, uint8_t button, uint8_t clicks) {
    MouseMove(x, y);
    MouseDown(x, y, button, clicks);
    MouseUp(x, y, button, clicks);
}

void AppHarness::DoubleClick(int x, int y) {
    Click(x, y, SDL_BUTTON_LEFT, 1);
    MouseDown(x, y, SDL_BUTTON_LEFT, 2);
    MouseUp(x, y, SDL_BUTTON_LEFT, 2);
}

void AppHarness::Drag(SDL_Point from, SDL_Point to, int steps, uint8_t button) {
    MouseMove(from.x, from.y);
    MouseDown(from.x, from.y, button);
    for (int step = 1; step <= steps; ++step) {
        MouseMove(from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps);
    }
    MouseUp(to.x, to.y, button);
}

void AppHarness::Wheel(int dx, int dy) {
    SDL_Event event = {};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.x = dx;
    event.wheel.y = dy;
    event.wheel.preciseX = static_cast<float>(dx);
    event.wheel.preciseY = static_cast<float>(dy);
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Push(event);
}

void AppHarness::PushKey(uint32_t type, SDL_Keycode key, uint16_t modifiers) {
    SDL_SetModState(static_cast<SDL_Keymod>(modifiers));
    SDL_Event event = {};
    event.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    Push(event);
}

void AppHarness::KeyDown(SDL_Keycode key, uint16_t modifiers) {
    PushKey(SDL_KEYDOWN, key, modifiers);
}

void AppHarness::KeyUp(SDL_Keycode key, uint16_t modifiers) {
    PushKey(SDL_KEYUP, key, modifiers);
}

void AppHarness::PressKey(SDL_Keycode key, uint16_t modifiers) {
    KeyDown(key, modifiers);
    KeyUp(key, modifiers);
}

void AppHarness::TypeText(const std::string& utf8) {
    std::string rest = utf8;
    while (!rest.empty()) {
        const size_t length = Utf8Prefix(rest, kTextInputPiece);
        SDL_Event event = {};
        event.type = SDL_TEXTINPUT;
        std::memcpy(event.text.text, rest.data(), length);
        Push(event);
        rest.erase(0, length);
    }
}

void AppHarness::CloseWindow() {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

void AppHarness::ResizeWindow(int width, int height) {
    // SDL reports the change with a size event, as the window manager would.
    SDL_SetWindowSize(editor->shell.window.get(), width, height);
}

SDL_Color AppHarness::PixelAt(int x, int y) const {
    uint8_t rgba[4] = {};
    const SDL_Rect pixel = {x, y, 1, 1};
    SDL_RenderReadPixels(editor->shell.renderer.get(), &pixel, SDL_PIXELFORMAT_RGBA32, rgba,
                         sizeof rgba);
    return SDL_Color{rgba[0], rgba[1], rgba[2], rgba[3]};
}

SurfacePtr AppHarness::Screenshot() const {
    int width = 0;
    int height = 0;
    if (editor->shell.renderer.get() == nullptr ||
        SDL_GetRendererOutputSize(editor->shell.renderer.get(), &width, &height) != 0) {
        return nullptr;
    }
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32));
    if (surface != nullptr &&
        SDL_RenderReadPixels(editor->shell.renderer.get(), nullptr, SDL_PIXELFORMAT_RGBA32,
                             surface->pixels, surface->pitch) != 0) {
        surface.reset();
    }
    return surface;
}

bool AppHarness::SaveScreenshot(const std::filesystem::path& path) const {
    SurfacePtr surface = Screenshot();
    return surface != nullptr && IMG_SavePNG(surface.get(), path.c_str()) == 0;
}

namespace {

// Calls `visit` with every pixel of `area` (clipped to the frame).
void ForEachPixel(const SDL_Surface& frame, const SDL_Rect& area,
                  const std::function<void(int, int, const SDL_Color&)>& visit) {
    const SDL_Rect whole = {0, 0, frame.w, frame.h};
    SDL_Rect clipped;
    if (SDL_IntersectRect(&area, &whole, &clipped) != SDL_TRUE) {
        return;
    }
    const auto* pixels = static_cast<const uint8_t*>(frame.pixels);
    for (int y = clipped.y; y < clipped.y + clipped.h; ++y) {
        for (int x = clipped.x; x < clipped.x + clipped.w; ++x) {
            const uint8_t* p = pixels + y * frame.pitch + x * 4;
            visit(x, y, SDL_Color{p[0], p[1], p[2], p[3]});
        }
    }
}

} // namespace

SDL_Rect AppHarness::BoundsOfPixels(const SDL_Rect& area,
                                    const std::function<bool(const SDL_Color&)>& match) const {
    SurfacePtr frame = Screenshot();
    SDL_Rect bounds = {0, 0, 0, 0};
    if (frame == nullptr) {
        return bounds;
    }
    int left = INT32_MAX;
    int top = INT32_MAX;
    int right = -1;
    int bottom = -1;
    ForEachPixel(*frame, area, [&](int x, int y, const SDL_Color& color) {
        if (match(color)) {
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    });
    if (right >= 0) {
        bounds = {left, top, right - left + 1, bottom - top + 1};
    }
    return bounds;
}

int AppHarness::CountPixels(const SDL_Rect& area, const SDL_Color& color) const {
    SurfacePtr frame = Screenshot();
    int count = 0;
    if (frame != nullptr) {
        ForEachPixel(*frame, area,
                     [&](int, int, const SDL_Color& pixel) { count += pixel == color ? 1 : 0; });
    }
    return count;
}

SDL_Point AppHarness::WindowSize() const {
    SDL_Point size = {0, 0};
    SDL_GetWindowSize(editor->shell.window.get(), &size.x, &size.y);
    return size;
}

SDL_Point AppHarness::WindowPosition() const {
    SDL_Point position = {0, 0};
    SDL_GetWindowPosition(editor->shell.window.get(), &position.x, &position.y);
    return position;
}

std::string AppHarness::WindowTitle() const {
    return editor->shell.window.get() != nullptr ? SDL_GetWindowTitle(editor->shell.window.get())
                                                 : "";
}

ProgramRunResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                            const std::filesystem::path& home,
                            const std::filesystem::path& workingFolder, int timeoutMs) {
    std::vector<std::string> strings = {program};
    strings.insert(strings.end(), args.begin(), args.end());
    const size_t argumentCount = strings.size();
    const std::string overridden[] = {
        "HOME=",    "XDG_CONFIG_HOME=", "XDG_STATE_HOME=", "SDL_VIDEODRIVER=",
        "DISPLAY=", "WAYLAND_DISPLAY="};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        bool keep = true;
        for (const std::string& prefix : overridden) {
            keep = keep && std::strncmp(*variable, prefix.c_str(), prefix.size()) != 0;
        }
        if (keep) {
            strings.emplace_back(*variable);
        }
    }
    strings.push_back("HOME=" + home.string());
    strings.push_back("XDG_CONFIG_HOME=" + (home / kConfigFolderName).string());
    strings.push_back("XDG_STATE_HOME=" + (home / kStateFolderName).string());
    strings.push_back("SDL_VIDEODRIVER=dummy");

    std::vector<char*> argv;
    std::vector<char*> envp;
    for (size_t index = 0; index < strings.size(); ++index) {
        (index < argumentCount ? argv : envp).push_back(strings[index].data());
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ProgramRunResult result;
    if (spawned != 0) {
        return result;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            result.timedOut = true;
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    return result;
}
