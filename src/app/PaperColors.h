#pragma once
// Background, draw and grid colours of the active paper, and its background
// image. All of them are kept in the document, so a real change marks the
// paper modified.

#include "app/Editor.h"

#include <SDL2/SDL_pixels.h>

#include <cstdint>

struct MENU_ITEM;

constexpr SDL_Color kLightBackground = {255, 255, 255, 255};
constexpr SDL_Color kDarkBackground = {33, 40, 48, 255};
constexpr SDL_Color kWhiteDrawColor = {255, 255, 255, 255};
constexpr SDL_Color kBlackDrawColor = {0, 0, 0, 255};

bool SameColor(const SDL_Color& a, const SDL_Color& b);

constexpr int kGridColorCount = 4;
struct GridColorChoice {
    const char* caption;
    SDL_Color color;
};
// The Grid > Color items, by item value.
extern const GridColorChoice gridColorTable[kGridColorCount];

constexpr const char* kImageDialogTitle = "Select Image File";

// The one filter of the image dialog for the loaders SDL_image reports
// (IMG_INIT_* flags): "Images (*.png;*.bmp;...)".
FileTypeFilters ImageFileTypesFor(int loaderFlags);

// Options > Background.
void SetLightBackground(uint64_t value, MENU_ITEM* item);
void SetDarkBackground(uint64_t value, MENU_ITEM* item);
void ChooseBackgroundColor(uint64_t value, MENU_ITEM* item);
void ChooseBackgroundImage(uint64_t value, MENU_ITEM* item);
// Options > Draw Color.
void SetWhiteDrawColor(uint64_t value, MENU_ITEM* item);
void SetBlackDrawColor(uint64_t value, MENU_ITEM* item);
void ChooseDrawColor(uint64_t value, MENU_ITEM* item);
// Grid > Color: the value indexes gridColorTable.
void SetGridColor(uint64_t value, MENU_ITEM* item);
bool IsGridColor(uint64_t value);
