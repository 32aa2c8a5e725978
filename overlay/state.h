// The pause overlay's state, read by every piece of the overlay and by the
// main loop; only the driver changes how far it is open.
#pragma once

#include <ctime>

constexpr double OVERLAY_CLOSED = 0.0;
constexpr double OVERLAY_FULL = 100.0;

// --- Overlay state --------------------------------------------------------------
extern double overlayAmount;  // 0.0 closed .. 100.0 fully open; compared exactly
extern bool overlayOpen;      // target: true while opening or open
extern tm overlayLocalTime;   // local time of this frame, while the overlay shows
extern bool overlayTimeKnown; // false when the local time could not be read

// Interpolates from `closedValue` (amount 0.0) to `openValue` (100.0),
// truncated toward zero. Used by the menu and the bars to slide with the overlay.
int overlaySlide(int closedValue, int openValue);
