// The input snapshot. Key and button events are applied in the order they
// were queued, and a press is always seen for one frame: an event that would
// undo a press no frame has seen yet waits in a backlog for the next update,
// and everything queued after it waits behind it.
#include "input/input.h"

uint32_t keyStates[KEY_COUNT];
uint32_t mouseButtonStates[MOUSE_BUTTON_COUNT];
int32_t mouseX, mouseY;

namespace {

// One key or button event, reduced to what the snapshot needs.
struct HeldEvent {
    uint32_t* state; // the entry of keyStates or mouseButtonStates it names
    bool down;
};

// The backlog: a ring of events taken from SDL's queue but not applied yet,
// oldest first. The main loop empties SDL's queue at the end of every pass,
// so whatever waits for a later frame must wait here.
HeldEvent backlog[INPUT_BACKLOG_CAPACITY];
int backlogStart = 0;
int backlogCount = 0;

// A state that went down last frame is merely held now.
void ageStates(uint32_t* states, int count) {
    for (int i = 0; i < count; ++i)
        if (states[i] != KEY_UP)
            states[i] = KEY_HELD;
}

void apply(const HeldEvent& event) {
    *event.state = event.down ? KEY_PRESSED : KEY_UP;
}

void dropOldest() {
    backlogStart = (backlogStart + 1) % INPUT_BACKLOG_CAPACITY;
    backlogCount--;
}

// Appends one event to the backlog. Symbols and buttons outside the tables
// change nothing and are not kept. At the bound the oldest waiting event is
// applied at once: the states stay true to the devices, and only a press
// whose release is forced through in the same update goes unseen.
void hold(const SDL_Event& event) {
    HeldEvent held{};
    if (event.type == SDL_KEYDOWN || event.type == SDL_KEYUP) {
        const unsigned sym = event.key.keysym.sym;
        if (sym >= unsigned(KEY_COUNT))
            return;
        held = {&keyStates[sym], event.type == SDL_KEYDOWN};
    } else {
        if (event.button.button >= MOUSE_BUTTON_COUNT)
            return;
        held = {&mouseButtonStates[event.button.button], event.type == SDL_MOUSEBUTTONDOWN};
    }
    if (backlogCount == INPUT_BACKLOG_CAPACITY) {
        apply(backlog[backlogStart]);
        dropOldest();
    }
    backlog[(backlogStart + backlogCount) % INPUT_BACKLOG_CAPACITY] = held;
    backlogCount++;
}

// Takes every key and button event from SDL's queue in queue order.
void takeQueuedEvents() {
    constexpr Uint32 INPUT_EVENTS =
        SDL_KEYDOWNMASK | SDL_KEYUPMASK | SDL_MOUSEBUTTONDOWNMASK | SDL_MOUSEBUTTONUPMASK;
    SDL_Event events[EVENT_QUEUE_CAPACITY];
    int taken;
    while ((taken = SDL_PeepEvents(events, EVENT_QUEUE_CAPACITY, SDL_GETEVENT, INPUT_EVENTS)) > 0)
        for (int i = 0; i < taken; ++i)
            hold(events[i]);
}

// Applies waiting events oldest first. One that would change an entry pressed
// in this update stops the pass: that press must be seen first, and the
// events behind it keep their order, so every frame shows a state the keys
// and buttons really passed through.
void applyBacklog() {
    while (backlogCount > 0 && *backlog[backlogStart].state != KEY_PRESSED) {
        apply(backlog[backlogStart]);
        dropOldest();
    }
}

} // namespace

void updateInput() {
    // After ageing nothing is pressed, so the oldest waiting event always
    // applies: the backlog shrinks by at least one event every update.
    ageStates(keyStates, KEY_COUNT);
    ageStates(mouseButtonStates, MOUSE_BUTTON_COUNT);
    takeQueuedEvents();
    applyBacklog();

    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    mouseX = x;
    mouseY = y;
}
