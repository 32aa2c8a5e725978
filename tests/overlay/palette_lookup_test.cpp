// The palette lookup picks SDL_MapRGB's entry for every colour on palettes
// made of levels per channel: the screen's own, and one whose levels are out
// of order and repeated, where the first of equal entries must win. Any other
// palette is left to SDL_MapRGB.
#include "overlay/palette_lookup.h"

#include "support/headless_display.h"
#include "ui/display.h"

namespace {

void expectSdlsEntries(SDL_PixelFormat* format) {
    ASSERT_TRUE(preparePaletteLookup(format));
    int wrong = 0;
    for (int r = 0; r < 256; r += 3)
        for (int g = 1; g < 256; g += 3)
            for (int b = 2; b < 256; b += 3)
                wrong += lookUpPaletteIndex(Uint8(r), Uint8(g), Uint8(b)) !=
                         SDL_MapRGB(format, Uint8(r), Uint8(g), Uint8(b));
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(PaletteLookup, PicksSdlsEntryOnPalettesOfChannelLevels_andLeavesOthersToSdl) {
    ASSERT_NE(openHeadlessDisplay(8), nullptr) << SDL_GetError();
    ASSERT_NE(screen->format->palette, nullptr);
    expectSdlsEntries(screen->format);

    // 2 bits of red, 3 of green, 3 of blue, in that order from the top.
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 8, 0, 0, 0, 0);
    const Uint8 red[4] = {200, 10, 200, 90}, green[8] = {0, 255, 36, 36, 140, 7, 255, 60};
    const Uint8 blue[8] = {255, 0, 128, 128, 30, 31, 250, 0};
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {red[i >> 6], green[i >> 3 & 7], blue[i & 7], 0};
    SDL_SetColors(surface, colours, 0, 256);
    expectSdlsEntries(surface->format);

    colours[77].g ^= 1; // no longer made of levels
    SDL_SetColors(surface, colours, 0, 256);
    EXPECT_FALSE(preparePaletteLookup(surface->format));
    SDL_FreeSurface(surface);
}
