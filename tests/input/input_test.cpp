// The input snapshot, driven by events pushed into SDL's real queue.
#include "input/input.h"

#include "support/headless_display.h"

#include <vector>

namespace {

enum Event { DOWN, UP, BUTTON_DOWN, BUTTON_UP };

void push(Event kind, int code) {
    SDL_Event e{};
    const Uint8 types[] = {SDL_KEYDOWN, SDL_KEYUP, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP};
    e.type = types[kind];
    if (kind <= UP)
        e.key.keysym.sym = static_cast<SDLKey>(code);
    else
        e.button.button = static_cast<Uint8>(code);
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

class InputTest : public HeadlessDisplayTest {};

} // namespace

// Each row: the events waiting at one update, then the state read after it.
TEST_F(InputTest, StatesFollowPressHoldAndReleaseWithDownsAppliedBeforeUps) {
    const struct {
        std::vector<Event> events;
        uint32_t w;
        const char* what;
    } frames[] = {
        {{DOWN}, KEY_PRESSED, "pressed in its first frame"},
        {{}, KEY_HELD, "held afterwards, no repeat"},
        {{}, KEY_HELD, "still held"},
        {{UP}, KEY_UP, "released"},
        {{DOWN, UP}, KEY_UP, "pressed and released in one frame: never seen"},
        {{DOWN}, KEY_PRESSED, "pressed again"},
        {{UP, DOWN}, KEY_UP, "released and pressed in one frame: ups come last"},
    };
    for (const auto& f : frames) {
        for (Event e : f.events)
            push(e, SDLK_w);
        updateInput();
        EXPECT_EQ(keyStates[SDLK_w], f.w) << f.what;
        EXPECT_EQ(isHeld(keyStates[SDLK_w]), f.w != KEY_UP) << f.what;
        EXPECT_EQ(wasPressed(keyStates[SDLK_w]), f.w == KEY_PRESSED) << f.what;
    }
    EXPECT_EQ(keyStates[SDLK_s], KEY_UP) << "other keys are untouched";
}

TEST_F(InputTest, MouseButtonsAgeLikeKeysAndAClickWithinOneFrameIsNeverSeen) {
    push(BUTTON_DOWN, SDL_BUTTON_LEFT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], KEY_PRESSED);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], KEY_HELD);
    push(BUTTON_UP, SDL_BUTTON_LEFT);
    push(BUTTON_DOWN, SDL_BUTTON_RIGHT);
    push(BUTTON_UP, SDL_BUTTON_RIGHT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], KEY_UP);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], KEY_UP);
}

TEST_F(InputTest, SymbolsAndButtonsOutsideTheTablesAreTakenButChangeNothing) {
    push(DOWN, KEY_COUNT);
    push(DOWN, 511); // the largest value the key type holds
    push(BUTTON_DOWN, MOUSE_BUTTON_COUNT);
    push(BUTTON_DOWN, 255);
    updateInput();
    for (int i = 0; i < KEY_COUNT; ++i)
        ASSERT_EQ(keyStates[i], KEY_UP) << "key " << i;
    for (int i = 0; i < MOUSE_BUTTON_COUNT; ++i)
        ASSERT_EQ(mouseButtonStates[i], KEY_UP) << "button " << i;
    SDL_Event e;
    EXPECT_EQ(SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_KEYDOWNMASK | SDL_MOUSEBUTTONDOWNMASK), 0);
}

TEST_F(InputTest, PointerIsReadAtUpdateTimeAndOtherEventsStayQueued) {
    SDL_WarpMouse(10, 20);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    push(BUTTON_DOWN, SDL_BUTTON_LEFT); // carries (0, 0), not the pointer
    updateInput();
    EXPECT_EQ(mouseX, 10);
    EXPECT_EQ(mouseY, 20);
    SDL_Event e;
    EXPECT_EQ(SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_QUITMASK), 1);
}
