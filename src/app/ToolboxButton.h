#pragma once
// One entry of the toolbox panel at the left of the window.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <functional>
#include <string>

struct SDL_Texture;

enum ToolboxGroup : int { kToolboxGroupTool = 0, kToolboxGroupColor = 1, kToolboxGroupLayer = 2 };
enum ToolboxEntryKind : int {
    kToolboxEntryButton = 0,
    kToolboxEntrySeparator = 1,
    kToolboxEntryHeading = 2,
};

struct ToolboxButton {
    std::string name;
    std::string label;
    std::string iconPath;
    std::string tooltip;
    SDL_Texture* texture = nullptr;
    SDL_Rect rect = {0, 0, 0, 0};
    ToolboxGroup group = kToolboxGroupTool;
    bool selected = false;
    ToolboxEntryKind kind = kToolboxEntryButton;
    std::function<void(ToolboxButton&)> onClick;
    std::function<bool(SDL_Color&)> getSwatchColor;
    std::function<SDL_Texture*(const ToolboxButton&)> getIconOverride;
};
