// Without a display, classic SDL 1.2 falls back to text-mode drivers that take
// over the terminal with an ASCII-art game, and sdl12-compat to a windowless
// one: either way a game nobody can see. Only a display the player can look at
// counts, or a driver the player asked for by name (the tests ask for "dummy").
#include "shell/video_driver.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr Uint8 FIRST_COMPAT_PATCH = 50; // sdl12-compat reports versions from 1.2.50 on

bool named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

} // namespace

bool chooseVideoDriver() {
    if (named("SDL_VIDEODRIVER"))
        return true;
    if (named("DISPLAY"))
        return setenv("SDL_VIDEODRIVER", "x11", 1) == 0;
    if (named("WAYLAND_DISPLAY") && SDL_Linked_Version()->patch >= FIRST_COMPAT_PATCH)
        return setenv("SDL_VIDEODRIVER", "wayland", 1) == 0;
    std::fprintf(stderr, "rored: no display to show the game on (DISPLAY is not set); "
                         "SDL_VIDEODRIVER names a driver to use instead\n");
    return false;
}
