// The overlay driver: Escape toggle, easing that lands exactly on its
// targets, slides, and the order in which the overlay's pieces are drawn.
#include "overlay/driver.h"

#include "input/input.h"
#include "overlay/menu.h"
#include "overlay/transition.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/pointer.h"
#include "ui/theme.h"

#include <cstdint>
#include <vector>

namespace {

const Rgb FROZEN{10, 200, 255};
const Rgb LATER{0, 0, 0};
const Rgb BAR{0, 128, 0};

class DriverTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        // Drawing is checked against sheets made here, never the art.
        for (SDL_Surface** sheet :
             {&fontImage, &buttonImage, &topBottomBorderImage, &cursorImage}) {
            SDL_FreeSurface(*sheet);
            *sheet = nullptr;
        }
        mouseX = -1000;
        mouseY = -1000;
        fillSurface(screen, FROZEN);
    }
    static void pressEscape() { keyStates[SDLK_ESCAPE] = KEY_PRESSED; }
    static void holdEscape() { keyStates[SDLK_ESCAPE] = KEY_HELD; }
    static void releaseEscape() { keyStates[SDLK_ESCAPE] = KEY_UP; }
    // Runs frames without Escape until the amount settles; returns how many.
    static int framesUntilSettled() {
        releaseEscape();
        int frames = 0;
        while (overlayAmount != OVERLAY_CLOSED && overlayAmount != OVERLAY_FULL && frames < 1000) {
            stepOverlayTransition();
            ++frames;
        }
        return frames;
    }
};

std::vector<double> easeFrom(double amount, bool open) {
    std::vector<double> steps;
    do {
        amount = easeOverlayAmount(amount, open);
        steps.push_back(amount);
    } while (amount != OVERLAY_CLOSED && amount != OVERLAY_FULL && steps.size() < 1000);
    return steps;
}

} // namespace

TEST(DriverEasing, OpeningTakes39StepsAndLandsExactlyOnFull) {
    const std::vector<double> steps = easeFrom(OVERLAY_CLOSED, true);
    ASSERT_EQ(steps.size(), 39u);
    EXPECT_NEAR(steps[0], 7.1667, 1e-4);
    EXPECT_NEAR(steps[1], 13.856, 1e-3);
    EXPECT_NEAR(steps[2], 20.099, 1e-3);
    EXPECT_NEAR(steps[3], 25.925, 1e-3);
    EXPECT_NEAR(steps[36], 99.129, 1e-3);
    EXPECT_NEAR(steps[37], 99.687, 1e-3);
    EXPECT_LT(steps[37], OVERLAY_FULL);
    EXPECT_EQ(steps[38], OVERLAY_FULL);
    EXPECT_EQ(easeOverlayAmount(OVERLAY_FULL, true), OVERLAY_FULL); // stays open
}

TEST(DriverEasing, ClosingTakes39StepsAndLandsExactlyOnClosed) {
    const std::vector<double> steps = easeFrom(OVERLAY_FULL, false);
    ASSERT_EQ(steps.size(), 39u);
    EXPECT_NEAR(steps[0], 92.833, 1e-3);
    EXPECT_NEAR(steps[1], 86.144, 1e-3);
    EXPECT_NEAR(steps[2], 79.901, 1e-3);
    EXPECT_NEAR(steps[36], 0.871, 1e-3);
    EXPECT_NEAR(steps[37], 0.313, 1e-3);
    EXPECT_GT(steps[37], OVERLAY_CLOSED);
    EXPECT_EQ(steps[38], OVERLAY_CLOSED);
    EXPECT_EQ(easeOverlayAmount(OVERLAY_CLOSED, false), OVERLAY_CLOSED); // stays closed
}

TEST(DriverSlide, SlidesTruncateTowardZeroBetweenClosedAndOpenValues) {
    overlayAmount = OVERLAY_CLOSED;
    EXPECT_EQ(overlaySlide(61, 0), 61);
    EXPECT_EQ(overlaySlide(595, 115), 595);
    overlayAmount = easeOverlayAmount(OVERLAY_CLOSED, true); // first frame of an opening
    EXPECT_EQ(overlaySlide(61, 0), 56);                      // 56.6
    EXPECT_EQ(overlaySlide(595, 115), 560);                  // 560.6
    EXPECT_EQ(overlaySlide(-61, 0), -56);                    // toward zero, not down
    overlayAmount = 0.31278684902408826;                     // last frame of a closing
    EXPECT_EQ(overlaySlide(61, 0), 60);
    overlayAmount = OVERLAY_FULL;
    EXPECT_EQ(overlaySlide(61, 0), 0);
    EXPECT_EQ(overlaySlide(595, 115), 115);
}

TEST_F(DriverTest, EscapePressOpensWithACaptureAndFullAfter39Frames) {
    pressEscape();
    stepOverlayTransition();
    EXPECT_TRUE(overlayOpen);
    EXPECT_NEAR(overlayAmount, 7.1667, 1e-4);
    EXPECT_EQ(pixelAt(snapshotSurface, 320, 240), FROZEN);
    // No backdrop yet: the amount was still 0.0 when the step looked at it.
    EXPECT_EQ(pixelAt(screen, 320, 240), FROZEN);

    holdEscape(); // a held key toggles nothing
    int frames = 1;
    while (overlayAmount != OVERLAY_FULL && frames < 100) {
        stepOverlayTransition();
        ++frames;
    }
    EXPECT_EQ(frames, 39);
    EXPECT_TRUE(overlayOpen);
}

TEST_F(DriverTest, SecondFrameOfAnOpeningCoversTheScreenWithTheCrossFade) {
    pressEscape();
    stepOverlayTransition();
    fillSurface(screen, LATER);
    releaseEscape();
    stepOverlayTransition(); // weight 7 of the backdrop (100, 250, 255)
    EXPECT_EQ(pixelAt(screen, 320, 240), (Rgb{16, 203, 255}));
}

TEST_F(DriverTest, HeldEscapeNeitherOpensNorCaptures) {
    fillSurface(snapshotSurface, LATER);
    holdEscape();
    for (int i = 0; i < 5; ++i)
        stepOverlayTransition();
    EXPECT_FALSE(overlayOpen);
    EXPECT_EQ(overlayAmount, OVERLAY_CLOSED);
    EXPECT_EQ(pixelAt(snapshotSurface, 0, 0), LATER);
}

TEST_F(DriverTest, EscapeWhileOpenClosesIn39FramesShowingTheSharpFrameLast) {
    pressEscape();
    stepOverlayTransition();
    ASSERT_EQ(framesUntilSettled(), 38);
    fillSurface(screen, LATER);

    pressEscape();
    stepOverlayTransition();
    EXPECT_FALSE(overlayOpen);
    EXPECT_NEAR(overlayAmount, 92.833, 1e-3);
    EXPECT_EQ(framesUntilSettled(), 38);
    EXPECT_EQ(overlayAmount, OVERLAY_CLOSED);
    // The last closing frame drew the fade at weight 0: the frozen frame.
    EXPECT_EQ(pixelAt(screen, 320, 240), FROZEN);

    // Closed: no more backdrop, nothing changes.
    fillSurface(screen, LATER);
    stepOverlayTransition();
    EXPECT_EQ(pixelAt(screen, 320, 240), LATER);
}

TEST_F(DriverTest, EscapeDuringOpeningTurnsBackAtOnce) {
    pressEscape();
    stepOverlayTransition();
    releaseEscape();
    for (int i = 0; i < 9; ++i)
        stepOverlayTransition();
    const double before = overlayAmount;
    pressEscape();
    stepOverlayTransition();
    EXPECT_FALSE(overlayOpen);
    EXPECT_EQ(overlayAmount, easeOverlayAmount(before, false));
    EXPECT_LT(overlayAmount, before);
}

TEST_F(DriverTest, ReopeningDuringClosingKeepsTheEarlierSnapshot) {
    pressEscape();
    stepOverlayTransition();
    framesUntilSettled();
    pressEscape();
    stepOverlayTransition(); // closing
    releaseEscape();
    for (int i = 0; i < 5; ++i)
        stepOverlayTransition();
    fillSurface(screen, LATER); // a different picture is on the screen now
    const double before = overlayAmount;

    pressEscape();
    stepOverlayTransition();
    EXPECT_TRUE(overlayOpen);
    EXPECT_EQ(overlayAmount, easeOverlayAmount(before, true));
    EXPECT_EQ(pixelAt(snapshotSurface, 320, 240), FROZEN);
    EXPECT_EQ(snapshotPixels[gridIndex(320, 240, 1)], 200);
    EXPECT_EQ(backdropPixels[gridIndex(320, 240, 1)], 250);
}

TEST_F(DriverTest, OpeningFrameFreezesThePictureWithoutPointerMenuOrBars) {
    cursorImage = makeCellSheet(CURSOR_FRAME_COUNT, 1, CURSOR_FRAME_SIZE, CURSOR_FRAME_SIZE);
    topBottomBorderImage = makeSolidSurface(SCREEN_WIDTH, 131, BAR);
    pointerStarted = true;
    mouseX = 100;
    mouseY = 300;
    pressEscape();
    updateOverlay();

    EXPECT_EQ(pixelAt(screen, 100, 300), sheetCellColour(3)); // pointer on top
    EXPECT_EQ(pixelAt(screen, 10, 476), BAR);                 // bottom bar at 419 + 56
    EXPECT_EQ(pixelAt(screen, 10, 474), FROZEN);
    EXPECT_EQ(pixelAt(screen, 10, 4), BAR); // top bar's last rows at -70 - 56
    EXPECT_EQ(pixelAt(snapshotSurface, 100, 300), FROZEN);
    EXPECT_EQ(pixelAt(snapshotSurface, 10, 476), FROZEN);
    EXPECT_EQ(pixelAt(snapshotSurface, 10, 4), FROZEN);
    EXPECT_EQ(menuTop, 560);
    EXPECT_TRUE(overlayTimeKnown);
    EXPECT_GE(overlayLocalTime.tm_year, 120); // this century's calendar, not a zeroed one
}

TEST_F(DriverTest, WhileClosedOnlyThePointerIsDrawn) {
    cursorImage = makeCellSheet(CURSOR_FRAME_COUNT, 1, CURSOR_FRAME_SIZE, CURSOR_FRAME_SIZE);
    topBottomBorderImage = makeSolidSurface(SCREEN_WIDTH, 131, BAR);
    pointerStarted = true;
    mouseX = 100;
    mouseY = 300;
    updateOverlay();
    EXPECT_EQ(pixelAt(screen, 100, 300), sheetCellColour(3));
    EXPECT_EQ(pixelAt(screen, 10, 476), FROZEN);
    EXPECT_EQ(pixelAt(screen, 10, 4), FROZEN);
    EXPECT_FALSE(overlayTimeKnown);
}

// A top bar tall enough to reach over the first two buttons shows that the
// bars are drawn after the menu, and the pointer after both.
TEST_F(DriverTest, BarsLieOverTheMenuAndThePointerOverEverything) {
    buttonImage = makeCellSheet(BUTTON_COLUMNS, BUTTON_ROWS, BUTTON_TILE, BUTTON_TILE);
    topBottomBorderImage = makeSolidSurface(SCREEN_WIDTH, 240, BAR); // rows 0..169 on screen
    cursorImage = makeCellSheet(CURSOR_FRAME_COUNT, 1, CURSOR_FRAME_SIZE, CURSOR_FRAME_SIZE);
    pointerStarted = true;
    mouseX = 600;
    mouseY = 20;
    overlayOpen = true;
    overlayAmount = OVERLAY_FULL;
    updateOverlay();
    EXPECT_EQ(pixelAt(screen, 320, 115), BAR);                // over "Resume game"
    EXPECT_EQ(pixelAt(screen, 320, 215), sheetCellColour(8)); // "Save" shows its fill
    EXPECT_EQ(pixelAt(screen, 600, 20), sheetCellColour(3));  // pointer over the bar
}

TEST(DriverLocalTime, UnreadableLocalTimeIsMarkedUnknown) {
    EXPECT_TRUE(refreshOverlayLocalTime(86400 * 365));
    EXPECT_TRUE(overlayTimeKnown);
    EXPECT_EQ(overlayLocalTime.tm_year, 71);          // 1971
    EXPECT_FALSE(refreshOverlayLocalTime(INT64_MAX)); // beyond any int year
    EXPECT_FALSE(overlayTimeKnown);
}
