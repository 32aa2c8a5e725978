// The input snapshot, driven by events pushed into SDL's real queue.
#include "input/input.h"

#include "support/headless_display.h"

namespace {

void pushKey(Uint8 type, int sym) {
    SDL_Event e{};
    e.type = type;
    e.key.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = static_cast<SDLKey>(sym);
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void pushButton(Uint8 type, int button, int x = 0, int y = 0) {
    SDL_Event e{};
    e.type = type;
    e.button.type = type;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

class InputTest : public HeadlessDisplayTest {};

} // namespace

TEST_F(InputTest, KeyIsPressedForOneFrameThenHeldUntilReleased) {
    pushKey(SDL_KEYDOWN, SDLK_w);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_w], KEY_PRESSED);
    EXPECT_TRUE(wasPressed(keyStates[SDLK_w]));
    EXPECT_TRUE(isHeld(keyStates[SDLK_w]));

    for (int frame = 0; frame < 3; ++frame) {
        updateInput();
        EXPECT_EQ(keyStates[SDLK_w], KEY_HELD);
        EXPECT_FALSE(wasPressed(keyStates[SDLK_w]));
        EXPECT_TRUE(isHeld(keyStates[SDLK_w]));
    }

    pushKey(SDL_KEYUP, SDLK_w);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_w], KEY_UP);
    EXPECT_FALSE(isHeld(keyStates[SDLK_w]));
}

TEST_F(InputTest, PressAndReleaseWithinOneFrameIsNeverSeen) {
    pushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    pushKey(SDL_KEYUP, SDLK_ESCAPE);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_ESCAPE], KEY_UP);
}

TEST_F(InputTest, ReleaseThenPressWithinOneFrameReadsUpBecauseUpsComeLast) {
    pushKey(SDL_KEYDOWN, SDLK_s);
    updateInput();
    ASSERT_EQ(keyStates[SDLK_s], KEY_PRESSED);

    pushKey(SDL_KEYUP, SDLK_s);
    pushKey(SDL_KEYDOWN, SDLK_s);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_s], KEY_UP);
}

TEST_F(InputTest, KeysAreIndependentOfEachOther) {
    pushKey(SDL_KEYDOWN, SDLK_UP);
    updateInput();
    pushKey(SDL_KEYDOWN, SDLK_DOWN);
    updateInput();
    EXPECT_EQ(keyStates[SDLK_UP], KEY_HELD);
    EXPECT_EQ(keyStates[SDLK_DOWN], KEY_PRESSED);
    EXPECT_EQ(keyStates[SDLK_w], KEY_UP);
}

TEST_F(InputTest, SymbolsAndButtonsOutsideTheTablesChangeNothing) {
    pushKey(SDL_KEYDOWN, KEY_COUNT); // 500: one past the table
    pushKey(SDL_KEYDOWN, 1000);
    pushButton(SDL_MOUSEBUTTONDOWN, MOUSE_BUTTON_COUNT);
    pushButton(SDL_MOUSEBUTTONDOWN, 255);
    updateInput();
    for (int i = 0; i < KEY_COUNT; ++i)
        ASSERT_EQ(keyStates[i], KEY_UP) << "key " << i;
    for (int i = 0; i < MOUSE_BUTTON_COUNT; ++i)
        ASSERT_EQ(mouseButtonStates[i], KEY_UP) << "button " << i;
    // The events were still taken off the queue.
    SDL_Event e;
    EXPECT_EQ(SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_KEYDOWNMASK | SDL_MOUSEBUTTONDOWNMASK), 0);
}

TEST_F(InputTest, MouseButtonsAgeLikeKeys) {
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], KEY_PRESSED);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], KEY_UP);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], KEY_HELD);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], KEY_UP);
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_RIGHT], KEY_PRESSED);
}

TEST_F(InputTest, ClickWithinOneFrameIsNeverSeen) {
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT);
    pushButton(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT);
    updateInput();
    EXPECT_EQ(mouseButtonStates[SDL_BUTTON_LEFT], KEY_UP);
}

TEST_F(InputTest, PointerIsReadAtUpdateTimeNotFromTheButtonEvent) {
    SDL_WarpMouse(10, 20);
    pushButton(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 300, 400);
    updateInput();
    EXPECT_EQ(mouseX, 10);
    EXPECT_EQ(mouseY, 20);
    SDL_WarpMouse(639, 479);
    updateInput();
    EXPECT_EQ(mouseX, 639);
    EXPECT_EQ(mouseY, 479);
}

TEST_F(InputTest, OtherEventsStayQueuedForTheMainLoop) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    pushKey(SDL_KEYDOWN, SDLK_w);
    updateInput();
    SDL_Event e;
    ASSERT_EQ(SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_QUITMASK), 1);
    EXPECT_EQ(e.type, SDL_QUIT);
}
