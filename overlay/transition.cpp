// The frozen frame and its backdrop: the capture, once per opening, and the
// backdrop drawn on every frame the overlay shows.
#include "overlay/transition.h"

#include "overlay/blur.h"
#include "overlay/cross_fade.h"
#include "overlay/state.h"
#include "overlay/grid_io.h"
#include "overlay/pixels.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <cstring>

alignas(64) uint8_t snapshotPixels[GRID_BYTES];
alignas(64) uint8_t backdropPixels[GRID_BYTES];

namespace {

bool coversGrid(const SDL_Surface* surface) {
    return surface && surface->w >= GRID_WIDTH && surface->h >= GRID_HEIGHT;
}

bool sameFormat(const SDL_PixelFormat* a, const SDL_PixelFormat* b) {
    return !a->palette && !b->palette && a->BytesPerPixel == b->BytesPerPixel &&
           a->Rmask == b->Rmask && a->Gmask == b->Gmask && a->Bmask == b->Bmask &&
           a->Amask == b->Amask;
}

// The frozen frame. Between two surfaces of one true-colour format SDL's blit
// only copies the rows, and copying them here is faster.
void freezeFrame() {
    if (!snapshotSurface)
        return;
    if (!coversGrid(snapshotSurface) || !sameFormat(screen->format, snapshotSurface->format) ||
        (snapshotSurface->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA))) {
        SDL_BlitSurface(screen, nullptr, snapshotSurface, nullptr);
        return;
    }
    SurfaceLock from(screen), to(snapshotSurface);
    if (!from.ok() || !to.ok())
        return;
    const int rowBytes = GRID_WIDTH * screen->format->BytesPerPixel;
    for (int y = 0; y < GRID_HEIGHT; ++y)
        std::memcpy(static_cast<uint8_t*>(snapshotSurface->pixels) + y * snapshotSurface->pitch,
                    static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch, rowBytes);
}

} // namespace

// The frame is read once: the blur works from snapshotPixels into
// backdropPixels and leaves the sharp grid as it was read.
void captureSnapshot() {
    if (!coversGrid(screen))
        return;
    freezeFrame();
    {
        SurfaceLock lock(screen);
        if (!lock.ok())
            return;
        readRowsIntoGrid(rowsOf(screen), snapshotPixels);
    }
    blurAndWashOut(snapshotPixels, backdropPixels);
    if (coversGrid(backdropSurface)) {
        SurfaceLock lock(backdropSurface);
        if (lock.ok()) {
            packGridIntoRows(backdropPixels, rowsOf(backdropSurface),
                             backdropSurface->format->Amask);
            keepBackdropForFades(backdropSurface);
        }
    }
}

void drawBackdrop() {
    if (!screen)
        return;
    if (overlayAmount == OVERLAY_FULL) {
        SDL_BlitSurface(backdropSurface, nullptr, screen, nullptr);
        return;
    }
    if (!coversGrid(screen))
        return;
    // The integer part of the amount weighs the backdrop against the sharp frame.
    int t = overlayAmount > 0.0 ? int(overlayAmount) : 0;
    if (t > 100)
        t = 100;
    SurfaceLock lock(screen);
    if (lock.ok())
        drawCrossFade(t, snapshotSurface, snapshotPixels, backdropPixels);
}
