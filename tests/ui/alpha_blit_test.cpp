// The blended blit against SDL's own blit: pictures with every alpha, landing
// across the screen's edges and cut from cells that reach past their sheet,
// leave the same colours as SDL_BlitSurface, in every build of the pixel loops.
#include "ui/alpha_blit.h"

#include "support/headless_display.h"
#include "ui/display.h"
#include "ui/pixel_kernels.h"

class BlendedBlit : public ::testing::TestWithParam<int64_t> {};
INSTANTIATE_TEST_SUITE_P(Loops, BlendedBlit, ::testing::ValuesIn(pixelKernelTargets()),
                         pixelTargetName);

TEST_P(BlendedBlit, LeavesTheColoursSdlsOwnBlitLeaves) {
    ASSERT_NE(openHeadlessDisplay(32), nullptr) << SDL_GetError();
    if (!runPixelKernelsIn(GetParam()))
        GTEST_SKIP() << "this processor does not run " << pixelKernelTargetName(GetParam());
    // Odd sizes leave a few pixels after the last whole step of every row.
    SDL_Surface* plain =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 37, 23, 32, 0xff0000, 0xff00, 0xff, 0xff000000u);
    fillWithNoise(plain, 1);
    SDL_Surface* picture = SDL_DisplayFormatAlpha(plain);
    SDL_Surface* reference = SDL_DisplayFormat(screen);
    struct Case {
        int x, y;
        SDL_Rect cell;
        bool whole;
    };
    const Case cases[] = {{-5, -7, {}, true},
                          {620, 470, {}, true},
                          {100, 100, {10, 5, 20, 30}, false}, // past the sheet's bottom
                          {50, 60, {-3, -4, 12, 9}, false},   // before its top-left corner
                          {300, 200, {0, 0, 37, 23}, false}};
    for (const Case& c : cases) {
        fillWithNoise(screen, c.x + 7);
        fillWithNoise(reference, c.x + 7);
        SDL_Rect cell = c.cell, place{Sint16(c.x), Sint16(c.y), 0, 0};
        blitAt(picture, c.whole ? nullptr : &cell, c.x, c.y);
        SDL_BlitSurface(picture, c.whole ? nullptr : &cell, reference, &place);
        EXPECT_EQ(differingPixels(screen, reference), 0) << "at (" << c.x << ", " << c.y << ")";
    }
    // Classic SDL blends as the blit does, so the blit must have taken over.
    if (classicSdl()) {
        EXPECT_TRUE(blitBlended(picture, nullptr, 0, 0));
    }
    SDL_FreeSurface(reference);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(plain);
}
