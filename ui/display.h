// The display surface every drawing routine blits into, and the flag that
// ends the main loop.
#pragma once

#include <SDL.h>

// --- Program-wide display state --------------------------------------------
extern SDL_Surface* screen; // set once by start-up from SDL_SetVideoMode
extern bool quitRequested;  // set by a window close or the overlay's "Exit"

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;

// Blits `source` of `image` (the whole picture when null) onto the screen
// with its top-left corner at (x, y), stored as SDL's signed 16-bit
// position; SDL clips at the screen's edges, and an empty handle draws nothing.
void blitAt(SDL_Surface* image, SDL_Rect* source, int x, int y);
