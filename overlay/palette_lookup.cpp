// Finds the levels of a palette made channel by channel and each channel
// value's nearest level, once per palette.
#include "overlay/palette_lookup.h"

#include <cstring>

uint8_t paletteChannelParts[3][256];

namespace {

SDL_Color builtFor[256];   // the palette the tables were built for
int builtColourCount = -1; // -1 before the first build
bool builtUsable = false;

unsigned square(int v) {
    return unsigned(v * v);
}

uint8_t channelOf(const SDL_Color& c, int channel) {
    return channel == 0 ? c.r : (channel == 1 ? c.g : c.b);
}

// Tries every split of the index bits into red, green and blue levels; on a
// split that fits, fills paletteChannelParts with each value's nearest level
// (the first of equally near ones) shifted into place.
bool findChannelLevels(const SDL_Color* colours, int colourCount) {
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
                    levels[k][level] = channelOf(colours[level << shifts[k]], k);
            for (int i = 0; i < colourCount && fits; ++i)
                for (int k = 0; k < 3; ++k)
                    fits = fits && channelOf(colours[i], k) ==
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

// The tables follow SDL's own rule; a runtime that weighs colours otherwise
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

bool preparePaletteLookup(const SDL_PixelFormat* format) {
    const SDL_Palette* palette = format ? format->palette : nullptr;
    if (!palette || palette->ncolors <= 0 || palette->ncolors > 256)
        return false;
    const int count = palette->ncolors;
    if (count == builtColourCount &&
        std::memcmp(builtFor, palette->colors, count * sizeof(SDL_Color)) == 0)
        return builtUsable;
    std::memcpy(builtFor, palette->colors, count * sizeof(SDL_Color));
    builtColourCount = count;
    builtUsable = findChannelLevels(builtFor, count) && agreesWithSdl(format);
    return builtUsable;
}
