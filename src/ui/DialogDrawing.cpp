#include "ui/DialogDrawing.h"

#include "draw/SdlOwners.h"
#include "support/Utf8Text.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <cmath>
#include <memory>

namespace {

// The sample whose width, divided by its 52 letters, gives the average
// character width of a dialog font.
constexpr const char* kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kAlphabetLength = 52;
constexpr int kHorizontalUnitsPerChar = 4;
constexpr int kVerticalUnitsPerChar = 8;
constexpr int kFallbackLineHeight = 16;
constexpr const char* kEllipsis = "\xE2\x80\xA6";
constexpr int kFocusDotStep = 2;

// Rounded like the desktop toolkit's MulDiv.
int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

} // namespace

int DialogUnits::X(int units) const {
    return MulDivRounded(units, baseWidth, kHorizontalUnitsPerChar);
}

int DialogUnits::Y(int units) const {
    return MulDivRounded(units, baseHeight, kVerticalUnitsPerChar);
}

SDL_Rect DialogUnits::ToPixels(const SDL_Rect& units) const {
    return {X(units.x), Y(units.y), X(units.w), Y(units.h)};
}

int DialogUnits::XUnitsFor(int pixels) const {
    return (pixels * kHorizontalUnitsPerChar + baseWidth - 1) / baseWidth;
}

DialogUnits MeasureDialogUnits(TTF_Font* font) {
    DialogUnits units;
    int width = 0;
    int height = 0;
    if (font != nullptr && TTF_SizeUTF8(font, kAlphabet, &width, &height) == 0 && width > 0) {
        units.baseWidth = (width + kAlphabetLength / 2) / kAlphabetLength;
        units.baseHeight = TTF_FontHeight(font);
    }
    return units;
}

int DialogLineHeight(TTF_Font* font) {
    return font != nullptr ? TTF_FontHeight(font) : kFallbackLineHeight;
}

int TextWidth(TTF_Font* font, const std::string& text) {
    int width = 0;
    if (font == nullptr || text.empty() || TTF_SizeUTF8(font, text.c_str(), &width, nullptr) != 0) {
        return 0;
    }
    return width;
}

void DrawText(SDL_Renderer* renderer, TTF_Font* font, const std::string& text, int x, int y,
              SDL_Color color) {
    if (renderer == nullptr || font == nullptr || text.empty()) {
        return;
    }
    SurfacePtr surface(TTF_RenderUTF8_Blended(font, text.c_str(), color));
    if (!surface) {
        return;
    }
    TexturePtr texture(SDL_CreateTextureFromSurface(renderer, surface.get()));
    if (!texture) {
        return;
    }
    const SDL_Rect target = {x, y, surface->w, surface->h};
    SDL_RenderCopy(renderer, texture.get(), nullptr, &target);
}

void DrawTextInRect(SDL_Renderer* renderer, TTF_Font* font, const std::string& text,
                    const SDL_Rect& rect, TextAlign align, bool centreVertically, SDL_Color color) {
    const int width = TextWidth(font, text);
    int x = rect.x;
    if (align == TextAlign::Center) {
        x = rect.x + (rect.w - width) / 2;
    } else if (align == TextAlign::Right) {
        x = rect.x + rect.w - width;
    }
    const int y = centreVertically ? rect.y + (rect.h - DialogLineHeight(font)) / 2 : rect.y;
    DrawText(renderer, font, text, x, y, color);
}

std::string ElideText(TTF_Font* font, const std::string& text, int maxWidth) {
    if (TextWidth(font, text) <= maxWidth) {
        return text;
    }
    const int room = maxWidth - TextWidth(font, kEllipsis);
    if (room <= 0) {
        return {};
    }
    // How many bytes fit, measured by the font, then cut on a character boundary.
    int extent = 0;
    int count = 0;
    if (TTF_MeasureUTF8(font, text.c_str(), room, &extent, &count) != 0) {
        return {};
    }
    // TTF counts characters; walk that many characters to find the byte offset.
    size_t bytes = 0;
    for (int i = 0; i < count && bytes < text.size(); ++i) {
        bytes = Utf8Next(text, bytes);
    }
    return text.substr(0, bytes) + kEllipsis;
}

void FillRect(SDL_Renderer* renderer, const SDL_Rect& rect, SDL_Color color) {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
    SDL_RenderFillRect(renderer, &rect);
}

void FillRectBlended(SDL_Renderer* renderer, const SDL_Rect& rect, SDL_Color color) {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
    SDL_RenderFillRect(renderer, &rect);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

void DrawFrame(SDL_Renderer* renderer, const SDL_Rect& rect, SDL_Color color) {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
    SDL_RenderDrawRect(renderer, &rect);
}

void DrawFocusMark(SDL_Renderer* renderer, const SDL_Rect& rect) {
    if (rect.w <= 0 || rect.h <= 0) {
        return;
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    const SDL_Color color = DialogColors::kFocusMark;
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
    const int right = rect.x + rect.w - 1;
    const int bottom = rect.y + rect.h - 1;
    for (int x = rect.x; x <= right; x += kFocusDotStep) {
        SDL_RenderDrawPoint(renderer, x, rect.y);
        SDL_RenderDrawPoint(renderer, x, bottom);
    }
    for (int y = rect.y; y <= bottom; y += kFocusDotStep) {
        SDL_RenderDrawPoint(renderer, rect.x, y);
        SDL_RenderDrawPoint(renderer, right, y);
    }
}

SDL_Rect InsetRect(const SDL_Rect& rect, int by) {
    return {rect.x + by, rect.y + by, rect.w - 2 * by, rect.h - 2 * by};
}

void DrawArrowHead(SDL_Renderer* renderer, SDL_Point centre, int size, ArrowDirection direction,
                   SDL_Color color) {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
    // Row i runs across the arrow, i = 0 at the base; it is 2 * (size - 1 - i) + 1 long.
    const int baseOffset = size / 2;
    for (int i = 0; i < size; ++i) {
        const int half = size - 1 - i;
        switch (direction) {
        case ArrowDirection::Down:
            SDL_RenderDrawLine(renderer, centre.x - half, centre.y - baseOffset + i,
                               centre.x + half, centre.y - baseOffset + i);
            break;
        case ArrowDirection::Up:
            SDL_RenderDrawLine(renderer, centre.x - half, centre.y + baseOffset - i,
                               centre.x + half, centre.y + baseOffset - i);
            break;
        case ArrowDirection::Right:
            SDL_RenderDrawLine(renderer, centre.x - baseOffset + i, centre.y - half,
                               centre.x - baseOffset + i, centre.y + half);
            break;
        case ArrowDirection::Left:
            SDL_RenderDrawLine(renderer, centre.x + baseOffset - i, centre.y - half,
                               centre.x + baseOffset - i, centre.y + half);
            break;
        }
    }
}

void DrawDot(SDL_Renderer* renderer, SDL_Point centre, int radius, SDL_Color color) {
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, color.r, color.g, color.b, color.a);
    for (int dy = -radius; dy <= radius; ++dy) {
        // Half a pixel more than the exact circle, so a small dot looks round.
        const int half =
            static_cast<int>(std::sqrt(static_cast<double>(radius * radius - dy * dy)) + 0.5);
        SDL_RenderDrawLine(renderer, centre.x - half, centre.y + dy, centre.x + half,
                           centre.y + dy);
    }
}

bool RectContains(const SDL_Rect& rect, int x, int y) {
    return x >= rect.x && x < rect.x + rect.w && y >= rect.y && y < rect.y + rect.h;
}

ScopedClip::ScopedClip(SDL_Renderer* renderer, const SDL_Rect& rect) : renderer(renderer) {
    SDL_RenderSetClipRect(renderer, &rect);
}

ScopedClip::~ScopedClip() {
    SDL_RenderSetClipRect(renderer, nullptr);
}
