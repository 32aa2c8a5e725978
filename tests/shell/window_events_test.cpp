// The window's events, frame by frame: looking away pauses a match as Escape
// would, hidden the game draws nothing, resizes wait for the size to stand,
// fullscreen presses cancel in pairs.
#include "shell/window_events.h"

#include "game/game_test_support.h"
#include "overlay/state.h"
#include "overlay/transition.h"
#include "shell/frame.h"
#include "shell/start_up.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/window.h"

namespace {

// Events as SDL queues them: pushed, or (the fullscreen keys) handed to the filter.
void pushActive(Uint8 state, bool gain) {
    SDL_Event e{};
    e.active = {SDL_ACTIVEEVENT, Uint8(gain), state};
    SDL_PushEvent(&e);
}
void pushResize(int w, int h) {
    SDL_Event e{};
    e.resize = {SDL_VIDEORESIZE, w, h};
    SDL_PushEvent(&e);
}
void pressKey(SDLKey key, SDLMod mod = KMOD_NONE) {
    SDL_Event e{};
    e.key = {SDL_KEYDOWN, 0, SDL_PRESSED, {0, key, mod, 0}};
    noteWindowEvent(&e);
}

Uint32 clockNow = 1000;
Uint32 fakeClock() {
    return clockNow;
}

struct WindowEvents : SheetScreenTest {
    void SetUp() override {
        SheetScreenTest::SetUp();
        loadGameWorld();
        passClock = fakeClock;
    }
};

} // namespace

// During a match, a lost focus opens the overlay as Escape does: a frame
// frozen, the easing begun. Regaining the focus does not resume; Escape or
// looking away while it closes opens it again without a new frame; on the
// title screen looking away does nothing.
TEST_F(WindowEvents, LookingAwayDuringAMatchOpensTheOverlayAsEscapeWould) {
    screenState = SCREEN_MATCH;
    runFrame();
    fillSurface(snapshotSurface, Rgb{1, 2, 3});
    pushActive(SDL_APPINPUTFOCUS, false);
    runFrame();
    EXPECT_TRUE(overlayOpen);
    EXPECT_GT(overlayAmount, 7.0);
    EXPECT_NE(pixelAt(snapshotSurface, 9, 9), (Rgb{1, 2, 3})) << "no frame frozen";
    pushActive(SDL_APPINPUTFOCUS, true);
    runFrame();
    EXPECT_TRUE(overlayOpen);

    for (bool escape : {true, false}) {
        overlayOpen = false; // closing
        fillSurface(snapshotSurface, Rgb{1, 2, 3});
        escape ? tapKey(SDLK_ESCAPE) : pushActive(SDL_APPACTIVE, false);
        runFrame();
        EXPECT_TRUE(overlayOpen) << escape;
        EXPECT_EQ(pixelAt(snapshotSurface, 9, 9), (Rgb{1, 2, 3})) << "a new frame was frozen";
    }

    overlayOpen = false;
    overlayAmount = OVERLAY_CLOSED;
    screenState = SCREEN_TITLE;
    pushActive(SDL_APPINPUTFOCUS | SDL_APPACTIVE, false);
    runFrame();
    EXPECT_FALSE(overlayOpen);
}

// Hidden, after the frame that opens the overlay, nothing is drawn and the
// overlay stands still; shown again, the overlay goes on from where it stood.
// (The screens scenario closes the hidden game.)
TEST_F(WindowEvents, HiddenTheGameDrawsNothingAndTheOverlayWaits) {
    screenState = SCREEN_MATCH;
    pushActive(SDL_APPACTIVE, false);
    runFrame();
    const double amount = overlayAmount;
    fillSurface(screen, Rgb{1, 2, 3});
    runFrame();
    EXPECT_EQ(pixelAt(screen, 320, 240), (Rgb{1, 2, 3}));
    EXPECT_EQ(overlayAmount, amount);
    pushActive(SDL_APPACTIVE, true);
    runFrame();
    EXPECT_GT(overlayAmount, amount);
    EXPECT_NE(pixelAt(screen, 320, 240), (Rgb{1, 2, 3}));
}

// A burst of resizes, 0x0 and 1x1 among them, sets one mode, at the last
// size, once it has stood for 100 ms; 0x0 stands for 1x1, which shows one
// game pixel, the middle one.
TEST_F(WindowEvents, ResizesWaitUntilTheSizeStands_andTheSmallestAreSafe) {
    ASSERT_TRUE(openWindowSized(800, 600, 32));
    for (auto [w, h] : {std::pair{1, 1}, {0, 0}, {1000, 700}})
        pushResize(w, h);
    runFrame();
    clockNow += 99;
    runFrame();
    EXPECT_EQ(windowSurface->w, 800) << "set before the size stood";
    clockNow += 1;
    runFrame();
    EXPECT_EQ(std::make_pair(windowSurface->w, windowSurface->h), std::make_pair(1000, 700));
    pushResize(0, 0);
    runFrame();
    clockNow += 100;
    runFrame();
    EXPECT_EQ(std::make_pair(windowSurface->w, windowSurface->h), std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(gameLeft, gameTop), std::make_pair(-319, -239));
}

// F11 and Alt+Enter toggle, read as SDL queues them; two in one frame cancel;
// Enter alone does nothing; back in a window, it is the window of before.
TEST_F(WindowEvents, FullscreenPressesCancelInPairs_altEnterByItsOwnModifiers) {
    ASSERT_TRUE(openWindowSized(800, 600, 32));
    desktopWidth = 1920;
    desktopHeight = 1080;
    pressKey(SDLK_F11);
    pressKey(SDLK_RETURN, KMOD_LALT);
    runFrame();
    pressKey(SDLK_RETURN);
    runFrame();
    EXPECT_FALSE(windowFullscreen);
    pressKey(SDLK_RETURN, KMOD_RALT);
    runFrame();
    EXPECT_EQ(windowSurface->w, 1920);
    pressKey(SDLK_F11);
    runFrame();
    EXPECT_EQ(std::make_pair(windowSurface->w, windowSurface->h), std::make_pair(800, 600));
}

namespace {

SDL_Surface* closedWhileOpening(int w, int h, int bits, Uint32 flags) {
    pushEvent(SDL_QUIT); // as a close button, or SIGTERM through SDL, would send it
    return SDL_SetVideoMode(w, h, bits, flags);
}

} // namespace

// A close request that comes while start-up opens the window ends the game
// after its first frame (SDL 1.2 drops the queued events when a filter is set).
TEST(StartUp, ACloseRequestWhileTheWindowOpensEndsTheGame) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    setVideoMode = closedWhileOpening;
    ASSERT_TRUE(startUp("Rored"));
    runFrame();
    EXPECT_TRUE(quitRequested);
}
