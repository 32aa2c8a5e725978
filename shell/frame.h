// One pass of the main loop: input, the match and the current screen while the
// overlay is closed, the overlay, the flip and the quit check, then the pacing.
// main runs passes until quitRequested; tools, benchmarks and tests run them
// frame by frame.
#pragma once

#include <SDL.h>

// --- Pacing ------------------------------------------------------------------------
extern Uint32 (*passClock)();     // milliseconds: SDL_GetTicks unless a test sets another
extern void (*passSleep)(Uint32); // SDL_Delay unless a test sets another

// Runs one frame in the fixed order. Called by runPass, and by tools and
// benchmarks that run frames without pacing.
void runFrame();

// runFrame, then a sleep for the rest of FRAME_MS: none after a pass that took
// FRAME_MS or more. Called by main while quitRequested is false.
void runPass();
