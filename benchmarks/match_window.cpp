// rored_match: the game's own start-up and paced loop in a real window, with
// a single-player match started through the title menu by a click on "single
// player" and BALLS balls in play (rored_match BALLS; 1 by default). It lets
// the idle cost of a crowded match be measured as the game itself would spend
// it, since no player can serve 2000 balls. Run from the repository root; a
// close request or SIGTERM ends it.
#include "game/world.h"
#include "shell/frame.h"
#include "shell/start_up.h"
#include "ui/display.h"

#include <SDL.h>

#include <cstdlib>
#include <initializer_list>

namespace {

// A click as a tap sends it: the press and the release queued together.
void pushClick() {
    for (Uint8 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event event{};
        event.type = type;
        event.button.type = type;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&event);
    }
}

} // namespace

int main(int argc, char** argv) {
    const int ballsWanted = argc > 1 ? std::atoi(argv[1]) : 1;
    if (!startUp("Rored match"))
        return 1;
    // "single player" is clicked in frame 2; the pointer then waits above
    // the field.
    for (int frame = 0; !quitRequested; ++frame) {
        if (frame == 1)
            SDL_WarpMouse(320, 195);
        if (frame == 2)
            pushClick();
        if (frame == 4) {
            SDL_WarpMouse(320, 20);
            while (ballCount > 0 && ballCount < ballsWanted)
                serveBall(ServeDirection::Free);
        }
        runPass();
    }
    SDL_Quit();
    return 0;
}
