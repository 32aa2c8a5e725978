// The pause overlay's state, its Escape toggle and easing, and the order in
// which its pieces run each frame.
#pragma once

#include <ctime>

constexpr double OVERLAY_CLOSED = 0.0;
constexpr double OVERLAY_FULL = 100.0;

// --- Overlay state --------------------------------------------------------------
extern double overlayAmount;  // 0.0 closed .. 100.0 fully open; compared exactly
extern bool overlayOpen;      // target: true while opening or open
extern tm overlayLocalTime;   // local time of this frame, while the overlay shows
extern bool overlayTimeKnown; // false when the local time could not be read

// One easing step of the amount toward 100.0 (open) or 0.0 (closed); lands on
// the target exactly after 39 steps from the other end.
double easeOverlayAmount(double amount, bool open);

// Interpolates from `closedValue` (amount 0.0) to `openValue` (100.0),
// truncated toward zero.
int overlaySlide(int closedValue, int openValue);

// Converts `now` to local time into overlayLocalTime and sets overlayTimeKnown
// to whether that worked. Called by updateOverlay with the current time.
bool refreshOverlayLocalTime(time_t now);

// The Escape toggle (capturing the frame on opening from closed), the backdrop
// and one easing step. Called first by updateOverlay.
void stepOverlayTransition();

// The overlay's whole frame: transition, then while it shows the local time,
// the menu and the bars, and last the pointer. Called once per pass by the main
// loop, after the match and before SDL_Flip.
void updateOverlay();
