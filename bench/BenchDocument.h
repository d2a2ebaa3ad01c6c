#pragma once
// The documents the benchmarks measure with.

#include "app/Editor.h"
#include "document/Paper.h"
#include "document/PaperObject.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_rect.h>
#include <SDL2/SDL_ttf.h>

#include <random>
#include <string>

// A file of the program's resources, beside the benchmark program.
inline std::string BenchResourcePath(const char* name) {
    char* base = SDL_GetBasePath();
    const std::string path = std::string(base != nullptr ? base : "") + "resources/" + name;
    SDL_free(base);
    return path;
}

// SDL without a display and the drawing font from beside the program, as the
// cases that draw a paper need them; the editor is reset afterwards.
class BenchDrawingSession {
  public:
    BenchDrawingSession() {
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        TTF_Init();
        editor->shell.drawFont.reset(TTF_OpenFont(BenchResourcePath("fonts/cad.ttf").c_str(), 18));
    }
    ~BenchDrawingSession() {
        ResetEditor();
        TTF_Quit();
        SDL_Quit();
    }
    BenchDrawingSession(const BenchDrawingSession&) = delete;
    BenchDrawingSession& operator=(const BenchDrawingSession&) = delete;
};

// `count` objects of every kind scattered over `spread` (paper pixels), the
// same ones on every run.
inline void Populate(Paper& paper, const SDL_Rect& spread, int count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> x(spread.x, spread.x + spread.w - 1);
    std::uniform_int_distribution<int> y(spread.y, spread.y + spread.h - 1);
    std::uniform_int_distribution<int> length(-300, 300);
    const char* texts[] = {"Kitchen", "Door 0.9 m", "N", "Stairs up", "Window 1.2 x 1.4"};
    for (int i = 0; i < count; ++i) {
        ObjectRecord record;
        const auto kind = static_cast<uint32_t>(i % 7);
        record.SetKind(kind);
        const int x1 = x(random);
        const int y1 = y(random);
        record.SetX1(x1);
        record.SetY1(y1);
        if (kind == static_cast<uint32_t>(ObjectKind::Circle)) {
            record.SetRadius(static_cast<int16_t>(10 + i % 150));
            record.SetSides(i % 3 == 0 ? 2 : 3 + i % 6);
        } else if (kind == static_cast<uint32_t>(ObjectKind::Text)) {
            record.SetText(texts[i % 5]);
            record.SetAngle(static_cast<int16_t>((i % 4) * 30));
        } else {
            record.SetX2(x1 + length(random));
            record.SetY2(y1 + length(random));
        }
        record.SetColor(i % 3 == 0 ? SDL_Color{200, 120, 40, 255} : SDL_Color{0, 0, 0, 0});
        paper.CreateAndAddObject(record);
    }
}
