// The overlay menu: three buttons sliding with the overlay, each acting at
// once on the frame of the click.
#include "overlay/menu.h"

#include "input/input.h"
#include "overlay/driver.h"
#include "support/temp_folder.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <unistd.h>

namespace {

const Rgb BACKGROUND{0, 0, 0};

class MenuTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        SDL_FreeSurface(fontImage);
        SDL_FreeSurface(buttonImage);
        fontImage = nullptr;
        buttonImage = makeCellSheet(BUTTON_COLUMNS, BUTTON_ROWS, BUTTON_TILE, BUTTON_TILE);
        fillSurface(screen, BACKGROUND);
        overlayOpen = true;
        overlayAmount = OVERLAY_FULL;
        quitRequested = false;
    }
    static void clickAt(int x, int y) {
        mouseX = x;
        mouseY = y;
        mouseButtonStates[SDL_BUTTON_LEFT] = KEY_PRESSED;
        runOverlayMenu();
    }
    static bool fileExists(const char* name) { return access(name, F_OK) == 0; }
};

} // namespace

TEST_F(MenuTest, FullyOpenTheButtonsStandAt115And165And215) {
    mouseX = 320;
    mouseY = 165; // hovering "Exit" without clicking
    runOverlayMenu();
    EXPECT_EQ(menuTop, 115);
    EXPECT_EQ(pixelAt(screen, 320, 115), sheetCellColour(8, 0));
    EXPECT_EQ(pixelAt(screen, 320, 165), sheetCellColour(8, 1)); // highlighted
    EXPECT_EQ(pixelAt(screen, 320, 215), sheetCellColour(8, 0));
    EXPECT_EQ(pixelAt(screen, 320, 250), BACKGROUND);
    EXPECT_FALSE(quitRequested);
    EXPECT_TRUE(overlayOpen);
}

TEST_F(MenuTest, ResumeStartsTheClosingAndNothingElse) {
    TempFolder folder;
    clickAt(320, 115);
    EXPECT_FALSE(overlayOpen);
    EXPECT_FALSE(quitRequested);
    EXPECT_FALSE(fileExists("screenshot1.bmp"));
}

TEST_F(MenuTest, ExitEndsTheProgramAndNothingElse) {
    TempFolder folder;
    clickAt(320, 165);
    EXPECT_TRUE(quitRequested);
    EXPECT_TRUE(overlayOpen);
    EXPECT_FALSE(fileExists("screenshot1.bmp"));
}

TEST_F(MenuTest, SaveWritesAScreenshotAndKeepsTheOverlayOpen) {
    TempFolder folder;
    clickAt(320, 215);
    EXPECT_TRUE(fileExists("screenshot1.bmp"));
    EXPECT_TRUE(overlayOpen);
    EXPECT_FALSE(quitRequested);
    clickAt(320, 215); // every click writes one more
    EXPECT_TRUE(fileExists("screenshot2.bmp"));
}

//  "Resume game" is hot for rows 95..134, "Exit" for 145..184: the rows
//  between belong to neither.
TEST_F(MenuTest, HotAreasEndThirteenPixelsOutAndDoNotOverlap) {
    clickAt(320, 140);
    EXPECT_TRUE(overlayOpen);
    EXPECT_FALSE(quitRequested);
    clickAt(320, 145);
    EXPECT_TRUE(quitRequested);
    EXPECT_TRUE(overlayOpen);
    quitRequested = false;
    clickAt(320, 134);
    EXPECT_FALSE(overlayOpen);
    EXPECT_FALSE(quitRequested);
}

TEST_F(MenuTest, HeldMouseButtonDoesNotClick) {
    mouseX = 320;
    mouseY = 115;
    mouseButtonStates[SDL_BUTTON_LEFT] = KEY_HELD;
    runOverlayMenu();
    EXPECT_TRUE(overlayOpen);
}

TEST_F(MenuTest, ButtonsSlideAndStayLiveWhileClosing) {
    overlayOpen = false;
    overlayAmount = 50.0; // menuTop 355
    clickAt(320, 405);
    EXPECT_EQ(menuTop, 355);
    EXPECT_TRUE(quitRequested);
    quitRequested = false;
    clickAt(320, 355); // "Resume game" while already closing changes nothing
    EXPECT_FALSE(overlayOpen);
    EXPECT_FALSE(quitRequested);
}

TEST_F(MenuTest, FirstOpeningFrameHasTheMenuBelowTheScreen) {
    overlayAmount = 7.166666666666667;
    mouseX = 320;
    mouseY = 479;
    runOverlayMenu();
    EXPECT_EQ(menuTop, 560);
    EXPECT_EQ(pixelAt(screen, 320, 479), BACKGROUND); // its top edge starts at 532
}
