// The cross-fade between the frozen frame and its backdrop, one frame of an
// opening or closing: each channel (B * t + S * (100 - t)) / 100, truncated.
#pragma once

#include <SDL.h>

#include <cstdint>

// Keeps the finished backdrop (as packed into `backdrop`, the screen's format)
// for later fades. Called by captureSnapshot once the backdrop surface is filled.
void keepBackdropForFades(const SDL_Surface* backdrop);

// Covers `screen` with the fade at weight t (0..99) of the backdrop against the
// sharp frame. `sharp` is the frozen frame in the screen's format; the grids
// hold both pictures. Called by drawBackdrop with the screen locked.
void drawCrossFade(int t, const SDL_Surface* sharp, const uint8_t* sharpGrid,
                   const uint8_t* backdropGrid);
