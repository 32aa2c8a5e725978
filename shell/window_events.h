// What the window itself is told: resizes, the fullscreen keys, focus and
// visibility. A match pauses when the player looks away from it.
#pragma once

#include <SDL.h>

// --- This frame ---------------------------------------------------------------------
extern bool playerLookedAway; // the window lost the keyboard focus or was hidden

// Notes the window's events as SDL queues them: the latest size asked for,
// the fullscreen key presses (F11, Alt+Enter) and losses of focus or
// visibility, so that none is missed, however many come and wherever SDL
// gathers them (sdl12-compat also does inside SDL_SetVideoMode). Keeps key
// presses in the queue for the input snapshot and takes the rest out of it.
// Set with SDL_SetEventFilter by start-up.
int noteWindowEvent(const SDL_Event* event);

// Applies what was noted since the last frame (and any such event queued
// without the filter): toggles fullscreen once for an odd number of presses;
// resizes to the latest size once it has stood for a tenth of a second;
// asks the overlay to pause a match the player looked away from. Called by
// the frame pass right after SDL_PumpEvents.
void takeWindowEvents();
