// The real game in a private X server, scenario by scenario: start-up and
// closing, the title menu, a single-player match, and the pause overlay.
#include "harness.h"

// Start-up and closing of the real program: the window, the empty field it
// shows on the title screen, a run without any pictures, and the close button.
TEST_F(E2EGame, StartupShowsFieldUnderBorder_closeEndsWithStatusZero_alsoWithoutMedia) {
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

// The title menu in the real window: a button lights up while the pointer is
// over it and only that button changes.
TEST_F(E2EGame, TitlePointerOverSinglePlayerHighlightsThatButtonOnly) {
    constexpr Box SINGLE_PLAYER{150, 160, 490, 226}, TWO_PLAYER{150, 232, 490, 296};
    launchGame();
    const Frame plain = titleScreen();
    keep("title");
    const Box away = pointer();
    movePointer(320, 195);
    const std::vector<Box> pointers{away, pointer()};
    const Frame hover = awaitFrame(
        [&](const Frame& f) { return compare(f, plain, SINGLE_PLAYER, 0, pointers).count > 2000; },
        "\"single player\" did not light up");
    keep("title-hover");
    EXPECT_EQ(compare(hover, plain, TWO_PLAYER, 0, pointers).count, 0);
}

// A single-player match in the real window: paddles and backings slide in,
// the ball moves, w and s steer the left paddle, "back" returns to the title screen.
TEST_F(E2EGame, MatchSinglePlayerStartsBallMovesWLiftsLeftPaddle_andBackReturnsToTitle) {
    launchGame();
    const Frame title = titleScreen();
    startSinglePlayer();
    EXPECT_GT(compare(grab(), field, RIGHT_PADDLE_LANE, BLEND).count, 500) << "no computer paddle";
    Frame last = grab(); // each grab is compared with the one before, 200 ms earlier
    awaitFrame(
        [&](const Frame& f) { return compare(std::exchange(last, f), f, MIDDLE_FIELD).count > 0; },
        "nothing moves in the field", 5000, 200);
    const Frame inPlay = awaitFrame([&](const Frame& f) { return wholeBall(ballBox(f)); },
                                    "no ball in the middle of the field");
    keep("match");

    // Holding w lifts the left paddle well above where it stood; s brings it down.
    const int before = leftPaddleTop(inPlay);
    xdo("keydown w");
    const Frame lifted = awaitFrame(
        [&](const Frame& f) { return leftPaddleTop(f) >= 0 && leftPaddleTop(f) < before - 40; },
        "holding w did not lift the left paddle", 4000);
    xdo("keyup w");
    xdo("keydown s");
    awaitFrame([&](const Frame& f) { return leftPaddleTop(f) > leftPaddleTop(lifted) + 40; },
               "holding s did not lower the left paddle", 4000);
    xdo("keyup s");

    // "back" ends the match; once all has slid out the title is as before.
    click(550, 450);
    movePointer(600, 420);
    awaitFrame([&](const Frame& f) { return compare(f, title, WHOLE).count == 0; },
               "\"back\" did not return to the same title screen", 8000);
}

// The pause overlay in the real window: Escape freezes the match under the
// menu and the bars, "Save BMP screenshot" writes the frozen frame to
// screenshot1.bmp, "Resume game" lets the match run on, "Exit" ends the program.
TEST_F(E2EGame, OverlayEscapeFreezesMatchUnderMenu_saveWritesFrozenFrame_resumeAndExitWork) {
    constexpr Box CLOCK_BAR{0, 0, 640, 70}; // the clock ticks while all else stands still
    // Parts of the bars clear of the date, the clock and the credit line.
    constexpr Box TOP_BAR_PLAIN{0, 0, 340, 61}, BOTTOM_BAR_PLAIN{300, 419, 640, 480};
    launchGame();
    startSinglePlayer();
    movePointer(600, 300);
    const Box away = pointer();
    // Escape is pressed on a frame with the ball well inside the field. The
    // game is held (SIGSTOP) from that frame's grab to the press, as if a
    // person reacted at once, so the frame Escape freezes is at most two
    // frames later and no goal can fall in between.
    awaitFrame(
        [&](const Frame& f) {
            const Box ball = ballBox(f);
            return wholeBall(ball) && ball.x0 > 200 && ball.x1 < 440;
        },
        "no ball in the middle of the field");
    kill(gamePid, SIGSTOP);
    waitpid(gamePid, nullptr, WUNTRACED);
    const Frame live = grab();
    const Box liveBall = ballBox(live); // while the pointer still stands away
    xdo("key Escape");
    kill(gamePid, SIGCONT);
    // Each grab is compared with the one before, half a second earlier.
    Frame last = grab();
    const auto still = [&](const Frame& f) {
        return compare(std::exchange(last, f), f, WHOLE, 0, {CLOCK_BAR, pointer()}).count == 0;
    };
    const Frame open = awaitFrame(still, "the match did not freeze", 8000, 500);
    keep("overlay-open");
    // Fully open, both bars stand at the screen edges: laying their picture
    // there changes nothing.
    const Frame bars = compose(
        open, {{"Plinth/TopBottomBorder.png", 0, -70}, {"Plinth/TopBottomBorder.png", 0, 419}});
    EXPECT_EQ(compare(open, bars, TOP_BAR_PLAIN, 0, {away}).count, 0);
    EXPECT_EQ(compare(open, bars, BOTTOM_BAR_PLAIN, 0, {away}).count, 0);
    // The screenshot is the frame Escape froze: the grab before the press but
    // for the pointer, the computer's paddle and the ball's path.
    click(320, 215);
    Frame saved;
    for (const long long end = nowMs() + 4000; saved.empty() && nowMs() < end; SDL_Delay(50))
        saved = loadFrame("screenshot1.bmp");
    EXPECT_FALSE(std::filesystem::exists("screenshot2.bmp"));
    const Box savedBall = compare(saved, field, MIDDLE_FIELD, BLEND).bounds;
    ASSERT_TRUE(wholeBall(savedBall)) << "no 640x480 screenshot1.bmp with one ball";
    EXPECT_LT(std::abs(savedBall.x0 - liveBall.x0) + std::abs(savedBall.y0 - liveBall.y0), 40)
        << "the screenshot is not the frame on screen when Escape was pressed";
    // The ball's faint glow reaches a few pixels past the bounds found with BLEND.
    const Box paths{
        std::min(liveBall.x0, savedBall.x0) - 8, std::min(liveBall.y0, savedBall.y0) - 8,
        std::max(liveBall.x1, savedBall.x1) + 8, std::max(liveBall.y1, savedBall.y1) + 8};
    const Diff stray = compare(saved, live, WHOLE, 0, {away, RIGHT_PADDLE_LANE, paths});
    EXPECT_EQ(stray.count, 0) << "within x " << stray.bounds.x0 << ".." << stray.bounds.x1 << ", y "
                              << stray.bounds.y0 << ".." << stray.bounds.y1;

    // "Resume game": the overlay fades out and the match runs on. Then open
    // it again and leave through "Exit".
    click(320, 115);
    movePointer(320, 20);
    last = grab();
    awaitFrame(
        [&](const Frame& f) { return compare(std::exchange(last, f), f, MIDDLE_FIELD).count > 0; },
        "the match did not resume", 5000, 200);
    xdo("key Escape");
    last = grab();
    awaitFrame(still, "the overlay did not open again", 8000, 500);
    click(320, 165);
    EXPECT_EQ(waitForExit(2000), 0) << "\"Exit\" did not end the program cleanly";
}
