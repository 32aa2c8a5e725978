// The frozen frame and its blurred, washed-out backdrop, and the per-frame
// cross-fade between them.
#pragma once

#include "overlay/grid.h"

#include <cstdint>

// --- Pixel grids, 640x480 of R, G, B bytes, column by column -----------------
extern uint8_t snapshotPixels[GRID_BYTES]; // the sharp frozen frame
extern uint8_t backdropPixels[GRID_BYTES]; // the blurred, washed-out frame

// Freezes the picture now on `screen` and builds the backdrop from it. Called
// by the overlay's step on the frame it opens from the closed state.
void captureSnapshot();

// Covers `screen` with the cross-fade for the current overlayAmount, or the
// finished backdrop at exactly 100.0. Called every frame the overlay shows.
void drawBackdrop();
