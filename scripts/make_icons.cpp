// Draws the toolbox and menu icons into the folder given as the only argument.
// Placeholder: every icon is a plain frame until the real pictograms land.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_FOLDER\n");
        return 2;
    }
    const char* names[] = {"tool_select", "tool_line",   "tool_arrow",  "tool_dashed_line",
                           "tool_rect",   "tool_text",   "tool_circle", "tool_measurement",
                           "tool_choose_color", "checked", "hidden"};
    for (const char* name : names) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 36, 36, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, 0, 0, 0, 0));
        std::string path = std::string(argv[1]) + "/" + name + ".png";
        if (IMG_SavePNG(s, path.c_str()) != 0) {
            std::fprintf(stderr, "make_icons: %s\n", SDL_GetError());
            return 1;
        }
        SDL_FreeSurface(s);
    }
    return 0;
}
