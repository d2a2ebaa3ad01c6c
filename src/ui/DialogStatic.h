#pragma once
// Static text of a dialog: left, centred or right-aligned, one line per '\n',
// each cut with an ellipsis when it does not fit. It can also show a colour
// sample (the colour dialog's preview).

#include "ui/DialogControl.h"

class DialogStatic final : public DialogControl {
  public:
    DialogStatic(int id, const SDL_Rect& units, const std::string& text, TextAlign align);

    void SetAlign(TextAlign newAlign) { align = newAlign; }
    TextAlign Align() const { return align; }
    bool ShowsColor() const { return showsColor; }
    // Fills the rectangle with `color` under a frame instead of showing text.
    void ShowColor(SDL_Color color);

    void Draw(const DialogPaint& paint) const override;

  private:
    TextAlign align;
    bool showsColor = false;
    SDL_Color sample = {0, 0, 0, 255};
};
