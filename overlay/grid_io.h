// Moving pictures between rows of pixels in an SDL pixel format and the
// overlay's grids (column by column, R, G, B bytes).
#pragma once

#include <SDL.h>

#include <cstdint>

// 640x480 pixels in a format, `pitch` bytes from one row to the next: a
// locked surface's, or a plain buffer's.
struct PixelRows {
    const SDL_PixelFormat* format;
    uint8_t* pixels;
    int pitch;
};

// The rows of a locked surface.
PixelRows rowsOf(SDL_Surface* surface);

// True when each colour channel of the format is one whole byte of a 3- or
// 4-byte pixel: then a channel's value is its byte, unchanged.
bool hasByteChannels(const SDL_PixelFormat* format);

// Splits every pixel into `grid`, giving what SDL_GetRGB gives.
void readRowsIntoGrid(PixelRows rows, uint8_t* grid);

// Stores every pixel of `grid`: true-colour formats are packed from their loss
// and shift fields (plus `alphaBits`), palettized ones take the palette entry
// SDL_MapRGB picks.
void packGridIntoRows(const uint8_t* grid, PixelRows rows, uint32_t alphaBits);
