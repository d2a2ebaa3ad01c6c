#include "ui/DialogButton.h"

#include "ui/Dialog.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr int kFocusInset = 3;
// A glyph's size is this fraction of the button's height, but at least the minimum.
constexpr int kGlyphHeightDivisor = 4;
constexpr int kGlyphMinimumSize = 3;

} // namespace

DialogButton::DialogButton(int id, const SDL_Rect& units, const std::string& caption,
                           ButtonKind kind)
    : DialogControl(id, units), kind(kind) {
    SetText(caption);
}

void DialogButton::SetText(const std::string& caption) {
    text.clear();
    mnemonic = 0;
    mnemonicAt = std::string::npos;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            // "&&" is a literal ampersand.
            if (caption[i] != '&' && mnemonic == 0 &&
                std::isalnum(static_cast<unsigned char>(caption[i]))) {
                mnemonic = static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i])));
                mnemonicAt = text.size();
            }
        }
        text.push_back(caption[i]);
    }
}

void DialogButton::Press(Dialog& dialog) {
    if (kind == ButtonKind::CheckBox) {
        checked = !checked;
    } else if (kind == ButtonKind::Radio) {
        dialog.CheckRadio(*this);
    }
    dialog.Notify(id, DialogNotify::Clicked);
}

void DialogButton::Draw(const DialogPaint& paint) const {
    using namespace DialogColors;
    SDL_Color face = kButtonFace;
    SDL_Color border = kButtonBorder;
    SDL_Color ink = kText;
    if (!enabled) {
        face = kDisabledFace;
        border = kDisabledBorder;
        ink = kDisabledText;
    } else if (pressed) {
        face = kButtonPressed;
        border = kAccentDark;
    } else if (checked) {
        face = kButtonChecked;
        border = kAccentDark;
    } else if (paint.hovered) {
        face = kButtonHover;
        border = kAccent;
    } else if (paint.focused || kind == ButtonKind::DefaultPush) {
        border = kAccent;
    }
    FillRect(paint.renderer, rect, face);
    DrawFrame(paint.renderer, rect, border);
    if (enabled && (kind == ButtonKind::DefaultPush || paint.focused)) {
        // A second line marks the button Enter presses.
        DrawFrame(paint.renderer, InsetRect(rect, 1), border);
    }

    // A held button's caption moves down and right by a pixel, like a key.
    SDL_Rect textRect = rect;
    if (pressed) {
        textRect.x += 1;
        textRect.y += 1;
    }
    if (glyph != ButtonGlyph::None) {
        DrawGlyph(paint, textRect, ink);
    } else {
        DrawCaption(paint, textRect, ink);
    }
    if (paint.focused && enabled) {
        DrawFocusMark(paint.renderer, InsetRect(rect, kFocusInset));
    }
}

void DialogButton::DrawCaption(const DialogPaint& paint, const SDL_Rect& area,
                               SDL_Color ink) const {
    const std::string caption = ElideText(paint.font, text, rect.w - 2 * kFocusInset);
    DrawTextInRect(paint.renderer, paint.font, caption, area, TextAlign::Center, true, ink);
    if (mnemonicAt < caption.size() && paint.font != nullptr) {
        const int captionWidth = TextWidth(paint.font, caption);
        const int left = area.x + (area.w - captionWidth) / 2 +
                         TextWidth(paint.font, caption.substr(0, mnemonicAt));
        const int letterWidth = TextWidth(paint.font, caption.substr(mnemonicAt, 1));
        const int baseline =
            area.y + (area.h - DialogLineHeight(paint.font)) / 2 + TTF_FontAscent(paint.font) + 1;
        SDL_SetRenderDrawColor(paint.renderer, ink.r, ink.g, ink.b, ink.a);
        SDL_RenderDrawLine(paint.renderer, left, baseline, left + letterWidth - 1, baseline);
    }
}

void DialogButton::DrawGlyph(const DialogPaint& paint, const SDL_Rect& area, SDL_Color ink) const {
    const int size = std::max(kGlyphMinimumSize, area.h / kGlyphHeightDivisor + 1);
    const SDL_Point centre = {area.x + area.w / 2, area.y + area.h / 2};
    switch (glyph) {
    case ButtonGlyph::ArrowUp:
        DrawArrowHead(paint.renderer, centre, size, ArrowDirection::Up, ink);
        break;
    case ButtonGlyph::ArrowDown:
        DrawArrowHead(paint.renderer, centre, size, ArrowDirection::Down, ink);
        break;
    case ButtonGlyph::ArrowLeft:
        DrawArrowHead(paint.renderer, centre, size, ArrowDirection::Left, ink);
        break;
    case ButtonGlyph::ArrowRight:
        DrawArrowHead(paint.renderer, centre, size, ArrowDirection::Right, ink);
        break;
    case ButtonGlyph::Dot:
        DrawDot(paint.renderer, centre, size / 2, ink);
        break;
    case ButtonGlyph::None:
        break;
    }
}

void DialogButton::OnMouseDown(Dialog& /*dialog*/, const DialogMouse& /*mouse*/) {
    pressed = true;
}

void DialogButton::OnMouseDrag(Dialog& /*dialog*/, const DialogMouse& mouse) {
    // Sliding off a held button lets it spring back; sliding on presses it again.
    pressed = RectContains(rect, mouse.x, mouse.y);
}

void DialogButton::OnMouseUp(Dialog& dialog, const DialogMouse& mouse) {
    const bool release = pressed && RectContains(rect, mouse.x, mouse.y);
    pressed = false;
    if (release) {
        Press(dialog);
    }
}

void DialogButton::MoveInGroup(Dialog& dialog, int step) {
    std::vector<DialogButton*> group = dialog.RadioGroup(*this);
    const auto self = std::find(group.begin(), group.end(), this);
    if (self == group.end() || group.size() < 2) {
        return;
    }
    const int count = static_cast<int>(group.size());
    int index = static_cast<int>(self - group.begin());
    // Skip disabled members; give up after one full round.
    for (int tries = 0; tries < count; ++tries) {
        index = (index + step + count) % count;
        DialogButton* next = group[static_cast<size_t>(index)];
        if (next->IsEnabled()) {
            dialog.SetFocusTo(next, true);
            next->Press(dialog);
            return;
        }
    }
}

bool DialogButton::OnKey(Dialog& dialog, SDL_Keycode key, uint16_t modifiers) {
    if ((modifiers & (KMOD_CTRL | KMOD_ALT)) != 0) {
        return false;
    }
    if (key == SDLK_SPACE) {
        spaceHeld = pressed = true;
        return true;
    }
    if (kind == ButtonKind::Radio) {
        if (key == SDLK_DOWN || key == SDLK_RIGHT) {
            MoveInGroup(dialog, 1);
            return true;
        }
        if (key == SDLK_UP || key == SDLK_LEFT) {
            MoveInGroup(dialog, -1);
            return true;
        }
    }
    return false;
}

void DialogButton::OnKeyUp(Dialog& dialog, SDL_Keycode key) {
    if (key == SDLK_SPACE && spaceHeld) {
        spaceHeld = pressed = false;
        Press(dialog);
    }
}
