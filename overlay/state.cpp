// The pause overlay's state and the position that slides with it.
#include "overlay/state.h"

double overlayAmount = OVERLAY_CLOSED;
bool overlayOpen = false;
tm overlayLocalTime = {};
bool overlayTimeKnown = false;

int overlaySlide(int closedValue, int openValue) {
    const double a = overlayAmount;
    return int((100.0 - a) / 100.0 * closedValue + a / 100.0 * openValue);
}
