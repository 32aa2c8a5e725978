// The main loop's pass, run headless frame by frame: the order in which a
// frame is drawn, the match frozen while the overlay shows, the quit check
// and the pacing.
#include "shell/frame.h"

#include "game/game_test_support.h"
#include "overlay/state.h"
#include "support/test_sheets.h"
#include "ui/display.h"

#include <vector>

namespace {

// The real arena and paddles; the theme's sheets have a flat colour per cell.
struct FramePass : SheetScreenTest {
    void SetUp() override {
        SheetScreenTest::SetUp();
        loadGameWorld();
        SDL_WarpMouse(100, 300); // clear of every probe below
    }
};

} // namespace

// The match goes under the border and the screen's buttons over it: the left
// paddle, sliding in under the left wall, is hidden there, and "back" (its
// fill, right of its label, at x 577..589 from y 448) shows on the bottom wall.
TEST_F(FramePass, TheBorderLiesOverTheMatchAndUnderTheScreensButtons) {
    screenState = SCREEN_MATCH;
    matchSlide = 0.1; // paddle 1 at x -9 this frame, its body under the wall
    runFrame();
    SDL_Surface* border = SDL_DisplayFormat(screen);
    fillSurface(border, Rgb{0, 0, 0});
    SDL_BlitSurface(borderImage, nullptr, border, nullptr);
    for (int y : {210, 240, 270})
        EXPECT_EQ(pixelAt(screen, 5, y), pixelAt(border, 5, y)) << "paddle shows over the wall";
    SDL_FreeSurface(border);
    EXPECT_EQ(pixelAt(screen, 585, 450), sheetCellColour(8)) << "\"back\" hidden by the border";
}

// From the frame in which Escape goes down (the match still runs in it: the
// overlay opens after) to the last frame of the closing nothing of the match
// moves; the frame after, it plays on. Escape held through the opening
// toggles once; a tap closes.
TEST_F(FramePass, TheMatchStandsStillFromTheEscapeFrameUntilTheOverlayHasClosed) {
    screenState = SCREEN_MATCH;
    const Ball& ball = addBall(320, 240, 3, 1);
    runFrame();
    pushEvent(SDL_KEYDOWN, SDLK_ESCAPE);
    runFrame();
    const Values frozen{ball.x, ball.y, paddle1Y, paddle2Y, matchSlide};
    int frames = 0;
    for (bool closing = false; overlayAmount != OVERLAY_CLOSED && frames < 200; ++frames) {
        if (!closing && overlayAmount == OVERLAY_FULL) {
            pushEvent(SDL_KEYUP, SDLK_ESCAPE);
            tapKey(SDLK_ESCAPE);
            closing = true;
        }
        runFrame();
        ASSERT_EQ(Values({ball.x, ball.y, paddle1Y, paddle2Y, matchSlide}), frozen)
            << "frame " << frames;
    }
    EXPECT_EQ(frames, 38 + 39); // the rest of the opening, then the whole closing
    runFrame();
    EXPECT_NE(ball.x, frozen[0]);
}

// The close request waits behind other events; all of them go in one pass.
TEST_F(FramePass, QuitCheckEmptiesTheQueueAndFindsACloseRequestBehindOtherEvents) {
    for (bool close : {false, true}) {
        for (int i = 0; i < 20; ++i)
            pushEvent(SDL_USEREVENT);
        if (close)
            pushEvent(SDL_QUIT);
        runFrame();
        EXPECT_EQ(quitRequested, close);
        EXPECT_EQ(SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_ALLEVENTS), 0);
    }
}

namespace {

// A clock that the frame itself moves on by `frameCost` between the pass's
// two readings.
Uint32 clockNow, frameCost;
std::vector<Uint32> sleeps;
Uint32 fakeClock() {
    const Uint32 now = clockNow;
    clockNow += frameCost;
    return now;
}
void fakeSleep(Uint32 ms) {
    sleeps.push_back(ms);
}

} // namespace

// A pass sleeps whatever its frame left of 16 ms, read from the clock after
// the frame, across the tick counter's wrap too; none after 16 ms or more.
TEST_F(FramePass, PassSleepsTheRestOfSixteenMillisecondsAfterItsFrame) {
    passClock = fakeClock;
    passSleep = fakeSleep;
    const struct {
        Uint32 start, cost;
        std::vector<Uint32> sleeps;
    } cases[] = {{1000, 3, {13}},          {1000, 15, {1}},        {1000, 16, {}},
                 {1000, 20, {}},           {0xfffffffau, 10, {6}}, // across the wrap
                 {1000, Uint32(-10), {16}}}; // a clock that runs backwards: one frame at most
    for (const auto& c : cases) {
        clockNow = c.start, frameCost = c.cost;
        sleeps.clear();
        runPass();
        EXPECT_EQ(sleeps, c.sleeps) << c.start << " + " << int(c.cost);
    }
}
