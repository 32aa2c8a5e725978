// Writes the frozen frame to the next free "screenshot%d.bmp".
#pragma once

#include <SDL.h>

// What a save came to: which file was written, or why none was.
struct ScreenshotResult {
    int number = 0; // n of the "screenshot<n>.bmp" written; 0 when nothing was
    int error = 0;  // when nothing was written, the errno of the step that failed
    bool saved() const { return number > 0; }
    explicit operator bool() const { return saved(); }
};

// Picks the first "screenshot%d.bmp" (from 1) that does not exist in the
// working folder and writes `surface` there as a BMP. Writes to a temporary
// name first and links it into place (or, where the folder takes no links,
// renames it without replacing or copies it) only after a checked flush and
// close, so a failed write leaves nothing behind and no existing file is ever
// replaced; first clears the temporaries of games that died while saving.
ScreenshotResult writeScreenshot(SDL_Surface* surface);

// Saves snapshotSurface and shows the outcome in the overlay's bottom bar.
// Called by the overlay menu's "Save BMP screenshot".
ScreenshotResult saveScreenshot();
