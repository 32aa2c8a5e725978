// The frozen frame and its backdrop: the capture, once per opening, and the
// backdrop drawn on every frame the overlay shows.
#include "overlay/transition.h"

#include "overlay/blur.h"
#include "overlay/cross_fade.h"
#include "overlay/state.h"
#include "overlay/grid_io.h"
#include "ui/display.h"
#include "ui/pixel_access.h"
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

bool coversClip(const SDL_Surface* surface) {
    const SDL_Rect& c = surface->clip_rect;
    return c.x == 0 && c.y == 0 && c.w == GRID_WIDTH && c.h == GRID_HEIGHT;
}

// Blits the whole of `from` onto `to` at (0, 0). Between two 640x480
// surfaces of one true-colour format, from a picture with neither a colour
// key nor alpha, SDL's blit only copies the rows; copying them here gives the
// same bytes faster, and at a pace that does not hang on where the two lie in
// memory.
void copyFrame(SDL_Surface* from, SDL_Surface* to) {
    if (!from || !to)
        return;
    if (!coversGrid(from) || !coversGrid(to) || !coversClip(to) ||
        !sameFormat(from->format, to->format) || (from->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA))) {
        SDL_BlitSurface(from, nullptr, to, nullptr);
        return;
    }
    SurfaceLock fromLock(from), toLock(to);
    if (!fromLock.ok() || !toLock.ok())
        return;
    const int rowBytes = GRID_WIDTH * from->format->BytesPerPixel;
    for (int y = 0; y < GRID_HEIGHT; ++y)
        std::memcpy(static_cast<uint8_t*>(to->pixels) + y * to->pitch,
                    static_cast<const uint8_t*>(from->pixels) + y * from->pitch, rowBytes);
}

} // namespace

// The frame is read once: the blur works from snapshotPixels into
// backdropPixels and leaves the sharp grid as it was read.
void captureSnapshot() {
    if (!coversGrid(screen))
        return;
    copyFrame(screen, snapshotSurface);
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
        copyFrame(backdropSurface, screen);
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
