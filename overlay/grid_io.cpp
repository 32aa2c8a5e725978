// Between row-major pixels and column-major grids. The common screens (4
// bytes a pixel, one byte a channel) take a fast path in strips of columns,
// so that the rows read and the columns written stay in the cache; every
// other format goes pixel by pixel through SDL's own conversions.
#include "overlay/grid_io.h"

#include "overlay/wide_kernels.h"
#include "overlay/grid.h"
#include "overlay/palette_lookup.h"
#include "overlay/pixels.h"

#include <cstring>

namespace {

// Columns moved together: one 64-byte line of a 4-byte row.
constexpr int STRIP = 16;
static_assert(GRID_WIDTH % STRIP == 0, "strips must cover the grid");

// A grid pixel's three bytes as one value, R lowest, and back. The last pixel
// of every column is read and written bytewise: the byte after it is the
// first of the next column, or past the grid's end.
inline uint32_t loadRgb(const uint8_t* p, bool last) {
    if (last)
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void storeRgb(uint8_t* p, uint32_t rgb, bool last) {
    if (last) {
        p[0] = uint8_t(rgb);
        p[1] = uint8_t(rgb >> 8);
        p[2] = uint8_t(rgb >> 16);
    } else {
        std::memcpy(p, &rgb, 4); // the fourth byte is the next row's, written after this one
    }
}

// Where a format keeps its channels. The usual 32-bit screen keeps R, G, B in
// bytes 2, 1, 0 of the pixel value: the grid's byte order reversed, one byte
// swap away.
struct ChannelShifts {
    int r, g, b;
};

ChannelShifts shiftsOf(const SDL_PixelFormat* f) {
    return {f->Rshift, f->Gshift, f->Bshift};
}
bool fourByteChannels(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 4 && hasByteChannels(f);
}
bool usualLayout(const SDL_PixelFormat* f) {
    return fourByteChannels(f) && f->Rshift == 16 && f->Gshift == 8 && f->Bshift == 0;
}

// A pixel value and the grid's three bytes (R lowest), both ways.
template <bool USUAL> inline uint32_t rgbOf(uint32_t p, ChannelShifts s) {
    if (USUAL)
        return __builtin_bswap32(p) >> 8;
    return (p >> s.r & 255) | (p >> s.g & 255) << 8 | (p >> s.b & 255) << 16;
}
template <bool USUAL> inline uint32_t pixelOf(uint32_t rgb, ChannelShifts s) {
    if (USUAL)
        return __builtin_bswap32(rgb << 8);
    return (rgb & 255) << s.r | (rgb >> 8 & 255) << s.g | (rgb >> 16 & 255) << s.b;
}

template <bool USUAL> void readFourByteRows(PixelRows rows, uint8_t* grid) {
    const ChannelShifts s = shiftsOf(rows.format);
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += STRIP)
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(rows.pixels + y * rows.pitch);
            const bool last = y == GRID_HEIGHT - 1;
            uint8_t* out = grid + gridIndex(x0, y, 0);
            for (int x = x0; x < x0 + STRIP; ++x, out += GRID_COLUMN_BYTES)
                storeRgb(out, rgbOf<USUAL>(row[x], s), last);
        }
}

template <bool USUAL> void packFourByteRows(const uint8_t* grid, PixelRows rows, uint32_t alpha) {
    const ChannelShifts s = shiftsOf(rows.format);
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += STRIP)
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(rows.pixels + y * rows.pitch);
            const bool last = y == GRID_HEIGHT - 1;
            const uint8_t* in = grid + gridIndex(x0, y, 0);
            for (int x = x0; x < x0 + STRIP; ++x, in += GRID_COLUMN_BYTES)
                row[x] = pixelOf<USUAL>(loadRgb(in, last), s) | alpha;
        }
}

uint32_t rawAt(PixelRows rows, int x, int y) {
    const int bytes = rows.format->BytesPerPixel;
    return readRawValue(rows.pixels + y * rows.pitch + x * bytes, bytes);
}
void storeRawAt(PixelRows rows, int x, int y, uint32_t value) {
    const int bytes = rows.format->BytesPerPixel;
    writeRawValue(rows.pixels + y * rows.pitch + x * bytes, bytes, value);
}

// Palette indices to their colours, which is all SDL_GetRGB does with them.
void readPaletteIndices(PixelRows rows, uint8_t* grid) {
    const SDL_Palette* palette = rows.format->palette;
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += STRIP)
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            const uint8_t* row = rows.pixels + y * rows.pitch;
            uint8_t* out = grid + gridIndex(x0, y, 0);
            for (int x = x0; x < x0 + STRIP; ++x, out += GRID_COLUMN_BYTES) {
                const SDL_Color none{0, 0, 0, 0};
                const SDL_Color& c = row[x] < palette->ncolors ? palette->colors[row[x]] : none;
                out[0] = c.r;
                out[1] = c.g;
                out[2] = c.b;
            }
        }
}

// Palette indices, in strips like the 4-byte moves (a row of 640 bytes is
// ten cache lines, so walking down one column meets the same few line slots
// of the first-level cache again and again).
template <typename IndexOf> void packIndices(const uint8_t* grid, PixelRows rows, IndexOf indexOf) {
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += STRIP)
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            const uint8_t* in = grid + gridIndex(x0, y, 0);
            uint8_t* out = rows.pixels + y * rows.pitch;
            for (int x = x0; x < x0 + STRIP; ++x, in += GRID_COLUMN_BYTES)
                out[x] = indexOf(in);
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
    if (usualLayout(rows.format)) {
#if defined(RORED_AVX2_KERNELS)
        if (kernelWidth() >= KernelWidth::Avx2)
            return readUsualPixelsAvx2(rows.pixels, rows.pitch, grid);
#endif
        return readFourByteRows<true>(rows, grid);
    }
    if (fourByteChannels(rows.format))
        return readFourByteRows<false>(rows, grid);
    if (rows.format->palette && rows.format->BytesPerPixel == 1)
        return readPaletteIndices(rows, grid);
    auto* format = const_cast<SDL_PixelFormat*>(rows.format);
    for (int x = 0; x < GRID_WIDTH; ++x)
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            uint8_t* out = grid + gridIndex(x, y, 0);
            SDL_GetRGB(rawAt(rows, x, y), format, &out[0], &out[1], &out[2]);
        }
}

void packGridIntoRows(const uint8_t* grid, PixelRows rows, uint32_t alphaBits) {
    const SDL_PixelFormat* f = rows.format;
    if (usualLayout(f)) {
#if defined(RORED_AVX2_KERNELS)
        if (kernelWidth() >= KernelWidth::Avx2)
            return packUsualPixelsAvx2(grid, rows.pixels, rows.pitch, alphaBits);
#endif
        return packFourByteRows<true>(grid, rows, alphaBits);
    }
    if (fourByteChannels(f))
        return packFourByteRows<false>(grid, rows, alphaBits);
    if (f->palette && f->BytesPerPixel == 1 && preparePaletteLookup(f)) {
        if (paletteIsProduct) { // each channel's bits of the index straight from its table
            const uint8_t* red = paletteChannelParts[0];
            const uint8_t* green = paletteChannelParts[1];
            const uint8_t* blue = paletteChannelParts[2];
            return packIndices(grid, rows, [=](const uint8_t* in) {
                return uint8_t(red[in[0]] | green[in[1]] | blue[in[2]]);
            });
        }
        return packIndices(
            grid, rows, [](const uint8_t* in) { return lookUpPaletteIndex(in[0], in[1], in[2]); });
    }
    if (f->palette) { // a palette the lookup cannot stand in for
        auto* format = const_cast<SDL_PixelFormat*>(f);
        for (int x = 0; x < GRID_WIDTH; ++x)
            for (int y = 0; y < GRID_HEIGHT; ++y) {
                const uint8_t* in = grid + gridIndex(x, y, 0);
                storeRawAt(rows, x, y, SDL_MapRGB(format, in[0], in[1], in[2]));
            }
        return;
    }
    for (int x = 0; x < GRID_WIDTH; ++x)
        for (int y = 0; y < GRID_HEIGHT; ++y) {
            const uint8_t* in = grid + gridIndex(x, y, 0);
            storeRawAt(rows, x, y,
                       uint32_t(in[0] >> f->Rloss) << f->Rshift |
                           uint32_t(in[1] >> f->Gloss) << f->Gshift |
                           uint32_t(in[2] >> f->Bloss) << f->Bshift | alphaBits);
        }
}
