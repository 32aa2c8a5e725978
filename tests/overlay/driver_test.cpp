// The overlay driver: the Escape toggle and the slides of the first opening
// frame. (The frame pass's test counts the easing's steps both ways.)
#include "overlay/driver.h"

#include "input/input.h"
#include "overlay/menu.h"
#include "overlay/status_bars.h"
#include "support/headless_display.h"
#include "ui/display.h"
#include "ui/theme.h"

// Runs `frames` transition steps with Escape in state `escape`.
static void step(uint32_t escape, int frames = 1) {
    keyStates[SDLK_ESCAPE] = escape;
    for (int i = 0; i < frames; ++i)
        stepOverlayTransition();
}

class DriverTest : public HeadlessDisplayTest {};

//  The first opening frame puts the bars 56 pixels out and the first button at y 560.
TEST_F(DriverTest, EscapePressTogglesOnceAndReopeningWhileClosingKeepsTheSnapshot) {
    const Rgb frozen{10, 200, 255};
    loadTheme();
    fillSurface(screen, frozen);
    keyStates[SDLK_ESCAPE] = KEY_PRESSED; // a press toggles once, however long it is held
    updateOverlay();
    EXPECT_EQ(barOffset, 56);
    EXPECT_EQ(menuTop, 560);
    step(KEY_HELD, 38);
    EXPECT_EQ(overlayAmount, OVERLAY_FULL);

    step(KEY_PRESSED); // closing
    step(KEY_UP, 5);
    fillSurface(screen, Rgb{0, 0, 0}); // a different picture is on the screen now
    const double closing = overlayAmount;
    step(KEY_PRESSED);
    EXPECT_GT(overlayAmount, closing); // turned back at once
    EXPECT_EQ(pixelAt(snapshotSurface, 320, 240), frozen);
}
