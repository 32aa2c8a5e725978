// Rored: start-up and the one main loop. Each pass reads input, advances and
// draws the match and the current screen while the overlay is closed, lets
// the overlay step, presents the frame, checks for quit and paces to 16 ms.
#include "game/match_controls.h"
#include "game/match_frame.h"
#include "game/title_menu.h"
#include "game/world.h"
#include "input/frame_clock.h"
#include "input/hang_up.h"
#include "input/input.h"
#include "overlay/driver.h"
#include "ui/display.h"
#include "ui/media_folder.h"
#include "ui/theme.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

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

void drawMatchAndScreen() {
    SDL_BlitSurface(backgroundImage, nullptr, screen, nullptr);
    runMatchFrame();
    SDL_BlitSurface(borderImage, nullptr, screen, nullptr);
    if (screenState == SCREEN_TITLE)
        runTitleMenu();
    else if (screenState == SCREEN_MATCH)
        runMatchControls();
}

} // namespace

int main(int, char**) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    // The game plays no sound: unless the user chose a driver, the silent one
    // spares a machine without a sound card the probing and its error lines.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    catchHangUp();
    // Ask for everything, but a machine without a sound card or joystick can
    // still play: the game needs only video and the timer. No parachute: SDL's
    // crash handler calls back into Xlib and can hang a dying game for ever.
    if (SDL_Init(SDL_INIT_EVERYTHING | SDL_INIT_NOPARACHUTE) != 0 &&
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_NOPARACHUTE) != 0) {
        std::fprintf(stderr, "rored: cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    std::atexit(SDL_Quit);
    SDL_ShowCursor(SDL_DISABLE);
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 0, SDL_DOUBLEBUF);
    if (!screen) {
        std::fprintf(stderr, "rored: cannot open a 640x480 window: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Rored", nullptr);
    findMediaFolder();
    loadGameWorld();
    loadTheme();

    while (!quitRequested) {
        const uint32_t passStart = SDL_GetTicks();
        SDL_PumpEvents();
        updateInput();
        if (overlayAmount == OVERLAY_CLOSED) // the match is frozen while the overlay shows
            drawMatchAndScreen();
        updateOverlay();
        SDL_Flip(screen);
        checkForQuit();
        SDL_Delay(frameDelay(passStart, SDL_GetTicks()));
    }
    return 0;
}
