// The background drawn only inside the border's opening: on every depth the
// frame comes out exactly as with both pictures blitted whole, whatever the
// last frame left on the screen.
#include "game/arena.h"

#include "game_test_support.h"
#include "ui/display.h"

class Arena : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Depths, Arena, ::testing::Values(32, 16, 8));

TEST_P(Arena, BackgroundInsideTheOpeningGivesTheFrameOfWholeBlits) {
    ASSERT_NE(openHeadlessDisplay(GetParam()), nullptr) << SDL_GetError();
    loadGameWorld();
    SDL_Surface* whole = SDL_DisplayFormat(screen);
    fillWithNoise(whole, 2);
    SDL_BlitSurface(backgroundImage, nullptr, whole, nullptr);
    SDL_BlitSurface(borderImage, nullptr, whole, nullptr);
    fillWithNoise(screen, 3); // the last frame
    drawBackground();
    drawBorder();
    EXPECT_EQ(differingPixels(screen, whole), 0);
    SDL_FreeSurface(whole);
}
