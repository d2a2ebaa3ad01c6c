#pragma once
// Keyboard and mouse input: which of the menus, the toolbox, the selection,
// the tool in progress or the paper view gets it, and the keyboard shortcuts.

#include <SDL2/SDL_events.h>

#include <cstdint>

// SDL modifier masks the shortcuts look at.
constexpr uint16_t kModCtrl = KMOD_LCTRL | KMOD_RCTRL;
constexpr uint16_t kModShift = KMOD_LSHIFT | KMOD_RSHIFT;
constexpr uint16_t kModAlt = KMOD_LALT | KMOD_RALT;
constexpr uint16_t kModGui = KMOD_LGUI | KMOD_RGUI;
// Lock keys (Num, Caps, Scroll) never matter.
constexpr uint16_t kModAnyHeld = kModShift | kModCtrl | kModAlt | kModGui | KMOD_MODE;

// Key presses, repeats included. Key releases are not handled.
void HandleKeyDown(SDL_Keycode sym, uint16_t mod);
void HandleMouseMotion(int32_t x, int32_t y);
void HandleMouseButton(const SDL_MouseButtonEvent& event);
void HandleMouseWheel(const SDL_MouseWheelEvent& event);

// The layer (0..15) a layer key chooses: 1..9 and 0, then t, y, u, i, o, p;
// -1 for any other key.
int LayerOfKey(SDL_Keycode sym);

// The rotation after one wheel step from `angle`: `step` degrees up or down,
// snapped toward zero to a multiple of the step, brought into 0..359.
int32_t RotateByWheel(int32_t angle, bool up, int32_t step);
