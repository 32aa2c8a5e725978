// The pause overlay's driver: the Escape toggle, the easing of how far it is
// open, and the order in which its pieces run each frame.
#pragma once

#include "overlay/state.h"

#include <ctime>

// One easing step of the amount toward 100.0 (open) or 0.0 (closed); lands on
// the target exactly after 39 steps from the other end.
double easeOverlayAmount(double amount, bool open);

// Converts `now` to local time into overlayLocalTime and sets overlayTimeKnown
// to whether that worked. Called by updateOverlay with the current time.
bool refreshOverlayLocalTime(time_t now);

// Opens the overlay at its next step as Escape opens it from closed or
// closing; open or opening, it stays so. Called by the frame pass when the
// player looks away from a match (focus lost, window iconified or unmapped).
void requestOverlayPause();

// The Escape toggle (capturing the frame on opening from closed), the backdrop
// and one easing step. Called first by updateOverlay.
void stepOverlayTransition();

// The overlay's whole frame: transition, then while it shows the local time,
// the menu and the bars, and last the pointer. Called once per pass by the main
// loop, after the match and before SDL_Flip.
void updateOverlay();
