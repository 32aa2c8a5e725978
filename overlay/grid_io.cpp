// Between row-major pixels and column-major grids. Screens of four bytes a
// pixel and a byte a channel move in blocks through the pixel kernels; every
// other format goes pixel by pixel through SDL's own conversions, palettized
// ones through the palette lookup where it stands in for SDL_MapRGB.
#include "overlay/grid_io.h"

#include "overlay/grid.h"
#include "overlay/palette_lookup.h"
#include "ui/pixel_access.h"
#include "ui/pixel_kernels.h"

namespace {

bool fourByteChannels(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 4 && hasByteChannels(f);
}

ByteChannels byteChannelsOf(const SDL_PixelFormat* f) {
    return {f->Rshift / 8, f->Gshift / 8, f->Bshift / 8};
}

// Calls visit(pixel, gridPixel) for every pixel, in strips of 16 columns: a
// row of pixels is a few cache lines, a step along a column a new one, and a
// strip's columns stay in the first-level cache from one row to the next.
template <typename Pixels, typename Grid, typename Visit>
void forEachPixel(PixelRows rows, Grid* grid, Visit visit) {
    constexpr int STRIP = 16;
    static_assert(GRID_WIDTH % STRIP == 0, "strips must cover the grid");
    const int bytes = rows.format->BytesPerPixel;
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += STRIP)
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            Pixels* pixel = rows.pixels + y * rows.pitch + x0 * bytes;
            Grid* in = grid + gridIndex(x0, y, 0);
            for (int x = x0; x < x0 + STRIP; ++x, pixel += bytes, in += GRID_COLUMN_BYTES)
                visit(pixel, in);
        }
}

} // namespace

PixelRows rowsOf(SDL_Surface* surface) {
    return {surface->format, static_cast<uint8_t*>(surface->pixels), surface->pitch};
}

bool hasByteChannels(const SDL_PixelFormat* f) {
    return !f->palette && (f->BytesPerPixel == 3 || f->BytesPerPixel == 4) && f->Rloss == 0 &&
           f->Gloss == 0 && f->Bloss == 0 && f->Rshift % 8 == 0 && f->Gshift % 8 == 0 &&
           f->Bshift % 8 == 0;
}

void readRowsIntoGrid(PixelRows rows, uint8_t* grid) {
    auto* format = const_cast<SDL_PixelFormat*>(rows.format);
    if (fourByteChannels(format) &&
        readPixelsIntoGrid(rows.pixels, rows.pitch, byteChannelsOf(format), GRID_WIDTH, GRID_HEIGHT,
                           grid))
        return;
    const int bytes = format->BytesPerPixel;
    forEachPixel<const uint8_t>(rows, grid, [=](const uint8_t* pixel, uint8_t* out) {
        SDL_GetRGB(readRawValue(pixel, bytes), format, &out[0], &out[1], &out[2]);
    });
}

void packGridIntoRows(const uint8_t* grid, PixelRows rows, uint32_t alphaBits) {
    const SDL_PixelFormat* f = rows.format;
    if (fourByteChannels(f) && packGridIntoPixels(grid, GRID_WIDTH, GRID_HEIGHT, byteChannelsOf(f),
                                                  alphaBits, rows.pixels, rows.pitch))
        return;
    const int bytes = f->BytesPerPixel;
    if (f->palette && preparePaletteLookup(f))
        return forEachPixel<uint8_t>(rows, grid, [](uint8_t* pixel, const uint8_t* in) {
            *pixel = lookUpPaletteIndex(in[0], in[1], in[2]);
        });
    auto* format = const_cast<SDL_PixelFormat*>(f);
    if (f->palette) // a palette the lookup cannot stand in for
        return forEachPixel<uint8_t>(rows, grid, [=](uint8_t* pixel, const uint8_t* in) {
            writeRawValue(pixel, bytes, SDL_MapRGB(format, in[0], in[1], in[2]));
        });
    forEachPixel<uint8_t>(rows, grid, [=](uint8_t* pixel, const uint8_t* in) {
        writeRawValue(pixel, bytes,
                      uint32_t(in[0] >> f->Rloss) << f->Rshift |
                          uint32_t(in[1] >> f->Gloss) << f->Gshift |
                          uint32_t(in[2] >> f->Bloss) << f->Bshift | alphaBits);
    });
}
