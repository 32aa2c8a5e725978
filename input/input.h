// The per-frame input snapshot: keys, mouse buttons and pointer position,
// refreshed once a frame so that every reader sees the same state.
#pragma once

#include <SDL.h>

#include <cstdint>

// --- Key and button states --------------------------------------------------
constexpr uint32_t KEY_UP = 0;      // not held
constexpr uint32_t KEY_HELD = 1;    // held, and already held at the previous update
constexpr uint32_t KEY_PRESSED = 2; // went down since the previous update

constexpr int KEY_COUNT = 500;         // covers every SDL 1.2 key symbol
constexpr int MOUSE_BUTTON_COUNT = 10; // indexed by SDL button number; slot 0 unused

// --- Events waiting for a later frame -----------------------------------------
constexpr int EVENT_QUEUE_CAPACITY = 128; // the most events SDL 1.2 queues between two frames
// Two full SDL queues: a full queue that arrives while at most another
// queue's worth of events waits is kept whole, none of its presses lost.
constexpr int INPUT_BACKLOG_CAPACITY = 2 * EVENT_QUEUE_CAPACITY;

// --- Snapshot ---------------------------------------------------------------
extern uint32_t keyStates[KEY_COUNT];                  // by SDLKey symbol
extern uint32_t mouseButtonStates[MOUSE_BUTTON_COUNT]; // by SDL button number
extern int32_t mouseX, mouseY;                         // pointer in window pixels

// Ages the states, applies key and button events in queue order (holding back
// for the next update any that would undo a press not seen yet) and reads the
// pointer. Called once per frame by the main loop, right after SDL_PumpEvents
// and before anything reads the snapshot.
void updateInput();

// Continuous actions (moving a paddle) ask isHeld; one-shot actions ask wasPressed.
inline bool isHeld(uint32_t state) {
    return state != KEY_UP;
}
inline bool wasPressed(uint32_t state) {
    return state == KEY_PRESSED;
}
