#pragma once
// The rubber band: press, drag, release, and the objects of the current layer
// that the band touches become the selection. It follows the pointer pixel by
// pixel, whatever the grid lock.

#include "tools/Tool.h"

#include <SDL2/SDL_rect.h>

class ToolSelect final : public Tool {
  public:
    void Begin() override;
    bool Click() override;
    void Render() override;

    // The band from the start to the pointer, both corner pixels included
    // whichever way it was dragged.
    SDL_Rect Band() const;

  private:
    SDL_Point start_ = {0, 0};
};
