// The arena's two full-screen pictures: the background under the match and
// the border over it. The border hides about a quarter of the background for
// good, so the background is drawn only where the border lets it show.
#pragma once

#include <SDL.h>

// --- Arena drawing ----------------------------------------------------------------
extern SDL_Rect
    fieldOpening; // where what lies under the border can show; whole screen until measured

// Finds fieldOpening by blitting the border over different colours and keeping
// the box of the pixels that differ. Called by loadGameWorld once the border is loaded.
void measureFieldOpening();

// Blits the background inside fieldOpening: the same screen, once the border
// is over it, as blitting it whole. Called first in every frame the match is drawn.
void drawBackground();

// Blits the border whole over the match. Called right after the match frame.
void drawBorder();
