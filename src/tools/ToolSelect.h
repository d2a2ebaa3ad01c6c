#pragma once
// The rubber band: press, drag, release, and the objects of the current layer
// that the band touches become the selection. It follows the pointer pixel by
// pixel, whatever the grid lock. A release next to the press is a click
// instead, which picks the one object drawn nearest the pointer. With Shift
// both add to the selection (a Shift+click on a selected object takes it out).

#include "tools/Tool.h"

#include <SDL2/SDL_rect.h>

class PaperView;

class ToolSelect final : public Tool {
  public:
    void Begin(const ToolContext& context) override;
    bool Click(const ToolContext& context) override;
    void Render(PaperView& view, const ToolContext& context) override;

    // The band from the start to the pointer, both corner pixels included
    // whichever way it was dragged.
    SDL_Rect Band(const ToolContext& context) const;
    // True while the pointer has stayed so near the press that a release
    // there is a click rather than a band.
    bool IsClick(const ToolContext& context) const;

  private:
    SDL_Point start_ = {0, 0};
};
