#include "ui/DialogStatic.h"

#include <sstream>

DialogStatic::DialogStatic(int id, const SDL_Rect& units, const std::string& text, TextAlign align)
    : DialogControl(id, units), align(align) {
    this->text = text;
}

void DialogStatic::ShowColor(SDL_Color color) {
    showsColor = true;
    sample = color;
}

void DialogStatic::Draw(const DialogPaint& paint) const {
    if (showsColor) {
        FillRect(paint.renderer, rect, sample);
        DrawFrame(paint.renderer, rect, DialogColors::kFieldBorder);
        return;
    }
    const SDL_Color color = enabled ? DialogColors::kText : DialogColors::kDisabledText;
    const int lineHeight = DialogLineHeight(paint.font);
    std::istringstream lines(text);
    std::string line;
    int y = rect.y;
    while (std::getline(lines, line)) {
        const SDL_Rect lineRect = {rect.x, y, rect.w, lineHeight};
        DrawTextInRect(paint.renderer, paint.font, ElideText(paint.font, line, rect.w), lineRect,
                       align, false, color);
        y += lineHeight;
    }
}
