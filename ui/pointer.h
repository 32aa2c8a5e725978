// The themed pointer: frame 3 of the cursor sheet, centred on the mouse.
#pragma once

extern bool pointerStarted; // false until the first call; the first frame shows no pointer

// Draws the pointer while the window has the mouse focus. Called last in every
// frame by the overlay's step, so the pointer lies on top of everything.
void drawPointer();
