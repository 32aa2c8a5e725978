// The input snapshot. Events are drained by kind, not in queue order: every
// key-down of the frame is applied before every key-up, so a key pressed and
// released between two frames is never seen as down.
#include "input/input.h"

uint32_t keyStates[KEY_COUNT];
uint32_t mouseButtonStates[MOUSE_BUTTON_COUNT];
int32_t mouseX, mouseY;

namespace {

// A state that went down last frame is merely held now.
void ageStates(uint32_t* states, int count) {
    for (int i = 0; i < count; ++i)
        if (states[i] != KEY_UP)
            states[i] = KEY_HELD;
}

// Takes every queued event of one kind and sets the entry it names.
void drainKeys(Uint32 mask, uint32_t newState) {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, mask) > 0)
        if (event.key.keysym.sym < KEY_COUNT)
            keyStates[event.key.keysym.sym] = newState;
}

void drainButtons(Uint32 mask, uint32_t newState) {
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, mask) > 0)
        if (event.button.button < MOUSE_BUTTON_COUNT)
            mouseButtonStates[event.button.button] = newState;
}

} // namespace

void updateInput() {
    ageStates(keyStates, KEY_COUNT);
    drainKeys(SDL_KEYDOWNMASK, KEY_PRESSED);
    drainKeys(SDL_KEYUPMASK, KEY_UP);

    ageStates(mouseButtonStates, MOUSE_BUTTON_COUNT);
    drainButtons(SDL_MOUSEBUTTONDOWNMASK, KEY_PRESSED);
    drainButtons(SDL_MOUSEBUTTONUPMASK, KEY_UP);

    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    mouseX = x;
    mouseY = y;
}
