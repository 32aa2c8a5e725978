// The two picture loaders used by every subsystem. A picture that is missing,
// unreadable or fails to convert gives an empty handle (nullptr); blitting an
// empty handle draws nothing.
#pragma once

#include <SDL.h>

// Loads a PNG with per-pixel alpha, converted to the display format.
SDL_Surface* loadAlphaImage(const char* path);

// Loads a picture without alpha whose cyan (0, 255, 255) pixels are transparent.
SDL_Surface* loadColorKeyedImage(const char* path);
