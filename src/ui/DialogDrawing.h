#pragma once
// What every dialog control draws with: the dialog palette, the dialog font
// and its dialog units, and small text and frame helpers.

#include <SDL2/SDL_pixels.h>
#include <SDL2/SDL_rect.h>

#include <string>

struct SDL_Renderer;
typedef struct _TTF_Font TTF_Font;

namespace DialogColors {
constexpr SDL_Color kWorkspace = {33, 40, 48, 255};
constexpr SDL_Color kDim = {0, 0, 0, 110};
constexpr SDL_Color kShadow = {0, 0, 0, 70};
constexpr SDL_Color kFace = {240, 240, 240, 255};
constexpr SDL_Color kFrame = {90, 98, 108, 255};
constexpr SDL_Color kCaption = {45, 55, 68, 255};
constexpr SDL_Color kCaptionInactive = {120, 128, 138, 255};
constexpr SDL_Color kCaptionText = {255, 255, 255, 255};
constexpr SDL_Color kCloseHover = {232, 17, 35, 255};
constexpr SDL_Color kText = {0, 0, 0, 255};
constexpr SDL_Color kDisabledText = {150, 150, 150, 255};
constexpr SDL_Color kButtonFace = {225, 225, 225, 255};
constexpr SDL_Color kButtonBorder = {173, 173, 173, 255};
constexpr SDL_Color kButtonHover = {229, 241, 251, 255};
constexpr SDL_Color kButtonPressed = {204, 228, 247, 255};
constexpr SDL_Color kButtonChecked = {188, 220, 244, 255};
constexpr SDL_Color kDisabledFace = {236, 236, 236, 255};
constexpr SDL_Color kDisabledBorder = {205, 205, 205, 255};
constexpr SDL_Color kAccent = {0, 120, 215, 255};
constexpr SDL_Color kAccentDark = {0, 84, 153, 255};
constexpr SDL_Color kFieldFace = {255, 255, 255, 255};
constexpr SDL_Color kFieldBorder = {122, 122, 122, 255};
constexpr SDL_Color kSelection = {0, 120, 215, 255};
constexpr SDL_Color kSelectionText = {255, 255, 255, 255};
constexpr SDL_Color kSelectionInactive = {217, 217, 217, 255};
constexpr SDL_Color kRowHover = {229, 243, 255, 255};
constexpr SDL_Color kFocusMark = {0, 0, 0, 255};
constexpr SDL_Color kScrollTrack = {240, 240, 240, 255};
constexpr SDL_Color kScrollThumb = {192, 192, 192, 255};
constexpr SDL_Color kFolderIcon = {232, 190, 80, 255};
constexpr SDL_Color kFolderIconEdge = {180, 140, 40, 255};
constexpr SDL_Color kFileIcon = {255, 255, 255, 255};
constexpr SDL_Color kFileIconEdge = {120, 120, 120, 255};
} // namespace DialogColors

enum class TextAlign { Left, Center, Right };

// Dialog units as the desktop toolkit defines them: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth
// of its height.
struct DialogUnits {
    int baseWidth = 6;
    int baseHeight = 13;

    int X(int units) const;
    int Y(int units) const;
    // A rectangle in dialog units in pixels, relative to the same origin.
    SDL_Rect ToPixels(const SDL_Rect& units) const;
    // Dialog units that cover at least `pixels`.
    int XUnitsFor(int pixels) const;
};

DialogUnits MeasureDialogUnits(TTF_Font* font);
// Height of a line of dialog text (a fixed guess without a font).
int DialogLineHeight(TTF_Font* font);

int TextWidth(TTF_Font* font, const std::string& text);
// Draws one line of text with its top-left corner at (x, y).
void DrawText(SDL_Renderer* renderer, TTF_Font* font, const std::string& text, int x, int y,
              SDL_Color color);
// Draws one line aligned horizontally in `rect` and centred vertically when
// `centreVertically`, else at the top.
void DrawTextInRect(SDL_Renderer* renderer, TTF_Font* font, const std::string& text,
                    const SDL_Rect& rect, TextAlign align, bool centreVertically, SDL_Color color);
// The text cut with an ellipsis so it fits in `maxWidth` pixels.
std::string ElideText(TTF_Font* font, const std::string& text, int maxWidth);

void FillRect(SDL_Renderer* renderer, const SDL_Rect& rect, SDL_Color color);
// Fills with blending, for translucent colours.
void FillRectBlended(SDL_Renderer* renderer, const SDL_Rect& rect, SDL_Color color);
void DrawFrame(SDL_Renderer* renderer, const SDL_Rect& rect, SDL_Color color);
// The dotted rectangle that marks the control with the keyboard focus.
void DrawFocusMark(SDL_Renderer* renderer, const SDL_Rect& rect);
SDL_Rect InsetRect(const SDL_Rect& rect, int by);

enum class ArrowDirection { Up, Down, Left, Right };
// A filled arrowhead of `size` rows from its base to its tip (its base is
// 2 * size - 1 pixels long), centred on `centre`.
void DrawArrowHead(SDL_Renderer* renderer, SDL_Point centre, int size, ArrowDirection direction,
                   SDL_Color color);
// A filled round dot.
void DrawDot(SDL_Renderer* renderer, SDL_Point centre, int radius, SDL_Color color);
bool RectContains(const SDL_Rect& rect, int x, int y);

// Sets a clip rectangle for its lifetime and clears it afterwards.
class ScopedClip {
  public:
    ScopedClip(SDL_Renderer* renderer, const SDL_Rect& rect);
    ~ScopedClip();
    ScopedClip(const ScopedClip&) = delete;
    ScopedClip& operator=(const ScopedClip&) = delete;

  private:
    SDL_Renderer* renderer;
};
