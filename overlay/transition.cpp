// The frozen frame and its backdrop: capture, blur and wash-out once per
// opening, then a cross-fade between the two on every frame of a transition.
// The grids are column-major, so each column's bytes lie in one run.
#include "overlay/transition.h"

#include "overlay/driver.h"
#include "overlay/pixels.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <cstring>

uint8_t snapshotPixels[GRID_BYTES];
uint8_t backdropPixels[GRID_BYTES];

namespace {

// The cross-fade is blended into this grid first, then packed into the screen.
uint8_t crossFadePixels[GRID_BYTES];

// Columns handled together when moving between the row-major surfaces and the
// column-major grids, so that both sides stay within a few cache lines.
constexpr int TILE_COLUMNS = 16;
static_assert(GRID_WIDTH % TILE_COLUMNS == 0, "tiles must cover the grid");

bool coversGrid(const SDL_Surface* surface) {
    return surface && surface->w >= GRID_WIDTH && surface->h >= GRID_HEIGHT;
}

// SDL_MapRGB searches the whole palette on every call; neighbouring pixels
// mostly share colours, so a small direct-mapped cache of its answers avoids
// nearly all of those searches. One cache per use, as the palette may change.
class PaletteMatcher {
  public:
    explicit PaletteMatcher(const SDL_PixelFormat* format) : format_(format) {
        std::memset(keys_, 0xff, sizeof keys_); // no 24-bit colour matches
    }
    uint32_t map(uint8_t r, uint8_t g, uint8_t b) {
        const uint32_t key = uint32_t(r) << 16 | uint32_t(g) << 8 | b;
        const uint32_t slot = (key * 2654435761u) >> (32 - CACHE_BITS);
        if (keys_[slot] != key) {
            keys_[slot] = key;
            values_[slot] = SDL_MapRGB(const_cast<SDL_PixelFormat*>(format_), r, g, b);
        }
        return values_[slot];
    }

  private:
    static constexpr int CACHE_BITS = 12;
    const SDL_PixelFormat* format_;
    uint32_t keys_[1 << CACHE_BITS];
    uint32_t values_[1 << CACHE_BITS];
};

// Splits every pixel of `surface` into `grid`, giving what SDL_GetRGB gives.
void readSurfaceIntoGrid(const SDL_Surface* surface, uint8_t* grid) {
    const SDL_PixelFormat* f = surface->format;
    const bool plain32 =
        !f->palette && f->BytesPerPixel == 4 && f->Rloss == 0 && f->Gloss == 0 && f->Bloss == 0;
    if (plain32) {
        // With full 8-bit channels SDL_GetRGB is just mask and shift. The
        // fields are copied out because stores into the grid may alias them.
        const uint32_t rMask = f->Rmask, gMask = f->Gmask, bMask = f->Bmask;
        const int rShift = f->Rshift, gShift = f->Gshift, bShift = f->Bshift;
        const auto* pixels = static_cast<const uint8_t*>(surface->pixels);
        const int pitch = surface->pitch;
        for (int x0 = 0; x0 < GRID_WIDTH; x0 += TILE_COLUMNS) {
            for (int y = 0; y < GRID_HEIGHT; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(pixels + y * pitch);
                uint8_t* out = grid + gridIndex(x0, y, 0);
                for (int x = x0; x < x0 + TILE_COLUMNS; ++x, out += GRID_HEIGHT * 3) {
                    const uint32_t p = row[x];
                    out[0] = uint8_t((p & rMask) >> rShift);
                    out[1] = uint8_t((p & gMask) >> gShift);
                    out[2] = uint8_t((p & bMask) >> bShift);
                }
            }
        }
        return;
    }
    for (int x = 0; x < GRID_WIDTH; ++x) {
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            uint8_t* out = grid + gridIndex(x, y, 0);
            SDL_GetRGB(readRawPixel(surface, x, y), const_cast<SDL_PixelFormat*>(f), &out[0],
                       &out[1], &out[2]);
        }
    }
}

// Stores every pixel of `grid` into `surface`: true-colour formats are packed
// from their loss and shift fields (plus `alphaBits`), palettized ones take
// the palette entry SDL_MapRGB picks.
void packGridIntoSurface(const uint8_t* grid, SDL_Surface* surface, uint32_t alphaBits) {
    const SDL_PixelFormat* f = surface->format;
    if (f->palette) {
        PaletteMatcher matcher(f);
        for (int x = 0; x < GRID_WIDTH; ++x) {
            for (int y = 0; y < GRID_HEIGHT; ++y) {
                const uint8_t* in = grid + gridIndex(x, y, 0);
                writeRawPixel(surface, x, y, matcher.map(in[0], in[1], in[2]));
            }
        }
        return;
    }
    const int rLoss = f->Rloss, gLoss = f->Gloss, bLoss = f->Bloss;
    const int rShift = f->Rshift, gShift = f->Gshift, bShift = f->Bshift;
    const bool fourBytes = f->BytesPerPixel == 4;
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    const int pitch = surface->pitch;
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += TILE_COLUMNS) {
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            const uint8_t* in = grid + gridIndex(x0, y, 0);
            auto* row = reinterpret_cast<uint32_t*>(pixels + y * pitch);
            for (int x = x0; x < x0 + TILE_COLUMNS; ++x, in += GRID_HEIGHT * 3) {
                const uint32_t value = uint32_t(in[0] >> rLoss) << rShift |
                                       uint32_t(in[1] >> gLoss) << gShift |
                                       uint32_t(in[2] >> bLoss) << bShift | alphaBits;
                if (fourBytes)
                    row[x] = value;
                else
                    writeRawPixel(surface, x, y, value);
            }
        }
    }
}

constexpr int BLOCK = 32; // bytes per vector step of the blur and the fade

inline uint8_t averageOfFour(const uint8_t* from, int i, int across, int down, unsigned rounding) {
    const unsigned sum =
        unsigned(from[i - across]) + from[i + across] + from[i - down] + from[i + down];
    return uint8_t((sum + rounding) >> 2);
}

// One blur pass: every channel of the pixels at least `distance` from each
// edge of `to` becomes the truncated average (after adding `rounding`) of the
// four pixels `distance` away in `from`; the edge band of `to` is left alone.
void blurPass(const uint8_t* __restrict from, uint8_t* __restrict to, int distance,
              unsigned rounding) {
    const int across = distance * GRID_HEIGHT * 3; // one column over
    const int down = distance * 3;                 // one row down
    for (int x = distance; x < GRID_WIDTH - distance; ++x) {
        // Rows distance .. 479 - distance of one column are one run of bytes,
        // taken in fixed blocks that the compiler turns into vector code.
        int i = gridIndex(x, distance, 0);
        const int end = gridIndex(x, GRID_HEIGHT - 1 - distance, 2) + 1;
        for (; i + BLOCK <= end; i += BLOCK)
            for (int k = i; k < i + BLOCK; ++k)
                to[k] = averageOfFour(from, k, across, down, rounding);
        for (; i < end; ++i)
            to[i] = averageOfFour(from, i, across, down, rounding);
    }
}

// v -> min(max(v + 50, 100), 255): dark channels settle on 100, the rest are
// lifted by 50 and clipped.
void washOut(uint8_t* grid) {
    static_assert(GRID_BYTES % BLOCK == 0, "the wash-out runs in whole blocks");
    for (int i = 0; i < GRID_BYTES; i += BLOCK)
        for (int k = i; k < i + BLOCK; ++k) {
            const unsigned lifted = grid[k] + 50u;
            grid[k] = uint8_t(lifted < 100u ? 100u : (lifted > 255u ? 255u : lifted));
        }
}

} // namespace

void blurAndWashOut() {
    blurPass(backdropPixels, snapshotPixels, 3, 0);
    blurPass(snapshotPixels, backdropPixels, 3, 1); // the only pass that adds 1
    for (int round = 0; round < 2; ++round) {
        blurPass(backdropPixels, snapshotPixels, 1, 0);
        blurPass(snapshotPixels, backdropPixels, 1, 0);
    }
    washOut(backdropPixels);
}

void captureSnapshot() {
    if (!coversGrid(screen))
        return;
    if (snapshotSurface)
        SDL_BlitSurface(screen, nullptr, snapshotSurface, nullptr);
    {
        SurfaceLock lock(screen);
        if (!lock.ok())
            return;
        readSurfaceIntoGrid(screen, backdropPixels);
    }
    std::memcpy(snapshotPixels, backdropPixels, GRID_BYTES);
    blurAndWashOut();
    if (coversGrid(backdropSurface)) {
        SurfaceLock lock(backdropSurface);
        if (lock.ok())
            packGridIntoSurface(backdropPixels, backdropSurface, backdropSurface->format->Amask);
    }
    // The sharp frame comes back from its frozen copy; without one, from the
    // screen, which still holds the same frame.
    SDL_Surface* sharp = coversGrid(snapshotSurface) ? snapshotSurface : screen;
    SurfaceLock lock(sharp);
    if (lock.ok())
        readSurfaceIntoGrid(sharp, snapshotPixels);
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
    // The weighted sum is at most 255 * 100, so it fits 16 bits, where the
    // compiler divides a vector of sums by 100 with one multiply and shifts.
    const uint16_t backdropWeight = uint16_t(t);
    const uint16_t sharpWeight = uint16_t(100 - t);
    static_assert(GRID_BYTES % BLOCK == 0, "the fade runs in whole blocks");
    for (int i = 0; i < GRID_BYTES; i += BLOCK)
        for (int k = i; k < i + BLOCK; ++k) {
            const uint16_t sum =
                uint16_t(backdropPixels[k] * backdropWeight + snapshotPixels[k] * sharpWeight);
            crossFadePixels[k] = uint8_t(sum / 100);
        }
    SurfaceLock lock(screen);
    if (lock.ok())
        packGridIntoSurface(crossFadePixels, screen, 0); // no alpha bits on the screen
}
