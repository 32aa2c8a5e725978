// The window's events. A burst of resizes counts as its last one; toggles
// seen in one frame cancel in pairs, so the last state asked for wins.
#include "shell/window_events.h"

#include "game/world.h"
#include "input/input.h"
#include "overlay/driver.h"
#include "ui/window.h"

#include <SDL.h>

bool playerLookedAway;

namespace {

// F11, or Enter with Alt. Alt is read from the event itself: a quick
// Alt+Enter releases Alt before the frame that sees the Enter.
bool togglesFullscreen(const SDL_keysym& key) {
    const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
    return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT));
}

// Runs `each` on every event of the mask, taking them from the queue.
template <typename Each> void takeEvents(Uint32 mask, Each each) {
    SDL_Event events[EVENT_QUEUE_CAPACITY];
    int taken;
    while ((taken = SDL_PeepEvents(events, EVENT_QUEUE_CAPACITY, SDL_GETEVENT, mask)) > 0)
        for (int i = 0; i < taken; ++i)
            each(events[i]);
}

} // namespace

void takeWindowEvents() {
    playerLookedAway = false;
    const SDL_Event* resize = nullptr;
    SDL_Event lastResize;
    takeEvents(SDL_VIDEORESIZEMASK, [&](const SDL_Event& e) {
        lastResize = e;
        resize = &lastResize;
    });
    takeEvents(SDL_ACTIVEEVENTMASK, [](const SDL_Event& e) {
        const Uint8 lost = e.active.gain ? 0 : e.active.state;
        playerLookedAway |= (lost & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0;
        if (e.active.state & SDL_APPACTIVE)
            windowHidden = !e.active.gain;
    });

    SDL_Event keys[EVENT_QUEUE_CAPACITY];
    const int peeked = SDL_PeepEvents(keys, EVENT_QUEUE_CAPACITY, SDL_PEEKEVENT, SDL_KEYDOWNMASK);
    bool toggle = false;
    for (int i = 0; i < peeked; ++i)
        toggle ^= togglesFullscreen(keys[i].key.keysym);

    // Fullscreen keeps the desktop's size; a resize then is the desktop's doing.
    if (resize && !windowFullscreen && windowSurface &&
        (resize->resize.w != windowSurface->w || resize->resize.h != windowSurface->h))
        showWindow(resize->resize.w, resize->resize.h, false);
    if (toggle)
        toggleFullscreen();
    if (playerLookedAway && screenState == SCREEN_MATCH)
        requestOverlayPause();
}
