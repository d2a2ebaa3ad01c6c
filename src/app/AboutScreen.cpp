#include "app/AboutScreen.h"

#include "app/AboutState.h"
#include "app/Editor.h"
#include "app/FileCommands.h"
#include "app/Layout.h"
#include "app/MainLoop.h"
#include "app/PhysfsRWops.h"
#include "draw/SdlOwners.h"
#include "support/VRX_Random.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL2_gfxPrimitives.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <memory>

namespace {

constexpr SDL_Color kBackgroundColor = {0, 0, 0, 255};
constexpr SDL_Color kDropColor = {0, 128, 255, 255};
constexpr SDL_Color kTextColor = {255, 255, 255, 255};

// A window that reports no size is drawn as if it were this big.
constexpr int32_t kFallbackWindowSize = 100;

constexpr uint32_t kCircleRadiusChoices = 247;
constexpr int32_t kMinCircleRadius = 10;
constexpr uint32_t kCircleStepChoices = 41;
constexpr uint32_t kMinCircleStep = 10;
// Gap between a circle and the window edge.
constexpr int32_t kCircleMargin = 2;
constexpr uint16_t kFullCircle = 360;
constexpr uint32_t kCirclePauseMs = 500;

constexpr int32_t kDropMargin = 10;
constexpr int32_t kDropFallPerFrame = 3;
constexpr int16_t kDropHeadRadius = 2;
constexpr uint32_t kDriftPeriodChoices = 10;
constexpr uint32_t kDropDelayChoices = 4501;
constexpr uint32_t kMinDropDelayMs = 500;

constexpr uint32_t kStartSpeedChoices = 6;
constexpr int32_t kMinStartSpeed = 5;
// Velocities below this mark a text that has not started moving.
constexpr int32_t kVelocityNotStarted = -100;
constexpr uint32_t kBounceDrawChoices = 51;
constexpr int32_t kBounceDrawOffset = 25;
constexpr int32_t kMinBounceSpeed = 6;
constexpr int32_t kMaxBounceSpeed = 15;
// A working source lands in the wanted range about every fifth draw; this many
// misses in a row only happen with a broken (or scripted) one.
constexpr int kMaxBounceDraws = 1000;

constexpr const char* kAboutFontFile = "fonts/cad.ttf";
constexpr int kAboutFontPoints = 22;
constexpr const char* kAboutText = "Tessellon " TESSELLON_VERSION "\n"
                                   "Plans to scale on squared paper";

struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};
using FontPtr = std::unique_ptr<TTF_Font, FontCloser>;

// --- Random numbers ------------------------------------------------------

void DrawRandomBytes(void* buffer, size_t count) {
    // Either source fills the whole buffer; whether it was a cryptographic one
    // does not matter for an animation.
    if (editor->ui.aboutRandomSource) {
        editor->ui.aboutRandomSource(buffer, count);
    } else {
        RandomBytes(buffer, count);
    }
}

uint32_t Rand32() {
    uint32_t value = 0;
    DrawRandomBytes(&value, sizeof value);
    return value;
}

uint8_t RandomByte() {
    uint8_t value = 0;
    DrawRandomBytes(&value, sizeof value);
    return value;
}

// A random number from 0 to span - 1. A span of 0 or less (a window too small
// for what is placed in it) gives 0 instead of a division by zero.
int32_t RandomBelow(int32_t span) {
    const uint32_t draw = Rand32();
    return span > 0 ? static_cast<int32_t>(draw % static_cast<uint32_t>(span)) : 0;
}

bool IsBounceSpeed(int32_t velocity, bool negative) {
    const int32_t speed = negative ? -velocity : velocity;
    return speed >= kMinBounceSpeed && speed <= kMaxBounceSpeed;
}

// --- Drawing helpers ------------------------------------------------------

// SDL2_gfx takes 16-bit coordinates; larger values are pinned rather than
// wrapped around to the other side of the window.
Sint16 GfxCoordinate(int32_t value) {
    return static_cast<Sint16>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

// The window size, with a size below 1 counted as kFallbackWindowSize.
SDL_Point AboutWindowSize() {
    SDL_Point size = {0, 0};
    SDL_GetWindowSize(editor->shell.window.get(), &size.x, &size.y);
    if (size.x < 1) {
        size.x = kFallbackWindowSize;
    }
    if (size.y < 1) {
        size.y = kFallbackWindowSize;
    }
    return size;
}

// SDL's tick count wraps around; a time counts as reached from its own tick on.
bool TimeReached(uint32_t now, uint32_t time) {
    return time != 0 && SDL_TICKS_PASSED(now, time);
}

// 0 means "nothing scheduled", so a due time that wraps to 0 moves on by a tick.
uint32_t TimeAfter(uint32_t now, uint32_t delayMs) {
    const uint32_t time = now + delayMs;
    return time != 0 ? time : 1;
}

// --- Events ---------------------------------------------------------------

void LeaveAboutScreen() {
    editor->ui.aboutRequested = false;
    editor->shell.framePeriodMs = kFramePeriodMs;
}

void HandleAboutEvent(SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        // Closing the window must not lose unsaved papers just because the
        // About screen covers them: leave it and ask as a normal close does.
        LeaveAboutScreen();
        ExitProgram();
        break;
    case SDL_WINDOWEVENT:
        RouteWindowEvent(event.window);
        break;
    case SDL_MOUSEMOTION:
        UpdateMousePosition(event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        UpdateMousePosition(event.button.x, event.button.y);
        // The first release of a double click has left already; the second
        // one must not reach anything behind the screen.
        if (event.type == SDL_MOUSEBUTTONUP && event.button.clicks == 1) {
            LeaveAboutScreen();
        }
        break;
    case SDL_KEYDOWN:
        LeaveAboutScreen();
        break;
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
        // Not opened from the About screen, but SDL hands over the text all the same.
        SDL_free(event.drop.file);
        break;
    default:
        break;
    }
}

void HandleAboutEvents() {
    SDL_Event event;
    while (!editor->ui.quitRequested && SDL_PollEvent(&event) != 0) {
        HandleAboutEvent(event);
    }
}

// --- Circles --------------------------------------------------------------

// A random circle that lies wholly inside the window, `kCircleMargin` from
// its edges. The radius shrinks when the window is too small for it.
AboutCircle NewCircle(SDL_Point size) {
    AboutCircle circle;
    const int32_t radius = static_cast<int32_t>(Rand32() % kCircleRadiusChoices) + kMinCircleRadius;
    const int32_t fittingRadius = (std::min(size.x, size.y) - 2 * kCircleMargin - 1) / 2;
    circle.radius = static_cast<uint16_t>(std::max(1, std::min(radius, fittingRadius)));
    circle.step = static_cast<uint8_t>(Rand32() % kCircleStepChoices + kMinCircleStep);
    const int32_t inset = circle.radius + kCircleMargin;
    circle.x = RandomBelow(size.x - 2 * inset) + inset;
    circle.y = RandomBelow(size.y - 2 * inset) + inset;
    circle.angle = 0;
    uint8_t color[4] = {};
    DrawRandomBytes(color, sizeof color);
    circle.red = color[0];
    circle.green = color[1];
    circle.blue = color[2];
    circle.spare = color[3];
    return circle;
}

void StartCircleWhenDue(SDL_Point size, uint32_t now) {
    std::vector<AboutCircle>& circles = editor->ui.aboutState.circles;
    if (!circles.empty() && !TimeReached(now, editor->ui.aboutState.nextCircleTime)) {
        return;
    }
    circles.push_back(NewCircle(size));
    if (circles.size() > AboutState::kMaxCircles) {
        circles.erase(circles.begin());
    }
    editor->ui.aboutState.nextCircleTime = 0;
}

void GrowNewestCircle(uint32_t now) {
    if (editor->ui.aboutState.circles.empty()) {
        return;
    }
    AboutCircle& newest = editor->ui.aboutState.circles.back();
    if (newest.angle >= kFullCircle) {
        return;
    }
    newest.angle = static_cast<uint16_t>(newest.angle + newest.step);
    if (newest.angle >= kFullCircle) {
        newest.angle = kFullCircle;
        editor->ui.aboutState.nextCircleTime = TimeAfter(now, kCirclePauseMs);
    }
}

void DrawCircles() {
    for (const AboutCircle& circle : editor->ui.aboutState.circles) {
        const Sint16 x = GfxCoordinate(circle.x);
        const Sint16 y = GfxCoordinate(circle.y);
        const Sint16 radius = GfxCoordinate(circle.radius);
        if (circle.angle < kFullCircle) {
            arcRGBA(editor->shell.renderer.get(), x, y, radius, 0,
                    static_cast<Sint16>(circle.angle), circle.red, circle.green, circle.blue,
                    SDL_ALPHA_OPAQUE);
        } else {
            aacircleRGBA(editor->shell.renderer.get(), x, y, radius, circle.red, circle.green,
                         circle.blue, SDL_ALPHA_OPAQUE);
        }
    }
}

// --- Drops ----------------------------------------------------------------

void StartDropWhenDue(SDL_Point size, uint32_t now) {
    const std::vector<AboutDrop>& drops = editor->ui.aboutState.drops;
    const bool due = drops.empty() || (drops.size() < AboutState::kMaxDrops &&
                                       TimeReached(now, editor->ui.aboutState.nextDropTime));
    if (!due) {
        return;
    }
    AboutDrop drop;
    const int32_t x = RandomBelow(size.x - 2 * kDropMargin) + kDropMargin;
    std::fill(std::begin(drop.trail), std::end(drop.trail), SDL_Point{x, 0});
    drop.driftDirection = RandomByte() & 1;
    drop.driftPeriod = static_cast<uint8_t>(Rand32() % kDriftPeriodChoices + 1);
    editor->ui.aboutState.drops.push_back(drop);
    editor->ui.aboutState.nextDropTime =
        TimeAfter(now, Rand32() % kDropDelayChoices + kMinDropDelayMs);
}

// The middle of the text, where a drop pushes it; empty while there is no text
// on screen to push.
SDL_Rect TextHitZone() {
    const SDL_Point position = editor->ui.aboutState.textPosition;
    if (editor->ui.aboutState.textTexture == nullptr || position.x < 0) {
        return SDL_Rect{0, 0, 0, 0};
    }
    const int32_t width = editor->ui.aboutState.textWidth;
    const int32_t height = editor->ui.aboutState.textHeight;
    return SDL_Rect{position.x + width / 8, position.y + height / 4, width * 3 / 4, height / 2};
}

void DrawDrop(const AboutDrop& drop) {
    const SDL_Point head = drop.trail[0];
    const SDL_Point tail = drop.trail[AboutDrop::kTrailLength - 1];
    const SDL_Color c = kDropColor;
    aalineRGBA(editor->shell.renderer.get(), GfxCoordinate(head.x), GfxCoordinate(head.y),
               GfxCoordinate(tail.x), GfxCoordinate(tail.y), c.r, c.g, c.b, c.a);
    filledCircleRGBA(editor->shell.renderer.get(), GfxCoordinate(head.x), GfxCoordinate(head.y),
                     kDropHeadRadius, c.r, c.g, c.b, c.a);
}

// Moves the drop one frame on and draws it. False when it is gone: it hit the
// text (which it then pushes) or has left the window.
bool MoveDrop(AboutDrop& drop, const SDL_Rect& hitZone, SDL_Point size) {
    std::copy_backward(std::begin(drop.trail), std::end(drop.trail) - 1, std::end(drop.trail));
    SDL_Point& head = drop.trail[0];
    head.y += kDropFallPerFrame;
    const uint32_t period = std::max<uint32_t>(drop.driftPeriod, 1);
    if (editor->ui.aboutState.frameCounter % period == 0) {
        head.x += drop.driftDirection == 0 ? -1 : 1;
    }
    if (IsInside(hitZone, head)) {
        editor->ui.aboutState.textVelocity.y =
            NewBounceVelocity(editor->ui.aboutState.textVelocity.y);
        return false;
    }
    const SDL_Rect windowArea = {0, 0, size.x, size.y};
    if (!IsInside(windowArea, head) &&
        !IsInside(windowArea, drop.trail[AboutDrop::kTrailLength - 1])) {
        return false;
    }
    DrawDrop(drop);
    return true;
}

void MoveAndDrawDrops(SDL_Point size) {
    const SDL_Rect hitZone = TextHitZone();
    std::vector<AboutDrop> kept;
    kept.reserve(editor->ui.aboutState.drops.size());
    // In list order: each hit bounces the text from the speed the one before left.
    for (AboutDrop& drop : editor->ui.aboutState.drops) {
        if (MoveDrop(drop, hitZone, size)) {
            kept.push_back(drop);
        }
    }
    editor->ui.aboutState.drops = std::move(kept);
}

// --- Text -----------------------------------------------------------------

FontPtr OpenAboutFont() {
    SDL_RWops* stream = PHYSFSRWOPS_openRead(kAboutFontFile);
    if (stream == nullptr) {
        return nullptr;
    }
    return FontPtr(TTF_OpenFontRW(stream, 1, kAboutFontPoints));
}

// The About text in white, its lines centred under each other; in the draw
// font when the larger one cannot be opened.
SurfacePtr RenderAboutTextSurface() {
    const FontPtr ownFont = OpenAboutFont();
    TTF_Font* font = ownFont != nullptr ? ownFont.get() : editor->shell.drawFont.get();
    if (font == nullptr) {
        return nullptr;
    }
    const int previousAlign = TTF_GetFontWrappedAlign(font);
    TTF_SetFontWrappedAlign(font, TTF_WRAPPED_ALIGN_CENTER);
    // A wrap length of 0 breaks the text at its line breaks only.
    SurfacePtr surface(TTF_RenderUTF8_Blended_Wrapped(font, kAboutText, kTextColor, 0));
    TTF_SetFontWrappedAlign(font, previousAlign);
    return surface;
}

void MakeAboutTextWhenMissing() {
    if (editor->ui.aboutState.textTexture != nullptr) {
        return;
    }
    const SurfacePtr surface = RenderAboutTextSurface();
    if (surface == nullptr) {
        return;
    }
    editor->ui.aboutState.textWidth = surface->w;
    editor->ui.aboutState.textHeight = surface->h;
    editor->ui.aboutState.textTexture =
        SDL_CreateTextureFromSurface(editor->shell.renderer.get(), surface.get());
}

// Moves one coordinate of the text by its velocity and bounces it off the
// window edges at 0 and `limit`.
void MoveAlongAxis(int32_t& position, int32_t& velocity, int32_t extent, int32_t limit) {
    position += velocity;
    if (position < 0) {
        position = 0;
        velocity = NewBounceVelocity(velocity);
    } else if (position + extent >= limit) {
        // A text wider than the window keeps its left edge in view.
        position = std::max(0, limit - extent);
        velocity = NewBounceVelocity(velocity);
    }
}

int32_t StartSpeed() {
    return static_cast<int32_t>(Rand32() % kStartSpeedChoices) + kMinStartSpeed;
}

void PlaceAndMoveText(SDL_Point size) {
    SDL_Point& position = editor->ui.aboutState.textPosition;
    SDL_Point& velocity = editor->ui.aboutState.textVelocity;
    if (position.x < 0) {
        position.x = RandomBelow(size.x);
        position.y = RandomBelow(size.y);
    }
    if (velocity.x < kVelocityNotStarted) {
        velocity.x = StartSpeed();
        velocity.y = StartSpeed();
    }
    MoveAlongAxis(position.x, velocity.x, editor->ui.aboutState.textWidth, size.x);
    MoveAlongAxis(position.y, velocity.y, editor->ui.aboutState.textHeight, size.y);
}

void DrawText() {
    const SDL_Rect target = {editor->ui.aboutState.textPosition.x,
                             editor->ui.aboutState.textPosition.y, editor->ui.aboutState.textWidth,
                             editor->ui.aboutState.textHeight};
    SDL_RenderCopy(editor->shell.renderer.get(), editor->ui.aboutState.textTexture, nullptr,
                   &target);
}

} // namespace

int32_t NewBounceVelocity(int32_t oldVelocity) {
    const bool negative = oldVelocity > 0;
    // From a speed beyond the largest bounce speed no draw can land in range
    // (the "not started" marker is one); such a speed bounces like the largest.
    const int32_t old = std::clamp(oldVelocity, -kMaxBounceSpeed, kMaxBounceSpeed);
    uint32_t draw = 0;
    for (int attempt = 0; attempt < kMaxBounceDraws; ++attempt) {
        draw = Rand32();
        const int32_t velocity =
            static_cast<int32_t>(draw % kBounceDrawChoices) - kBounceDrawOffset - old;
        if (IsBounceSpeed(velocity, negative)) {
            return velocity;
        }
    }
    const int32_t speed =
        kMinBounceSpeed + static_cast<int32_t>(draw % (kMaxBounceSpeed - kMinBounceSpeed + 1));
    return negative ? -speed : speed;
}

void RunAboutFrame() {
    ++editor->ui.aboutState.frameCounter;
    const uint32_t frameStart = SDL_GetTicks();
    HandleAboutEvents();

    SDL_SetRenderDrawColor(editor->shell.renderer.get(), kBackgroundColor.r, kBackgroundColor.g,
                           kBackgroundColor.b, kBackgroundColor.a);
    SDL_RenderClear(editor->shell.renderer.get());
    const SDL_Point size = AboutWindowSize();
    const uint32_t now = SDL_GetTicks();

    StartCircleWhenDue(size, now);
    GrowNewestCircle(now);
    DrawCircles();

    StartDropWhenDue(size, now);
    MoveAndDrawDrops(size);

    MakeAboutTextWhenMissing();
    if (editor->ui.aboutState.textTexture != nullptr) {
        PlaceAndMoveText(size);
        DrawText();
    }

    SDL_RenderPresent(editor->shell.renderer.get());
    WaitForFramePeriod(frameStart);
}

void ReleaseAboutText() {
    if (editor->ui.aboutState.textTexture != nullptr) {
        SDL_DestroyTexture(editor->ui.aboutState.textTexture);
        editor->ui.aboutState.textTexture = nullptr;
    }
}
