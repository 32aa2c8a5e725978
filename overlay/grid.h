// The overlay's pixel grids: 640x480 pixels of R, G, B bytes stored column by
// column (all 480 pixels of column 0, then column 1, ...).
#pragma once

#include <cstdint>

constexpr int GRID_WIDTH = 640;
constexpr int GRID_HEIGHT = 480;
constexpr int GRID_COLUMN_BYTES = GRID_HEIGHT * 3;
constexpr int GRID_BYTES = GRID_WIDTH * GRID_COLUMN_BYTES;

// Index of channel `c` (0 R, 1 G, 2 B) of pixel (x, y) in a grid.
inline int gridIndex(int x, int y, int c) {
    return x * GRID_COLUMN_BYTES + y * 3 + c;
}
