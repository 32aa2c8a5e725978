// Framed panels: corners, edges repeated along the interior and a repeated
// fill, with the last tile of each run cut to what remains. Nothing is
// stretched and nothing is cached; a panel is rebuilt every frame.
//
//   0 6 6 6 6 2      columns of the tile sheet by role:
//   7 8 8 8 8 5      0 top-left   1 bottom-left   2 top-right  3 bottom-right
//   7 8 8 8 8 5      4 bottom     5 right         6 top        7 left
//   1 4 4 4 4 3      8 fill
#include "ui/panel.h"

#include "ui/display.h"
#include "ui/theme.h"

namespace {

enum TileColumn {
    TOP_LEFT = 0,
    BOTTOM_LEFT = 1,
    TOP_RIGHT = 2,
    BOTTOM_RIGHT = 3,
    BOTTOM_EDGE = 4,
    RIGHT_EDGE = 5,
    TOP_EDGE = 6,
    LEFT_EDGE = 7,
    FILL = 8,
};

// Blits the top-left w x h part of a tile; an empty piece draws nothing.
void blitPiece(int row, int column, int w, int h, int x, int y) {
    if (w <= 0 || h <= 0)
        return;
    SDL_Rect source = buttonCells[row][column];
    source.w = static_cast<Uint16>(w);
    source.h = static_cast<Uint16>(h);
    blitAt(buttonImage, &source, x, y);
}

void blitTile(int row, int column, int x, int y) {
    blitPiece(row, column, BUTTON_TILE, BUTTON_TILE, x, y);
}

} // namespace

void drawPanel(int x, int y, int width, int height, bool highlighted) {
    const int T = BUTTON_TILE;
    const int r = highlighted ? 1 : 0;
    const int nx = width / T, ny = height / T;
    const int rw = width - T * nx, rh = height - T * ny;

    // Corners
    blitTile(r, TOP_LEFT, x - T, y - T);
    blitTile(r, BOTTOM_LEFT, x - T, y + height);
    blitTile(r, TOP_RIGHT, x + width, y - T);
    blitTile(r, BOTTOM_RIGHT, x + width, y + height);

    // Edges
    for (int i = 0; i < nx; ++i)
        blitTile(r, BOTTOM_EDGE, x + T * i, y + height);
    blitPiece(r, BOTTOM_EDGE, rw, T, x + T * nx, y + height);
    for (int j = 0; j < ny; ++j)
        blitTile(r, RIGHT_EDGE, x + width, y + T * j);
    blitPiece(r, RIGHT_EDGE, T, rh, x + width, y + T * ny);
    for (int i = 0; i < nx; ++i)
        blitTile(r, TOP_EDGE, x + T * i, y - T);
    blitPiece(r, TOP_EDGE, rw, T, x + T * nx, y - T);
    for (int j = 0; j < ny; ++j)
        blitTile(r, LEFT_EDGE, x - T, y + T * j);
    blitPiece(r, LEFT_EDGE, T, rh, x - T, y + T * ny);

    // Fill
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i)
            blitTile(r, FILL, x + T * i, y + T * j);
    for (int j = 0; j < ny; ++j)
        blitPiece(r, FILL, rw, T, x + T * nx, y + T * j);
    for (int i = 0; i < nx; ++i)
        blitPiece(r, FILL, T, rh, x + T * i, y + T * ny);
    blitPiece(r, FILL, rw, rh, x + T * nx, y + T * ny);
}
