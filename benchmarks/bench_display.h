// A headless 640x480 32-bit display for benchmarks, with the game world and
// theme loaded from Media/ in the working folder.
#pragma once

#include <SDL.h>

constexpr double FRAME_BUDGET_NS = 16.0e6; // one 16 ms frame

// Opens the dummy-driver display once per process and loads the world and theme.
SDL_Surface* openBenchDisplay();
