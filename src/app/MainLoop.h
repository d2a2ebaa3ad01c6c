#pragma once
// The paced main loop: events, one frame, then sleep for the rest of the period.

union SDL_Event;

// Routes one event to its handler.
void RouteEvent(SDL_Event& event);
// One pass: an About frame, or the pending events, a frame (unless the window
// is minimised) and the pause that keeps passes at least framePeriodMs apart.
// False once quitRequested is set: the loop ends.
bool RunMainLoopPass();
// Passes until quitRequested.
void RunMainLoop();
