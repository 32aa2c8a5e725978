// The input snapshot, driven by events pushed into SDL's real queue.
#include "input/input.h"

#include "support/headless_display.h"
#include "ui/button.h"

#include <string>

namespace {

// Events written as pairs: w or s for a key, L for the left button, then
// + for down or - for up: "w+w-s+".
void push(const std::string& events) {
    for (size_t i = 0; i + 1 < events.size(); i += 2) {
        const bool down = events[i + 1] == '+';
        if (events[i] == 'L')
            pushEvent(down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP);
        else
            pushEvent(down ? SDL_KEYDOWN : SDL_KEYUP, SDLKey(events[i]));
    }
}

// Runs `frames` passes of the main loop with the pointer on a button and
// returns one mark per frame: x when the button reported a click. Like the
// main loop's quit check, each pass ends by emptying SDL's queue.
std::string clicksOver(int frames) {
    std::string clicks;
    SDL_Event e;
    for (int i = 0; i < frames; i++) {
        updateInput();
        clicks += button(320, 240, 100, 30, "ok") ? 'x' : '.';
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
        }
    }
    return clicks;
}

class InputTest : public HeadlessDisplayTest {};

} // namespace

// Each row: the events waiting at one update, then the states read after it.
TEST_F(InputTest, EventsApplyInQueueOrderAndEveryPressIsSeenForOneFrame) {
    const struct {
        const char* events;
        uint32_t w, s;
        const char* what;
    } frames[] = {
        {"w+", KEY_PRESSED, KEY_UP, "pressed in its first frame"},
        {"", KEY_HELD, KEY_UP, "held afterwards, no repeat"},
        {"", KEY_HELD, KEY_UP, "still held"},
        {"w-", KEY_UP, KEY_UP, "released"},
        {"w+w-s+", KEY_PRESSED, KEY_UP, "a tap: its release and all after it wait"},
        {"", KEY_UP, KEY_PRESSED, "the release, then s, one frame later"},
        {"s-s+", KEY_UP, KEY_PRESSED, "released and pressed in one frame: pressed"},
        {"w+", KEY_PRESSED, KEY_HELD, "no quick pair: as it always was"},
        {"w-s-", KEY_UP, KEY_UP, "two releases"},
    };
    for (const auto& f : frames) {
        push(f.events);
        updateInput();
        EXPECT_EQ(keyStates[SDLK_w], f.w) << f.what;
        EXPECT_EQ(keyStates[SDLK_s], f.s) << f.what;
    }
}

// Two full clicks between two frames are two clicks, one frame apart.
TEST_F(InputTest, QuickClicksAreEachSeen) {
    SDL_WarpMouse(320, 240);
    push("L+L-L+L-");
    EXPECT_EQ(clicksOver(4), "xx..");
}

// Taps of w arrive 63 a frame and leave the backlog two events a frame.
// Filled exactly to its bound, it still shows every press. Past the bound its
// oldest waiting event is applied at once: s, pressed deep inside the flood,
// goes down before the flood has drained, and up again with its release, the
// last event of the last full queue. The first tap after the flood shows at once.
TEST_F(InputTest, TheBacklogShowsEveryPressUpToItsBoundAndPastItAppliesItsOldestEvent) {
    int presses = 0;
    bool sDown = false;
    const auto frame = [&](int taps, const std::string& more = "") {
        for (int i = 0; i < taps; ++i)
            push("w+w-");
        push(more);
        clicksOver(1);
        presses += wasPressed(keyStates[SDLK_w]);
        sDown |= isHeld(keyStates[SDLK_s]);
    };
    frame(63), frame(63), frame(3, "w+"); // 125, 249, then exactly 256 waiting
    for (int i = 0; i < INPUT_BACKLOG_CAPACITY / 2; ++i)
        frame(0);
    EXPECT_EQ(presses, 130);

    frame(63), frame(62, "s+"); // s+ waits as the 248th event
    frame(63), frame(63), frame(62, "s-");
    for (int i = 0; i < INPUT_BACKLOG_CAPACITY / 2; ++i)
        frame(0);
    EXPECT_TRUE(sDown) << "the press of s was lost";
    EXPECT_EQ(keyStates[SDLK_s], KEY_UP) << "the release of s was lost";
    frame(1);
    EXPECT_EQ(keyStates[SDLK_w], KEY_PRESSED);
}

TEST_F(InputTest, SymbolsAndButtonsOutsideTheTablesAreTakenButChangeNothing) {
    pushEvent(SDL_KEYDOWN, SDLKey(KEY_COUNT));
    pushEvent(SDL_KEYDOWN, SDLKey(511)); // the largest value the key type holds
    for (int button : {MOUSE_BUTTON_COUNT, 255}) {
        SDL_Event e{};
        e.button = {SDL_MOUSEBUTTONDOWN, 0, Uint8(button), SDL_PRESSED, 0, 0};
        ASSERT_EQ(SDL_PushEvent(&e), 0);
    }
    updateInput();
    for (int i = 0; i < KEY_COUNT; ++i)
        ASSERT_EQ(keyStates[i], KEY_UP) << "key " << i;
    for (int i = 0; i < MOUSE_BUTTON_COUNT; ++i)
        ASSERT_EQ(mouseButtonStates[i], KEY_UP) << "button " << i;
    SDL_Event e;
    EXPECT_EQ(SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_KEYDOWNMASK | SDL_MOUSEBUTTONDOWNMASK), 0);
}
