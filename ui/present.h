// Showing a frame: straight from the window when the game fills it, else
// `screen` scaled into the window by whole k, nearest neighbour, byte for byte.
#pragma once

#include <SDL.h>

// Copies the 640x480 `game` into `window` (the same pixel format, 1 to 4
// bytes a pixel) with each pixel a k x k block and the game's top-left at
// (left, top). At k = 1 the game may stick out of the window on any side and
// is cropped there; at larger k it must fit. Locked surfaces are the caller's.
void scaleIntoWindow(const SDL_Surface* game, SDL_Surface* window, int k, int left, int top);

// Shows the frame: SDL_Flip of `screen` where it is the window, as always;
// else `screen` scaled into the window, then SDL_Flip of the window. Nothing
// while the window is hidden. Called by the frame pass after the overlay has drawn.
void presentFrame();
