// The overlay's column of buttons. They slide up with the overlay and are
// live on every frame it shows, opening and closing slides included.
#include "overlay/menu.h"

#include "overlay/state.h"
#include "overlay/screenshot.h"
#include "ui/button.h"
#include "ui/display.h"

int menuTop = 0;

namespace {
constexpr int MENU_CENTRE_X = 320;
constexpr int MENU_SPACING = 50; // between button centres
constexpr int MENU_BUTTON_WIDTH = 300;
constexpr int MENU_BUTTON_HEIGHT = 15;

bool menuButton(int row, const char* label) {
    return button(MENU_CENTRE_X, menuTop + row * MENU_SPACING, MENU_BUTTON_WIDTH,
                  MENU_BUTTON_HEIGHT, label);
}
} // namespace

void runOverlayMenu() {
    menuTop = overlaySlide(595, 115);
    // Each click acts at once, before the next button is drawn and tested.
    if (menuButton(0, "Resume game"))
        overlayOpen = false;
    if (menuButton(1, "Exit"))
        quitRequested = true;
    if (menuButton(2, "Save BMP screenshot"))
        saveScreenshot();
}
