// The themed pointer: not on the first frame, then frame 3 centred on the
// mouse while the window has the mouse focus.
#include "ui/pointer.h"

#include "input/input.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

namespace {

const Rgb BLACK{0, 0, 0};

// The headless runtimes disagree on mouse focus: classic SDL's dummy driver
// always reports it, sdl12-compat's never. The tests set it here instead;
// this definition takes the place of SDL's in this test program.
Uint8 appState = SDL_APPACTIVE | SDL_APPINPUTFOCUS | SDL_APPMOUSEFOCUS;

using PointerTest = SheetScreenTest;

} // namespace

extern "C" Uint8 SDL_GetAppState() {
    return appState;
}

TEST_F(PointerTest, FirstFrameShowsNoPointerLaterFramesCentreFrameThreeOnTheMouse) {
    mouseX = 300;
    mouseY = 200;
    drawPointer();
    EXPECT_EQ(pixelAt(screen, 300, 200), BLACK);

    drawPointer();
    const Rgb frame3 = sheetCellColour(3);
    EXPECT_EQ(pixelAt(screen, 252, 152), frame3); // 48 up and left of the mouse
    EXPECT_EQ(pixelAt(screen, 347, 247), frame3);
    EXPECT_EQ(pixelAt(screen, 251, 152), BLACK);
    EXPECT_EQ(pixelAt(screen, 348, 247), BLACK);
}

TEST_F(PointerTest, OnlyWhileTheMouseIsInTheWindow) {
    pointerStarted = true;
    mouseX = mouseY = 100;
    appState = SDL_APPACTIVE | SDL_APPINPUTFOCUS; // the mouse left the window
    drawPointer();
    EXPECT_EQ(pixelAt(screen, 100, 100), BLACK);
    appState |= SDL_APPMOUSEFOCUS; // and came back
    drawPointer();
    EXPECT_EQ(pixelAt(screen, 100, 100), sheetCellColour(3));
}

// At the corner only the lower right quarter shows; without a picture, nothing.
TEST_F(PointerTest, AtTheCornerOnlyTheLowerRightQuarterShowsAndAMissingPictureNothing) {
    pointerStarted = true;
    mouseX = mouseY = 0;
    drawPointer();
    EXPECT_EQ(pixelAt(screen, 47, 47), sheetCellColour(3));
    EXPECT_EQ(pixelAt(screen, 48, 10), BLACK);
    EXPECT_EQ(pixelAt(screen, 10, 48), BLACK);
    replaceSurface(cursorImage, nullptr);
    mouseX = mouseY = 100;
    drawPointer();
    EXPECT_EQ(pixelAt(screen, 100, 100), BLACK);
}
