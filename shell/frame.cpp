// The frame order, as a table of contents: every subsystem runs to completion
// in this order, once per pass.
#include "shell/frame.h"

#include "audio/sound.h"
#include "game/arena.h"
#include "game/match_controls.h"
#include "game/match_frame.h"
#include "game/title_menu.h"
#include "game/world.h"
#include "input/frame_clock.h"
#include "input/hang_up.h"
#include "input/input.h"
#include "overlay/driver.h"
#include "shell/window_events.h"
#include "ui/display.h"
#include "ui/present.h"
#include "ui/window.h"

#include <SDL.h>

namespace {

// The background, the match, the border over it, then the current screen's
// buttons over the border.
void drawMatchAndScreen() {
    drawBackground();
    runMatchFrame();
    drawBorder();
    if (screenState == SCREEN_TITLE)
        runTitleMenu();
    else if (screenState == SCREEN_MATCH)
        runMatchControls();
}

// Takes every event left in the queue; only a close request matters here.
// A hang-up counts as one.
void checkForQuit() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0)
        if (event.type == SDL_QUIT)
            quitRequested = true;
    if (hangUpReceived)
        quitRequested = true;
}

} // namespace

Uint32 (*passClock)() = SDL_GetTicks;
void (*passSleep)(Uint32) = SDL_Delay;

void runFrame() {
    SDL_PumpEvents();
    takeWindowEvents();
    updateInput();
    mapPointerToGame();
    // A hidden window is neither drawn nor shown, but the frame in which the
    // player looks away is drawn, for the overlay to freeze it.
    if (!windowHidden || playerLookedAway) {
        if (overlayAmount == OVERLAY_CLOSED) // the match is frozen while the overlay shows
            drawMatchAndScreen();
        updateOverlay();
        presentFrame();
    }
    updateSound(); // the frame's sounds start as its picture shows
    checkForQuit();
}

void runPass() {
    const Uint32 passStart = passClock();
    runFrame();
    if (const Uint32 delay = frameDelay(passStart, passClock()))
        passSleep(delay);
}
