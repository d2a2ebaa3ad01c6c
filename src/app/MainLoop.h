#pragma once
// The paced main loop: events, one frame when anything may have changed, then
// sleep for the rest of the period; at rest it waits for the next event.

#include <cstdint>

union SDL_Event;
struct SDL_WindowEvent;

// Lays the screen out again when the window has changed size.
void RouteWindowEvent(const SDL_WindowEvent& event);
// Sleeps for what is left of framePeriodMs since the tick count `frameStart`.
void WaitForFramePeriod(uint32_t frameStart);
// Routes one event to its handler.
void RouteEvent(SDL_Event& event);
// One pass: an About frame, or the pending events, a frame (unless the window
// is minimised) and the pause that keeps passes at least framePeriodMs apart.
// With a period set and nothing changed, it draws nothing and waits up to
// half a second for an event instead.
// False once quitRequested is set: the loop ends.
bool RunMainLoopPass();
// Passes until quitRequested.
void RunMainLoop();
