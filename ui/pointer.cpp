// The themed pointer, drawn over everything else while the window has the
// mouse focus. The first frame shows none.
#include "ui/pointer.h"

#include "input/input.h"
#include "ui/display.h"
#include "ui/theme.h"

bool pointerStarted;

// The sheet's fourth frame is the pointer; its centre is the hot spot.
constexpr int POINTER_FRAME = 3;
constexpr int POINTER_HOT_SPOT = CURSOR_FRAME_SIZE / 2;

void drawPointer() {
    if (pointerStarted && (SDL_GetAppState() & SDL_APPMOUSEFOCUS)) {
        blitAt(cursorImage, &cursorFrames[POINTER_FRAME], mouseX - POINTER_HOT_SPOT,
               mouseY - POINTER_HOT_SPOT);
    }
    pointerStarted = true;
}
