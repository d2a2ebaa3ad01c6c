#pragma once
// Animation state of the About screen; it survives between showings.

#include <SDL2/SDL_rect.h>

#include <cstdint>
#include <vector>

struct SDL_Texture;

struct AboutCircle {
    int32_t x = 0;
    int32_t y = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t spare = 0;
    uint16_t radius = 0; // 10 to 256 pixels
    uint8_t step = 0;    // degrees added per frame while drawing, 10 to 50
    uint8_t spare2 = 0;
    uint16_t angle = 0; // end angle drawn so far; 360 means complete
};

struct AboutDrop {
    static constexpr int kTrailLength = 15;
    SDL_Point trail[kTrailLength] = {}; // 0 is the head, 14 the oldest point
    uint8_t driftDirection = 0;         // 0 drifts left, anything else right
    uint8_t driftPeriod = 1;            // drifts one pixel every this many frames
};

struct AboutState {
    static constexpr size_t kMaxCircles = 50;
    static constexpr size_t kMaxDrops = 5;

    uint32_t frameCounter = 0;
    std::vector<AboutCircle> circles; // oldest first
    uint32_t nextCircleTime = 0;      // 0: no circle scheduled
    std::vector<AboutDrop> drops;
    uint32_t nextDropTime = 0; // 0: no drop scheduled
    SDL_Texture* textTexture = nullptr;
    int32_t textWidth = 0;
    int32_t textHeight = 0;
    SDL_Point textPosition = {-1, -1};     // negative x: not placed yet
    SDL_Point textVelocity = {-101, -101}; // x below -100: not moving yet
};
