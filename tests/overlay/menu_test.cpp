// The overlay menu: three buttons sliding with the overlay, each acting on the
// frame of its click, live while the overlay closes too.
#include "overlay/menu.h"

#include "input/input.h"
#include "overlay/driver.h"
#include "overlay/save_message.h"
#include "support/headless_display.h"
#include "support/temp_folder.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <fstream>

class Menu : public HeadlessDisplayTest {};

// Clicks the column of buttons at height `y` with the overlay at `amount`.
static void clickAt(int y, double amount = OVERLAY_FULL) {
    overlayAmount = amount;
    pointAt(320, y, KEY_PRESSED);
    runOverlayMenu();
}

//  Fully open: "Resume game" at y 115, "Exit" at 165, "Save BMP screenshot" at
//  215; halfway through a closing "Resume game" is at 355 and "Exit" at 405. A screenshot is the
//  frame on the screen when the overlay opened.
TEST_F(Menu, ButtonsDoTheirJobsAndStayLiveWhileClosing) {
    loadTheme();
    TempFolder folder;
    for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i) { // pixel i at (i % 640, i / 640)
        SDL_Rect dot = {Sint16(i % 640), Sint16(i / 640), 1, 1};
        SDL_FillRect(screen, &dot, Uint32(i * 977)); // a varied picture
    }
    SDL_Surface* opened = SDL_DisplayFormat(screen);
    keyStates[SDLK_ESCAPE] = KEY_PRESSED;
    stepOverlayTransition(); // from here on the buttons are drawn over the screen
    clickAt(215);
    clickAt(215); // every click saves one more
    clickAt(236); // one row below its hot area (interior 208..222, grown by 13)
    EXPECT_FALSE(std::ifstream("screenshot3.bmp")) << "the buttons stand 50 px apart";
    EXPECT_STREQ(saveMessage, "Saved screenshot2.bmp");
    SDL_Surface* saved = SDL_LoadBMP("screenshot2.bmp");
    ASSERT_TRUE(saved && saved->w == SCREEN_WIDTH && saved->h == SCREEN_HEIGHT);
    for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i)
        ASSERT_EQ(pixelAt(saved, i % 640, i / 640), pixelAt(opened, i % 640, i / 640)) << i;
    SDL_FreeSurface(saved);
    SDL_FreeSurface(opened);
    EXPECT_TRUE(overlayOpen);
    clickAt(115);
    EXPECT_FALSE(overlayOpen);
    clickAt(355, 50.0); // "Resume game" again, halfway through the closing: it stays closing
    EXPECT_FALSE(overlayOpen);
    EXPECT_FALSE(quitRequested);
    clickAt(405, 50.0);
    EXPECT_TRUE(quitRequested);
}
