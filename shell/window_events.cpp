// The window's events. A resize waits until the window's size has stood for
// RESIZE_SETTLE_MS: a burst of them, or a drag, ends in one video mode at the
// last size. Setting each size as it comes could ask for one the window no
// longer has, after a newer one, and that request would win (classic SDL 1.2
// then even ignores the window's sizes until its own comes back).
// Fullscreen presses cancel in pairs: the last one wins.
#include "shell/window_events.h"

#include "game/world.h"
#include "input/input.h"
#include "overlay/driver.h"
#include "shell/frame.h"
#include "ui/window.h"

bool playerLookedAway;

namespace {

constexpr Uint32 RESIZE_SETTLE_MS = 100;

// Noted since the last frame.
bool resizeNoted, toggleNoted, lookedAwayNoted;
int notedWidth, notedHeight;
// A resize waiting for the size to stand.
bool resizeWaiting;
int waitingWidth, waitingHeight;
Uint32 waitingSince;

// F11, or Enter with Alt. Alt is read from the event itself: a quick
// Alt+Enter releases Alt before the frame that sees the Enter.
bool togglesFullscreen(const SDL_keysym& key) {
    const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
    return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT));
}

void note(const SDL_Event& e) {
    if (e.type == SDL_KEYDOWN) {
        toggleNoted ^= togglesFullscreen(e.key.keysym);
    } else if (e.type == SDL_VIDEORESIZE) {
        resizeNoted = true;
        notedWidth = e.resize.w;
        notedHeight = e.resize.h;
    } else if (e.type == SDL_ACTIVEEVENT) {
        const Uint8 lost = e.active.gain ? 0 : e.active.state;
        lookedAwayNoted |= (lost & (SDL_APPINPUTFOCUS | SDL_APPACTIVE)) != 0;
        if (e.active.state & SDL_APPACTIVE)
            windowHidden = !e.active.gain;
    }
}

} // namespace

int noteWindowEvent(const SDL_Event* event) {
    note(*event);
    return event->type != SDL_VIDEORESIZE && event->type != SDL_ACTIVEEVENT;
}

void takeWindowEvents() {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_VIDEORESIZEMASK | SDL_ACTIVEEVENTMASK) > 0)
        note(event);
    playerLookedAway = lookedAwayNoted;
    lookedAwayNoted = false;
    if (resizeNoted) {
        resizeNoted = false;
        resizeWaiting = true;
        waitingWidth = notedWidth;
        waitingHeight = notedHeight;
        waitingSince = passClock();
    }

    // Fullscreen keeps the desktop's size: a resize then is the desktop's doing.
    if (windowFullscreen)
        resizeWaiting = false;
    if (toggleNoted) {
        toggleNoted = false;
        if (resizeWaiting) { // the window's size now, to come back to
            windowedWidth = waitingWidth;
            windowedHeight = waitingHeight;
            resizeWaiting = false;
        }
        toggleFullscreen();
    } else if (resizeWaiting && passClock() - waitingSince >= RESIZE_SETTLE_MS) {
        resizeWaiting = false;
        if (windowSurface &&
            (waitingWidth != windowSurface->w || waitingHeight != windowSurface->h))
            showWindow(waitingWidth, waitingHeight, false);
    }
    if (playerLookedAway && screenState == SCREEN_MATCH)
        requestOverlayPause();
}
