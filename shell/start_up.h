// Start-up: SDL, the window and every picture, in the game's fixed order.
#pragma once

// Seeds the random generator, starts SDL, hides the system pointer, opens the
// 640x480 window with `caption`, finds the pictures and loads the game world
// and the theme. False, after one line on standard error, when SDL or the
// window cannot start. Called once by main (and by the window benchmarks)
// before the first pass.
bool startUp(const char* caption);
