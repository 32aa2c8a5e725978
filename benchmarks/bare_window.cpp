// rored_bare: the floor for the game's idle cost. A bare SDL program that
// opens the window the game would, 640k x 480k (rored_bare [K], 1 by
// default), and every 16 ms shows one opaque 640x480 picture in it, then
// flips; nothing else. At 1x it blits the picture; scaled (on a 32-bit
// display), it writes each pixel k times into each of k rows with a plain loop. Run from the
// repository root (it shows Media/Game/background.png); a close request or
// SIGTERM ends it.
#include "input/frame_clock.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

void showScaled(SDL_Surface* picture, SDL_Surface* screen, int k) {
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; ++y) {
        const Uint32* from = reinterpret_cast<const Uint32*>(static_cast<Uint8*>(picture->pixels) +
                                                             y / k * picture->pitch);
        Uint32* to =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch);
        for (int x = 0; x < picture->w; ++x)
            for (int i = 0; i < k; ++i)
                *to++ = from[x];
    }
    SDL_UnlockSurface(screen);
}

} // namespace

int main(int argc, char** argv) {
    const int k = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Surface* screen = SDL_SetVideoMode(640 * k, 480 * k, 0, SDL_DOUBLEBUF);
    SDL_Surface* loaded = IMG_Load("Media/Game/background.png");
    SDL_Surface* picture = loaded ? SDL_DisplayFormat(loaded) : nullptr;
    if (!screen || !picture || (k > 1 && screen->format->BytesPerPixel != 4)) {
        std::fprintf(stderr, "rored_bare: %s\n", SDL_GetError());
        return 1;
    }
    SDL_WM_SetCaption("Rored bare", nullptr);
    for (bool quit = false; !quit;) {
        const Uint32 passStart = SDL_GetTicks();
        if (k == 1)
            SDL_BlitSurface(picture, nullptr, screen, nullptr);
        else
            showScaled(picture, screen, k);
        SDL_Flip(screen);
        SDL_Event event;
        while (SDL_PollEvent(&event))
            quit |= event.type == SDL_QUIT;
        SDL_Delay(frameDelay(passStart, SDL_GetTicks()));
    }
    SDL_Quit();
    return 0;
}
