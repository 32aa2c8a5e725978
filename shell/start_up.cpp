// Start-up in the designed order, with what this machine needs around it: an
// audio driver that suits it, a clean end on a hang-up, no crash handler of
// SDL's, no timer thread, and the installed pictures where the working folder
// has none; then the sounds.
#include "shell/start_up.h"

#include "audio/device.h"
#include "audio/sound.h"
#include "game/world.h"
#include "input/hang_up.h"
#include "shell/video_driver.h"
#include "shell/window_events.h"
#include "ui/display.h"
#include "ui/media_folder.h"
#include "ui/theme.h"
#include "ui/window.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

bool startUp(const char* caption) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    chooseAudioDriver();
    catchHangUp();
    if (!chooseVideoDriver())
        return false;
    // Ask for everything, but a machine without a sound card or joystick can
    // still play: the game needs only video. No parachute: SDL's crash handler
    // calls back into Xlib and can hang a dying game for ever.
    if (SDL_Init(SDL_INIT_EVERYTHING | SDL_INIT_NOPARACHUTE) != 0 &&
        SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) != 0) {
        std::fprintf(stderr, "rored: cannot start SDL: %s\n", SDL_GetError());
        return false;
    }
    // SDL is shut down by main's return, not by an exit handler: when the X
    // server dies, Xlib calls exit, and an SDL_Quit run from there waits for
    // ever on the dead connection under sdl12-compat.
    // The game sets no SDL timers, yet classic SDL's timer subsystem keeps a
    // thread that wakes every millisecond to look for them: about two thirds
    // of an idle frame's own cost. Ticks and delays work without it.
    SDL_QuitSubSystem(SDL_INIT_TIMER);
    SDL_ShowCursor(SDL_DISABLE);
    // Before the window exists: setting a filter discards the events queued
    // so far, a close request among them.
    SDL_SetEventFilter(noteWindowEvent);
    findMediaFolder(); // the window's icon is one of the pictures
    if (!openWindow()) {
        std::fprintf(stderr, "rored: cannot open a window: %s\n", SDL_GetError());
        SDL_Quit();
        return false;
    }
    SDL_WM_SetCaption(caption, nullptr);
    loadGameWorld();
    loadTheme();
    startSound(mediaParent);
    return true;
}
