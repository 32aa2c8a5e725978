// Nearest palette entries for the overlay's pictures on palettized screens,
// exactly as SDL_MapRGB picks them (the smallest squared distance, the first
// entry on a tie), for palettes made of every combination of a few levels per
// channel, such as SDL's own 8-bit palette of 8 reds, 8 greens and 4 blues.
// Entry i of such a palette is red level i >> (gBits + bBits), green level
// (i >> bBits) & gMask and blue level i & bMask; its nearest entry is made of
// the nearest level of each channel, and the first of equal entries of the
// first of equal levels. Other palettes are left to SDL_MapRGB.
#pragma once

#include <SDL.h>

#include <cstdint>

// --- The lookup for the current palette -------------------------------------
extern uint8_t paletteChannelParts[3][256]; // by channel and value: its bits of the entry

// Makes the lookup match `format`'s palette, rebuilding it only when the
// palette changed since the last call; false when the lookup cannot stand in
// for SDL_MapRGB on this palette (then call SDL_MapRGB). Called before mapping
// a whole picture.
bool preparePaletteLookup(const SDL_PixelFormat* format);

// The palette index SDL_MapRGB gives for (r, g, b), once prepared.
inline uint8_t lookUpPaletteIndex(uint8_t r, uint8_t g, uint8_t b) {
    return uint8_t(paletteChannelParts[0][r] | paletteChannelParts[1][g] |
                   paletteChannelParts[2][b]);
}
