// Which SDL video driver the game may run on: only a real display, unless
// the user names a driver.
#pragma once

// True when the user named a driver in SDL_VIDEODRIVER, or when a real display
// is there: an X server named by DISPLAY, or on sdl12-compat (whose SDL2 speaks
// Wayland) a Wayland compositor named by WAYLAND_DISPLAY; that display's
// driver is then named for SDL, so it cannot fall back to a text-mode or
// windowless one. Otherwise false, after one line on standard error. Called
// by start-up before SDL_Init.
bool chooseVideoDriver();
