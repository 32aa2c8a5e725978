// Start-up and closing of the real program: the window, the empty field it
// shows on the title screen, a run without any pictures, and the close button.
#include "harness.h"

using E2EStartup = GameSession;

TEST_F(E2EStartup, TitleShowsBackgroundUnderBorder_andCloseEndsWithStatusZero_withAndWithoutMedia) {
    launchGame();
    titleScreen(); // everything but the buttons and the pointer is the bare field
    requestClose();
    EXPECT_EQ(waitForExit(1000), 0) << "a close request must end the game at once, cleanly";

    // No Media folder at all: nothing is drawn, yet "single player" still
    // answers and the game runs on until it is closed.
    launchGame(false);
    EXPECT_EQ(compare(grab(), Frame(W * H, 0), WHOLE).count, 0) << "a missing picture drew";
    click(320, 195);
    EXPECT_EQ(waitForExit(500), -1) << "the game ended after a click on \"single player\"";
    requestClose();
    EXPECT_EQ(waitForExit(1000), 0);
}
