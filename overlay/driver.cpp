// The pause overlay's frame: the Escape toggle, the easing that
// lands exactly on 0.0 and 100.0, and the order of the overlay's pieces.
#include "overlay/driver.h"

#include "audio/sound.h"
#include "input/input.h"
#include "overlay/menu.h"
#include "overlay/status_bars.h"
#include "overlay/transition.h"
#include "ui/mute_mark.h"
#include "ui/pointer.h"

// Each step closes a fifteenth of the way and adds half a unit more, so the
// curve overshoots the target and the clamp lands on it exactly:
//   opening from 0.0:   7.1667, 13.856, 20.099, ... 99.129, 99.687, 100.0 (39 steps)
//   closing from 100.0: 92.833, 86.144, 79.901, ...  0.871,  0.313,   0.0 (39 steps)
double easeOverlayAmount(double amount, bool open) {
    if (open) {
        amount = (amount * 14.0 + OVERLAY_FULL) / 15.0 + 0.5;
        if (amount > OVERLAY_FULL)
            amount = OVERLAY_FULL;
    } else {
        amount = (amount * 14.0 + OVERLAY_CLOSED) / 15.0 - 0.5;
        if (amount < OVERLAY_CLOSED)
            amount = OVERLAY_CLOSED;
    }
    return amount;
}

bool refreshOverlayLocalTime(time_t now) {
    overlayTimeKnown = localtime_r(&now, &overlayLocalTime) != nullptr;
    return overlayTimeKnown;
}

namespace {

bool pauseRequested; // the player looked away during a match this frame

void openOverlay() {
    overlayOpen = true;
    // Reopening during a closing keeps the frame frozen last time.
    if (overlayAmount == OVERLAY_CLOSED)
        captureSnapshot();
}

} // namespace

void requestOverlayPause() {
    pauseRequested = true;
}

void stepOverlayTransition() {
    // Toggle: only a fresh press counts, so a held Escape toggles once.
    if (wasPressed(keyStates[SDLK_ESCAPE])) {
        if (!overlayOpen)
            openOverlay();
        else
            overlayOpen = false;
    }
    // Looking away opens it as Escape would, whatever Escape did this frame.
    if (pauseRequested && !overlayOpen)
        openOverlay();
    pauseRequested = false;
    // Backdrop
    if (overlayAmount != OVERLAY_CLOSED)
        drawBackdrop();
    // Easing
    overlayAmount = easeOverlayAmount(overlayAmount, overlayOpen);
}

void updateOverlay() {
    stepOverlayTransition();
    if (overlayAmount != OVERLAY_CLOSED) {
        refreshOverlayLocalTime(time(nullptr));
        runOverlayMenu();
        drawStatusBars(); // after the menu, so the bars lie over it
    }
    soundOverlayState(overlayOpen);
    drawMuteMark(); // after the frozen frame was taken: never in a screenshot
    drawPointer();  // last, on top of everything
}
