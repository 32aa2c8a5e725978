// The display surface every drawing routine blits into, and the flag that
// ends the main loop.
#pragma once

#include <SDL.h>

// --- Program-wide display state --------------------------------------------
extern SDL_Surface* screen; // set once by start-up from SDL_SetVideoMode
extern bool quitRequested;  // set by a window close or the overlay's "Exit"

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;
