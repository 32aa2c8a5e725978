// Writes the frozen frame to the next free "screenshot%d.bmp".
#pragma once

#include <SDL.h>

// Picks the first "screenshot%d.bmp" (from 1) that does not exist in the
// working folder and writes `surface` there as a BMP. Writes to a temporary
// name first and links it into place (or, where the folder takes no links,
// renames it without replacing or copies it) only after a checked flush and
// close, so a failed write leaves nothing behind and no existing file is ever
// replaced; first clears the temporaries of games that died while saving.
// Returns false when nothing was written.
bool writeScreenshot(SDL_Surface* surface);

// Saves snapshotSurface. Called by the overlay menu's "Save BMP screenshot".
void saveScreenshot();
