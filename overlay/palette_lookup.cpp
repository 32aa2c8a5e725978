// Builds the cells of the palette lookup. An entry can be nearest to some
// colour of a box only if its distance to the box's nearest colour is at most
// M, the smallest farthest-colour distance of any entry: the entry behind M
// is at most M from every colour of the box, so an entry that is always
// farther can never win, nor tie. Cells take their candidates from those of
// the 32x32x32 box around them, so building costs a few milliseconds, once
// per palette.
#include "overlay/palette_lookup.h"

#include <cstring>

uint32_t paletteCells[1 << (3 * PALETTE_CELL_BITS)];
uint8_t paletteCandidateLists[PALETTE_LIST_CAPACITY];
SDL_Color paletteColours[256];
bool paletteIsProduct;
uint8_t paletteChannelParts[3][256];

namespace {

int builtColourCount = -1; // entries of the palette the cells hold; -1 before the first build
bool builtUsable = false;

struct Box {
    int lo[3], hi[3]; // inclusive channel ranges, R, G, B
};

unsigned square(int v) {
    return unsigned(v * v);
}

// Squared distances from an entry to the nearest and the farthest colour of a box.
void distanceRange(const SDL_Color& colour, const Box& box, unsigned& nearest, unsigned& farthest) {
    const int channel[3] = {colour.r, colour.g, colour.b};
    nearest = farthest = 0;
    for (int k = 0; k < 3; ++k) {
        const int c = channel[k], lo = box.lo[k], hi = box.hi[k];
        nearest += square(c < lo ? lo - c : (c > hi ? c - hi : 0));
        farthest += square(c - lo > hi - c ? c - lo : hi - c);
    }
}

// Writes to `out` the entries of `from` (ascending) that can be nearest to a
// colour of the box, keeping their order; returns how many.
int candidatesFor(const Box& box, const uint8_t* from, int fromCount, uint8_t* out) {
    unsigned nearest[256], bound = ~0u;
    for (int i = 0; i < fromCount; ++i) {
        unsigned farthest;
        distanceRange(paletteColours[from[i]], box, nearest[i], farthest);
        if (farthest < bound)
            bound = farthest;
    }
    int count = 0;
    for (int i = 0; i < fromCount; ++i)
        if (nearest[i] <= bound)
            out[count++] = from[i];
    return count;
}

Box boxAt(int r, int g, int b, int size) {
    return {{r, g, b}, {r + size - 1, g + size - 1, b + size - 1}};
}

// Fills every cell; false if the candidate lists outgrow their room.
bool buildCells(int colourCount) {
    constexpr int CELL = 1 << (8 - PALETTE_CELL_BITS);
    constexpr int REGION = 32; // the box whose candidates its cells start from
    constexpr int SHIFT = 8 - PALETTE_CELL_BITS;
    uint8_t all[256], region[256], cell[256];
    for (int i = 0; i < colourCount; ++i)
        all[i] = uint8_t(i);
    uint32_t listed = 0;
    for (int r0 = 0; r0 < 256; r0 += REGION)
        for (int g0 = 0; g0 < 256; g0 += REGION)
            for (int b0 = 0; b0 < 256; b0 += REGION) {
                const int regionCount =
                    candidatesFor(boxAt(r0, g0, b0, REGION), all, colourCount, region);
                for (int r = r0; r < r0 + REGION; r += CELL)
                    for (int g = g0; g < g0 + REGION; g += CELL)
                        for (int b = b0; b < b0 + REGION; b += CELL) {
                            const int count =
                                candidatesFor(boxAt(r, g, b, CELL), region, regionCount, cell);
                            uint32_t& word =
                                paletteCells[(r >> SHIFT) << (2 * PALETTE_CELL_BITS) |
                                             (g >> SHIFT) << PALETTE_CELL_BITS | (b >> SHIFT)];
                            if (count <= 2) {
                                word = uint32_t(cell[0]) | uint32_t(cell[count - 1]) << 8;
                                continue;
                            }
                            if (listed + 1 + count > uint32_t(PALETTE_LIST_CAPACITY))
                                return false;
                            word = PALETTE_LISTED | listed;
                            paletteCandidateLists[listed] = uint8_t(count);
                            std::memcpy(paletteCandidateLists + listed + 1, cell, count);
                            listed += 1 + count;
                        }
            }
    return true;
}

uint8_t channelOf(const SDL_Color& c, int channel) {
    return channel == 0 ? c.r : (channel == 1 ? c.g : c.b);
}

// Tries every split of the index bits into red, green and blue levels; on a
// split that fits, fills paletteChannelParts with each value's nearest level
// (the first of equally near ones) shifted into place.
bool findChannelLevels(int colourCount) {
    int indexBits = 0;
    while ((1 << indexBits) < colourCount)
        ++indexBits;
    if ((1 << indexBits) != colourCount)
        return false;
    for (int redBits = 0; redBits <= indexBits; ++redBits)
        for (int greenBits = 0; redBits + greenBits <= indexBits; ++greenBits) {
            const int bits[3] = {redBits, greenBits, indexBits - redBits - greenBits};
            const int shifts[3] = {bits[1] + bits[2], bits[2], 0};
            int levels[3][256];
            bool fits = true;
            for (int k = 0; k < 3; ++k)
                for (int level = 0; level < (1 << bits[k]); ++level)
                    levels[k][level] = channelOf(paletteColours[level << shifts[k]], k);
            for (int i = 0; i < colourCount && fits; ++i)
                for (int k = 0; k < 3; ++k)
                    fits = fits && channelOf(paletteColours[i], k) ==
                                       levels[k][(i >> shifts[k]) & ((1 << bits[k]) - 1)];
            if (!fits)
                continue;
            for (int k = 0; k < 3; ++k)
                for (int value = 0; value < 256; ++value) {
                    unsigned nearest = ~0u;
                    for (int level = 0; level < (1 << bits[k]); ++level)
                        if (square(levels[k][level] - value) < nearest) {
                            nearest = square(levels[k][level] - value);
                            paletteChannelParts[k][value] = uint8_t(level << shifts[k]);
                        }
                }
            return true;
        }
    return false;
}

// The cells follow SDL's own rule; a runtime that weighs colours otherwise
// shows up here, and then SDL_MapRGB keeps the job.
bool agreesWithSdl(const SDL_PixelFormat* format) {
    auto* mutableFormat = const_cast<SDL_PixelFormat*>(format);
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15)
                if (lookUpPaletteIndex(uint8_t(r), uint8_t(g), uint8_t(b)) !=
                    SDL_MapRGB(mutableFormat, uint8_t(r), uint8_t(g), uint8_t(b)))
                    return false;
    return true;
}

} // namespace

uint8_t nearestListed(const uint8_t* candidates, int count, uint8_t r, uint8_t g, uint8_t b) {
    unsigned smallest = ~0u;
    uint8_t nearest = candidates[0];
    for (int i = 0; i < count; ++i) {
        const unsigned distance = paletteDistance(candidates[i], r, g, b);
        if (distance < smallest) {
            smallest = distance;
            nearest = candidates[i];
        }
    }
    return nearest;
}

bool preparePaletteLookup(const SDL_PixelFormat* format) {
    const SDL_Palette* palette = format ? format->palette : nullptr;
    if (!palette || palette->ncolors <= 0 || palette->ncolors > 256)
        return false;
    const int count = palette->ncolors;
    if (count == builtColourCount &&
        std::memcmp(paletteColours, palette->colors, count * sizeof(SDL_Color)) == 0)
        return builtUsable;
    std::memcpy(paletteColours, palette->colors, count * sizeof(SDL_Color));
    builtColourCount = count;
    paletteIsProduct = findChannelLevels(count);
    builtUsable = (paletteIsProduct || buildCells(count)) && agreesWithSdl(format);
    return builtUsable;
}
