#pragma once
// The colour chooser: basic colours, the sixteen custom colours kept for the
// run (`customColorSlots`), red/green/blue fields and a preview.

#include <SDL2/SDL_pixels.h>

#include <cstdint>

class DialogHost;

constexpr int kColorBasicGridId = 1201;
constexpr int kColorCustomGridId = 1202;
constexpr int kColorAddCustomId = 1203;
constexpr int kColorPreviewId = 1204;
constexpr int kColorRedId = 1205;
constexpr int kColorGreenId = 1206;
constexpr int kColorBlueId = 1207;

// Starts on `color`. On OK its red, green and blue become the chosen ones and
// its alpha 255; true. On Cancel it is untouched; false. Custom colours added
// meanwhile stay for the rest of the run either way.
bool ChooseColorDialog(DialogHost& host, SDL_Color& color);

// A custom slot (0x00BBGGRR) as a colour and back.
SDL_Color ColorFromSlot(uint32_t slot);
uint32_t SlotFromColor(SDL_Color color);
