#pragma once
// The About screen: circles that draw themselves, falling drops and the
// program's name bouncing around a black window. It runs in place of the normal
// frame while aboutRequested is set and keeps its animation in aboutState, so
// a second showing carries on where the first stopped.

#include <cstdint>

// One About frame: its own events (a key or a single click leaves, closing the
// window asks about unsaved papers, then quits), the animation, presenting and
// the frame pause.
void RunAboutFrame();

// A new speed of 6 to 15 pixels per frame for a bounce: negative when
// `oldVelocity` was positive, positive otherwise.
int32_t NewBounceVelocity(int32_t oldVelocity);

// Destroys the About text's texture; the next showing renders it again.
void ReleaseAboutText();
