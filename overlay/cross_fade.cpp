// The cross-fade. On screens whose channels are whole bytes the fade mixes
// the raw bytes of the frozen frame and of a packed copy of the backdrop, row
// by row, which is the same as mixing the grids channel by channel and packing
// the result (the unused fourth byte of a pixel is mixed too, and means
// nothing). Every other screen mixes the grids and packs the result through
// its own format, palettized screens through the palette lookup.
#include "overlay/cross_fade.h"

#include "overlay/grid.h"
#include "overlay/grid_io.h"
#include "ui/display.h"
#include "ui/pixel_access.h"
#include "ui/pixel_kernels.h"

#include <cstring>

namespace {

constexpr int MAX_BYTES_PER_PIXEL = 4;
constexpr int MAX_ROW_BYTES = GRID_WIDTH * MAX_BYTES_PER_PIXEL;

// The backdrop as packed into the screen's format, rows of 640 pixels.
uint8_t backdropRows[GRID_HEIGHT * MAX_ROW_BYTES];
int backdropRowBytes = 0; // 0 while no packed backdrop is kept

// The grids' fade, before it is packed into a screen of another kind.
uint8_t crossFadePixels[GRID_BYTES];

bool coversGrid(const SDL_Surface* surface) {
    return surface && surface->w >= GRID_WIDTH && surface->h >= GRID_HEIGHT;
}

bool canMixRawBytes(const SDL_Surface* sharp) {
    return backdropRowBytes != 0 && coversGrid(sharp) &&
           sharp->format->BytesPerPixel == screen->format->BytesPerPixel &&
           backdropRowBytes == GRID_WIDTH * screen->format->BytesPerPixel &&
           hasByteChannels(screen->format);
}

} // namespace

void keepBackdropForFades(const SDL_Surface* backdrop) {
    backdropRowBytes = 0;
    if (!coversGrid(backdrop) || !hasByteChannels(backdrop->format))
        return;
    const int rowBytes = GRID_WIDTH * backdrop->format->BytesPerPixel;
    for (int y = 0; y < GRID_HEIGHT; ++y)
        std::memcpy(backdropRows + y * rowBytes,
                    static_cast<const uint8_t*>(backdrop->pixels) + y * backdrop->pitch, rowBytes);
    backdropRowBytes = rowBytes;
}

void drawCrossFade(int t, const SDL_Surface* sharp, const uint8_t* sharpGrid,
                   const uint8_t* backdropGrid) {
    if (canMixRawBytes(sharp)) {
        SurfaceLock lock(const_cast<SDL_Surface*>(sharp));
        if (lock.ok()) {
            for (int y = 0; y < GRID_HEIGHT; ++y)
                mixBytes(static_cast<const uint8_t*>(sharp->pixels) + y * sharp->pitch,
                         backdropRows + y * backdropRowBytes,
                         static_cast<uint8_t*>(screen->pixels) + y * screen->pitch,
                         backdropRowBytes, t);
            return;
        }
    }
    mixBytes(sharpGrid, backdropGrid, crossFadePixels, GRID_BYTES, t);
    packGridIntoRows(crossFadePixels, rowsOf(screen), 0); // no alpha bits on the screen
}
