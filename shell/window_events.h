// What the window itself is told each frame: resizes, the fullscreen keys,
// focus and visibility. A match pauses when the player looks away from it.
#pragma once

// --- This frame ---------------------------------------------------------------------
extern bool playerLookedAway; // the window lost the keyboard focus or was hidden

// Takes the resize, focus and visibility events from SDL's queue,
// peeks at the key presses for the fullscreen toggle (F11, Alt+Enter; the
// input snapshot still takes them), applies the last resize and the toggle,
// and asks the overlay to pause a match the player looked away from. Called
// by the frame pass right after SDL_PumpEvents.
void takeWindowEvents();
