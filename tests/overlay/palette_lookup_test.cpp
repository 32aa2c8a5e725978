// The palette lookup picks SDL_MapRGB's entry for every colour: on the 8-bit
// screen's own palette, and on a palette of random and repeated entries,
// where the first of two equal entries must win.
#include "overlay/palette_lookup.h"

#include "support/headless_display.h"
#include "ui/display.h"

namespace {

void expectSdlsEntries(SDL_PixelFormat* format) {
    ASSERT_TRUE(preparePaletteLookup(format));
    int wrong = 0;
    for (int r = 0; r < 256; r += 5)
        for (int g = 1; g < 256; g += 5)
            for (int b = 2; b < 256; b += 5)
                wrong += lookUpPaletteIndex(Uint8(r), Uint8(g), Uint8(b)) !=
                         SDL_MapRGB(format, Uint8(r), Uint8(g), Uint8(b));
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(PaletteLookup, PicksSdlsEntryOnTheScreensPaletteAndOnOneWithRepeatedEntries) {
    ASSERT_NE(openHeadlessDisplay(8), nullptr) << SDL_GetError();
    ASSERT_NE(screen->format->palette, nullptr);
    expectSdlsEntries(screen->format);

    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 8, 0, 0, 0, 0);
    SDL_Color colours[256];
    uint32_t state = 5;
    for (SDL_Color& c : colours) {
        state = state * 1664525u + 1013904223u;
        c = {Uint8(state >> 8), Uint8(state >> 16), Uint8(state >> 24), 0};
    }
    for (int i = 128; i < 256; i += 2)
        colours[i] = colours[i - 128]; // equal entries: the first must win
    SDL_SetColors(surface, colours, 0, 256);
    expectSdlsEntries(surface->format);
    SDL_FreeSurface(surface);
}
