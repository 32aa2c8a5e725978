// The display surface, the run flag and the one way pictures reach the
// screen at a position, shared by every subsystem.
#include "ui/display.h"

#include "ui/alpha_blit.h"

SDL_Surface* screen;
bool quitRequested;

void blitAt(SDL_Surface* image, SDL_Rect* source, int x, int y) {
    SDL_Rect destination{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    if (!blitBlended(image, source, destination.x, destination.y))
        SDL_BlitSurface(image, source, screen, &destination);
}
