// The frozen frame and its blurred, washed-out backdrop, and the per-frame
// cross-fade between them.
#pragma once

#include <cstdint>

// --- Pixel grids: 640x480 of R, G, B bytes, column by column ------------------
constexpr int GRID_WIDTH = 640;
constexpr int GRID_HEIGHT = 480;
constexpr int GRID_BYTES = GRID_WIDTH * GRID_HEIGHT * 3;
extern uint8_t snapshotPixels[GRID_BYTES]; // the sharp frozen frame (blur workspace)
extern uint8_t backdropPixels[GRID_BYTES]; // the blurred, washed-out frame

// Index of channel `c` (0 R, 1 G, 2 B) of pixel (x, y) in a grid.
inline int gridIndex(int x, int y, int c) {
    return (x * GRID_HEIGHT + y) * 3 + c;
}

// Blurs backdropPixels in six passes (using snapshotPixels as the other grid)
// and washes it out; the result is in backdropPixels.
void blurAndWashOut();

// Freezes the picture now on `screen` and builds the backdrop from it. Called
// by the overlay's step on the frame it opens from the closed state.
void captureSnapshot();

// Covers `screen` with the cross-fade for the current overlayAmount, or the
// finished backdrop at exactly 100.0. Called every frame the overlay shows.
void drawBackdrop();
