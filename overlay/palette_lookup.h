// Nearest palette entries for the overlay's pictures on palettized screens,
// exactly as SDL_MapRGB picks them (the smallest squared distance, the first
// entry on a tie) without searching the whole palette for every pixel: the
// colour cube is cut into cells of 4x4x4 colours, and each cell lists the few
// entries that can be nearest to a colour inside it.
#pragma once

#include <SDL.h>

#include <cstdint>

// --- The lookup for the current palette -------------------------------------
// A cell's word: for most cells its two candidates, the first in byte 0 and
// the second in byte 1 (the same entry twice when one entry wins the whole
// cell); with the top bit set, an offset into paletteCandidateLists, where a
// count is followed by that many candidates, ascending.
constexpr int PALETTE_CELL_BITS = 6; // per channel: 64 cells of 4 values
constexpr uint32_t PALETTE_LISTED = 0x80000000u;
constexpr int PALETTE_LIST_CAPACITY = 1 << 21;
extern uint32_t paletteCells[1 << (3 * PALETTE_CELL_BITS)];
extern uint8_t paletteCandidateLists[PALETTE_LIST_CAPACITY];
extern SDL_Color paletteColours[256]; // the palette the cells were built for

// A palette made of every combination of a few levels per channel, entry i
// being red level i >> (gBits + bBits), green (i >> bBits) & gMask, blue i &
// bMask (SDL's own 8-bit palette of 8 reds, 8 greens and 4 blues is one):
// there the nearest entry is made of the nearest level of each channel, and
// the first of equal entries of the first of equal levels. Such a palette
// needs no cells.
extern bool paletteIsProduct;
extern uint8_t paletteChannelParts[3][256]; // by channel and value: its bits of the entry

// Makes the lookup match `format`'s palette, rebuilding it only when the
// palette changed since the last call; false when the lookup cannot stand in
// for SDL_MapRGB on this format (then call SDL_MapRGB). Called before mapping
// a whole picture.
bool preparePaletteLookup(const SDL_PixelFormat* format);

inline unsigned paletteDistance(uint8_t entry, uint8_t r, uint8_t g, uint8_t b) {
    const SDL_Color& c = paletteColours[entry];
    const int dr = c.r - r, dg = c.g - g, db = c.b - b;
    return unsigned(dr * dr + dg * dg + db * db);
}

// The first of `count` candidates with the strictly smallest distance.
uint8_t nearestListed(const uint8_t* candidates, int count, uint8_t r, uint8_t g, uint8_t b);

// The palette index SDL_MapRGB gives for (r, g, b), once prepared.
inline uint8_t lookUpPaletteIndex(uint8_t r, uint8_t g, uint8_t b) {
    if (paletteIsProduct)
        return uint8_t(paletteChannelParts[0][r] | paletteChannelParts[1][g] |
                       paletteChannelParts[2][b]);
    constexpr int SHIFT = 8 - PALETTE_CELL_BITS;
    const uint32_t cell = paletteCells[(r >> SHIFT) << (2 * PALETTE_CELL_BITS) |
                                       (g >> SHIFT) << PALETTE_CELL_BITS | (b >> SHIFT)];
    if (cell & PALETTE_LISTED) {
        const uint8_t* list = paletteCandidateLists + (cell & ~PALETTE_LISTED);
        return nearestListed(list + 1, list[0], r, g, b);
    }
    // Two candidates, ascending: the second wins only when strictly nearer.
    const uint8_t first = uint8_t(cell), second = uint8_t(cell >> 8);
    return paletteDistance(second, r, g, b) < paletteDistance(first, r, g, b) ? second : first;
}
