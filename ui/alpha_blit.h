// Blits of pictures with per-pixel alpha onto a 32-bit screen, many pixels a
// step, giving exactly the pixels SDL's own blit gives there: the same
// clipping, and per channel d + (s - d) * a / 256 rounded down (s itself at
// alpha 255). The panels, text and pointer drawn every frame are mostly such
// blends, which SDL works through one pixel at a time.
#pragma once

#include <SDL.h>

// Blits `source` of `image` (the whole picture when null) onto the screen
// with its top-left corner at (x, y), as SDL_BlitSurface would, and returns
// true; returns false, drawing nothing, when the pair of surfaces is not one it
// handles or the running SDL blends otherwise (then blit through SDL). Called
// by blitAt.
bool blitBlended(SDL_Surface* image, const SDL_Rect* source, Sint16 x, Sint16 y);
