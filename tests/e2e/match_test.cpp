// A single-player match in the real window: paddles and backings slide in,
// the ball moves, w lifts the left paddle, "back" returns to the title screen.
#include "harness.h"

using E2EMatch = GameSession;

TEST_F(E2EMatch, SinglePlayerStartsBallMovesWLiftsLeftPaddle_andBackReturnsToTitle) {
    launchGame();
    const Frame title = titleScreen();
    startSinglePlayer();
    EXPECT_GT(compare(grab(), field, RIGHT_PADDLE_LANE, BLEND).count, 500) << "no computer paddle";
    awaitPair(false, MIDDLE_FIELD, {pointer()}, 200, "nothing moves in the field");
    const Frame inPlay = awaitFrame([&](const Frame& f) { return wholeBall(ballBox(f)); },
                                    "no ball in the middle of the field");
    keep(inPlay, "match");

    // Holding w lifts the left paddle well above where it stood.
    const int before = leftPaddleTop(inPlay);
    xdo("keydown w");
    awaitFrame(
        [&](const Frame& f) { return leftPaddleTop(f) >= 0 && leftPaddleTop(f) < before - 40; },
        "holding w did not lift the left paddle", 4000);
    xdo("keyup w");

    // "back" ends the match; once all has slid out the title is as before.
    click(550, 450);
    movePointer(600, 420);
    awaitFrame([&](const Frame& f) { return compare(f, title, WHOLE).count == 0; },
               "\"back\" did not return to the same title screen", 8000);
}
