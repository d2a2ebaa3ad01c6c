#include "DialogTestFixture.h"

#include "draw/SdlOwners.h"

#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
constexpr int kMenuFontSize = 14;
constexpr size_t kTextPiece = 31;

uint32_t WindowId() {
    return editor->shell.window.get() != nullptr ? SDL_GetWindowID(editor->shell.window.get()) : 0;
}

void Push(SDL_Event& event) {
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

SurfacePtr ReadScene(const Dialog& dialog) {
    dialog.DrawScene();
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(editor->shell.renderer.get(), &width, &height);
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32));
    if (surface) {
        SDL_RenderReadPixels(editor->shell.renderer.get(), nullptr, SDL_PIXELFORMAT_RGBA32,
                             surface->pixels, surface->pitch);
    }
    return surface;
}

// A pixel of an RGBA32 surface.
SDL_Color SurfacePixel(const SDL_Surface& surface, int x, int y) {
    const auto* row = static_cast<const uint8_t*>(surface.pixels) + y * surface.pitch;
    const uint8_t* pixel = row + x * 4;
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}

} // namespace

void DialogTest::SetUp() {
    ResetEditor();
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_EQ(TTF_Init(), 0) << TTF_GetError();
    editor->shell.window.reset(
        SDL_CreateWindow("dialog test", 0, 0, kWindowWidth, kWindowHeight, 0));
    ASSERT_NE(editor->shell.window.get(), nullptr) << SDL_GetError();
    editor->shell.renderer.reset(
        SDL_CreateRenderer(editor->shell.window.get(), -1, SDL_RENDERER_SOFTWARE));
    ASSERT_NE(editor->shell.renderer.get(), nullptr) << SDL_GetError();
    const std::string fontPath = std::string(TESSELLON_RESOURCE_DIR) + "/fonts/menu.ttf";
    editor->shell.dialogFont.reset(TTF_OpenFont(fontPath.c_str(), kDialogFontSize));
    editor->shell.menuFont.reset(TTF_OpenFont(fontPath.c_str(), kMenuFontSize));
    ASSERT_NE(editor->shell.dialogFont.get(), nullptr) << TTF_GetError();
    ASSERT_NE(editor->shell.menuFont.get(), nullptr) << TTF_GetError();
    editor->shell.framePeriodMs = 0;
    editor->ui.dialogCloseWhenIdle = true;
    SDL_StartTextInput();
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
}

void DialogTest::TearDown() {
    // The editor owns the window, renderer and fonts: a new one frees them.
    ResetEditor();
    TTF_Quit();
    SDL_Quit();
}

void DialogTest::PushKeyDown(SDL_Keycode key, uint16_t modifiers) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.windowID = WindowId();
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    Push(event);
}

void DialogTest::PushKeyUp(SDL_Keycode key, uint16_t modifiers) {
    SDL_Event event = {};
    event.type = SDL_KEYUP;
    event.key.windowID = WindowId();
    event.key.state = SDL_RELEASED;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    Push(event);
}

void DialogTest::PushKey(SDL_Keycode key, uint16_t modifiers) {
    PushKeyDown(key, modifiers);
    PushKeyUp(key, modifiers);
}

void DialogTest::PushText(const std::string& text) {
    size_t at = 0;
    while (at < text.size()) {
        // Never split a character between two events.
        size_t piece = std::min(kTextPiece, text.size() - at);
        while (at + piece < text.size() &&
               (static_cast<unsigned char>(text[at + piece]) & 0xC0) == 0x80) {
            --piece;
        }
        SDL_Event event = {};
        event.type = SDL_TEXTINPUT;
        event.text.windowID = WindowId();
        std::memcpy(event.text.text, text.data() + at, piece);
        Push(event);
        at += piece;
    }
}

void DialogTest::PushMotion(int x, int y) {
    SDL_Event event = {};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = WindowId();
    event.motion.x = x;
    event.motion.y = y;
    Push(event);
}

void DialogTest::PushButton(int x, int y, bool down, int clicks) {
    SDL_Event event = {};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = WindowId();
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = static_cast<uint8_t>(clicks);
    event.button.x = x;
    event.button.y = y;
    Push(event);
}

void DialogTest::PushClick(int x, int y, int clicks) {
    PushMotion(x, y);
    PushButton(x, y, true, clicks);
    PushButton(x, y, false, clicks);
}

void DialogTest::PushClickOn(const Dialog& dialog, int id, int clicks) {
    const SDL_Rect rect = dialog.ControlRect(id);
    ASSERT_GT(rect.w, 0) << "no control " << id;
    const SDL_Point centre = Centre(rect);
    PushClick(centre.x, centre.y, clicks);
}

void DialogTest::PushWheel(int x, int y, int steps) {
    SDL_Event event = {};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = WindowId();
    event.wheel.y = steps;
    event.wheel.mouseX = x;
    event.wheel.mouseY = y;
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    Push(event);
}

void DialogTest::PushQuit() {
    SDL_Event event = {};
    event.type = SDL_QUIT;
    Push(event);
}

SDL_Point DialogTest::Centre(const SDL_Rect& rect) {
    return {rect.x + rect.w / 2, rect.y + rect.h / 2};
}

void DialogTest::OnDialogOpened(std::function<void(Dialog&)> script) {
    editor->ui.dialogPassHook = [script = std::move(script)](Dialog& dialog) {
        if (dialog.Passes() == 1) {
            script(dialog);
        }
    };
}

void DialogTest::OnPass(const std::string& caption, int pass, std::function<void(Dialog&)> script) {
    auto previous = editor->ui.dialogPassHook;
    editor->ui.dialogPassHook = [=](Dialog& dialog) {
        if (previous) {
            previous(dialog);
        }
        if (dialog.Caption() == caption && dialog.Passes() == pass) {
            script(dialog);
        }
    };
}

void DialogTest::SaveShot(const Dialog& dialog, const std::string& name) {
    SaveDialogShot(dialog, name);
}

void SaveDialogShot(const Dialog& dialog, const std::string& name) {
    auto surface = ReadScene(dialog);
    const char* folder = std::getenv("TESSELLON_SHOTS_DIR");
    if (surface && folder != nullptr && folder[0] != '\0') {
        const std::string path = std::string(folder) + "/" + name + ".png";
        EXPECT_EQ(IMG_SavePNG(surface.get(), path.c_str()), 0) << IMG_GetError();
    }
}

SDL_Color DialogTest::PixelAt(const Dialog& dialog, int x, int y) {
    auto surface = ReadScene(dialog);
    if (!surface || x < 0 || y < 0 || x >= surface->w || y >= surface->h) {
        return {0, 0, 0, 0};
    }
    return SurfacePixel(*surface, x, y);
}

int DialogTest::CountPixelsIn(const Dialog& dialog, const SDL_Rect& area,
                              const std::function<bool(const SDL_Color&)>& match) {
    auto surface = ReadScene(dialog);
    if (!surface) {
        return 0;
    }
    const SDL_Rect whole = {0, 0, surface->w, surface->h};
    SDL_Rect inside;
    if (SDL_IntersectRect(&area, &whole, &inside) != SDL_TRUE) {
        return 0;
    }
    int count = 0;
    for (int y = inside.y; y < inside.y + inside.h; ++y) {
        for (int x = inside.x; x < inside.x + inside.w; ++x) {
            count += match(SurfacePixel(*surface, x, y)) ? 1 : 0;
        }
    }
    return count;
}
