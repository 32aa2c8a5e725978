// rored_match: the game's own start-up and paced loop in a real window, with
// a single-player match started through the title menu by a click on "single
// player" and BALLS balls in play (rored_match BALLS; 1 by default). It lets
// the idle cost of a crowded match be measured as the game itself would spend
// it, since no player can serve 2000 balls. Run from the repository root; a
// close request or SIGTERM ends it.
#include "game/title_menu.h"
#include "game/world.h"
#include "input/frame_clock.h"
#include "shell/frame.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

void pushClick(Uint8 type) {
    SDL_Event event{};
    event.type = type;
    event.button.type = type;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    SDL_PushEvent(&event);
}

} // namespace

int main(int argc, char** argv) {
    const int ballsWanted = argc > 1 ? std::atoi(argv[1]) : 1;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (SDL_Init(SDL_INIT_EVERYTHING) != 0)
        return 1;
    SDL_ShowCursor(SDL_DISABLE);
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 0, SDL_DOUBLEBUF);
    if (!screen) {
        std::fprintf(stderr, "rored_match: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Rored match", nullptr);
    loadGameWorld();
    loadTheme();

    // "single player" is clicked in frame 2 and released in frame 4; the
    // pointer then waits above the field.
    for (int frame = 0; !quitRequested; ++frame) {
        const uint32_t passStart = SDL_GetTicks();
        if (frame == 1)
            SDL_WarpMouse(320, 195);
        if (frame == 2)
            pushClick(SDL_MOUSEBUTTONDOWN);
        if (frame == 4)
            pushClick(SDL_MOUSEBUTTONUP);
        if (frame == 5) {
            SDL_WarpMouse(320, 20);
            while (ballCount > 0 && ballCount < ballsWanted)
                serveBall(ServeDirection::Free);
        }
        runFrame();
        SDL_Delay(frameDelay(passStart, SDL_GetTicks()));
    }
    SDL_Quit();
    return 0;
}
