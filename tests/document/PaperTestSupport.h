#pragma once
// What document and drawing tests share: SDL and the drawing font set up
// without a display, papers with a known view, and pixel access in paper
// coordinates.

#include "app/Editor.h"
#include "document/Paper.h"
#include "document/PaperObject.h"
#include "document/TextMeasurer.h"
#include "view/PaperView.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// SDL, SDL_ttf with the drawing font at 18 points, SDL_image; all undone and
// the program state reset at the end.
class DocumentSession {
  public:
    explicit DocumentSession(int viewWidth = 1000, int viewHeight = 700) {
        // Whatever an earlier test in this process left behind (a hidden grid,
        // a layer) must not shape this one's pictures.
        ResetEditor();
        SDL_Init(SDL_INIT_VIDEO);
        TTF_Init();
        IMG_Init(IMG_INIT_PNG);
        editor->shell.drawFont.reset(TTF_OpenFont(TESSELLON_RESOURCE_DIR "/fonts/cad.ttf", 18));
        editor->shell.paperViewRect = {0, 0, viewWidth, viewHeight};
    }
    ~DocumentSession() {
        ResetEditor();
        IMG_Quit();
        TTF_Quit();
        SDL_Quit();
    }
    DocumentSession(const DocumentSession&) = delete;
    DocumentSession& operator=(const DocumentSession&) = delete;
};

// Texts measured without a font: every character 10 x 20 pixels, so document
// tests know a text's box without SDL_ttf.
class FixedTextMeasurer final : public TextMeasurer {
  public:
    SDL_Point Measure(const std::string& text) const override {
        return {static_cast<int>(text.size()) * 10, text.empty() ? 0 : 20};
    }
};

// A paper of the given size in pixels with its view (in `drawFont`), the
// active paper while this object lives.
struct ActiveTestPaper {
    Paper paper;
    PaperView view{paper,
                   editor->shell.drawFont.get(),
                   {editor->shell.paperViewRect.w, editor->shell.paperViewRect.h}};
    explicit ActiveTestPaper(int32_t width = kDefaultPaperWidth,
                             int32_t height = kDefaultPaperHeight) {
        EXPECT_TRUE(paper.SetSize(width, height));
        editor->session.activePaper = &paper;
    }
    ~ActiveTestPaper() { editor->session.activePaper = nullptr; }
    ActiveTestPaper(const ActiveTestPaper&) = delete;
    ActiveTestPaper& operator=(const ActiveTestPaper&) = delete;
};

inline ObjectRecord LineRecord(ObjectKind kind, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    ObjectRecord record;
    record.SetKind(kind);
    record.SetX1(x1);
    record.SetY1(y1);
    record.SetX2(x2);
    record.SetY2(y2);
    return record;
}

inline ObjectRecord CircleRecord(int32_t x, int32_t y, int16_t radius, int32_t sides = 2,
                                 int16_t angle = 0) {
    ObjectRecord record;
    record.SetKind(ObjectKind::Circle);
    record.SetX1(x);
    record.SetY1(y);
    record.SetRadius(radius);
    record.SetSides(sides);
    record.SetAngle(angle);
    return record;
}

inline ObjectRecord TextRecord(int32_t x, int32_t y, const std::string& text, int16_t angle = 0) {
    ObjectRecord record;
    record.SetKind(ObjectKind::Text);
    record.SetX1(x);
    record.SetY1(y);
    record.SetText(text);
    record.SetAngle(angle);
    return record;
}

// The colour of paper pixel (x, y) in the view's surface, which must hold it.
inline SDL_Color PaperPixel(const PaperView& view, int x, int y) {
    const SDL_Surface* surface = view.Surface();
    const SDL_Rect area = view.RenderArea();
    const int sx = x - area.x;
    const int sy = y - area.y;
    EXPECT_TRUE(sx >= 0 && sy >= 0 && sx < area.w && sy < area.h)
        << "pixel " << x << "," << y << " is not in the rendered area";
    if (sx < 0 || sy < 0 || sx >= surface->w || sy >= surface->h) {
        return {0, 0, 0, 0};
    }
    const auto* row = static_cast<const uint8_t*>(surface->pixels) + sy * surface->pitch;
    const uint16_t value = reinterpret_cast<const uint16_t*>(row)[sx];
    SDL_Color color = {0, 0, 0, 255};
    SDL_GetRGB(value, surface->format, &color.r, &color.g, &color.b);
    return color;
}

// The colour a surface of the paper stores for `color` (RGB565 loses low bits).
inline SDL_Color Stored(const PaperView& view, SDL_Color color) {
    const Uint32 value = SDL_MapRGB(view.Surface()->format, color.r, color.g, color.b);
    SDL_Color stored = {0, 0, 0, 255};
    SDL_GetRGB(value, view.Surface()->format, &stored.r, &stored.g, &stored.b);
    return stored;
}

inline bool SameColor(SDL_Color a, SDL_Color b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

inline ::testing::AssertionResult PixelIs(const PaperView& view, int x, int y, SDL_Color color) {
    const SDL_Color actual = PaperPixel(view, x, y);
    const SDL_Color expected = Stored(view, color);
    if (SameColor(actual, expected)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "pixel " << x << "," << y << " is (" << int(actual.r) << "," << int(actual.g) << ","
           << int(actual.b) << "), expected (" << int(expected.r) << "," << int(expected.g) << ","
           << int(expected.b) << ")";
}

// The paper's render area as 8-bit RGB, converted as the PNG export does.
inline std::vector<uint8_t> RenderedRgb(const PaperView& view) {
    const SDL_Surface* surface = view.Surface();
    const SDL_Rect area = view.RenderArea();
    std::vector<uint8_t> rgb(size_t(area.w) * area.h * 3);
    SDL_ConvertPixels(area.w, area.h, surface->format->format, surface->pixels, surface->pitch,
                      SDL_PIXELFORMAT_RGB24, rgb.data(), area.w * 3);
    return rgb;
}

// An image file as 8-bit RGB; empty when it cannot be read.
inline std::vector<uint8_t> LoadImageRgb(const std::string& path, int& w, int& h) {
    SDL_Surface* image = IMG_Load(path.c_str());
    if (image == nullptr) {
        return {};
    }
    w = image->w;
    h = image->h;
    std::vector<uint8_t> rgb(size_t(w) * h * 3);
    SDL_ConvertPixels(w, h, image->format->format, image->pixels, image->pitch,
                      SDL_PIXELFORMAT_RGB24, rgb.data(), w * 3);
    SDL_FreeSurface(image);
    return rgb;
}

// A temporary path of the running test's own, so that tests running side by
// side never share a file.
inline std::string TestPath(const std::string& name) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + "tessellon-" + test->test_suite_name() + "." + test->name() +
           "-" + name;
}

// Saves the rendered area for a look at it when TESSELLON_TEST_PNG_DIR is set.
inline void SaveForInspection(const PaperView& view, const std::string& name) {
    const char* folder = SDL_getenv("TESSELLON_TEST_PNG_DIR");
    if (folder != nullptr && view.Surface() != nullptr) {
        IMG_SavePNG(view.Surface(), (std::string(folder) + "/" + name + ".png").c_str());
    }
}
