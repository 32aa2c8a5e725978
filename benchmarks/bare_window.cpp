// rored_bare: the floor for the game's idle cost. A bare SDL program that
// opens the same 640x480 window and, every 16 ms, blits one opaque
// full-screen picture and flips; nothing else. Run from the repository root
// (it shows Media/Game/background.png); a close request or SIGTERM ends it.
#include "input/frame_clock.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 0, SDL_DOUBLEBUF);
    SDL_Surface* loaded = IMG_Load("Media/Game/background.png");
    SDL_Surface* picture = loaded ? SDL_DisplayFormat(loaded) : nullptr;
    if (!screen || !picture) {
        std::fprintf(stderr, "rored_bare: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Rored bare", nullptr);
    for (bool quit = false; !quit;) {
        const Uint32 passStart = SDL_GetTicks();
        SDL_BlitSurface(picture, nullptr, screen, nullptr);
        SDL_Flip(screen);
        SDL_Event event;
        while (SDL_PollEvent(&event))
            quit |= event.type == SDL_QUIT;
        SDL_Delay(frameDelay(passStart, SDL_GetTicks()));
    }
    SDL_Quit();
    return 0;
}
