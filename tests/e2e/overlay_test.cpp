// The pause overlay in the real window: Escape freezes the match under the
// menu and the bars, "Save BMP screenshot" writes the frozen frame to
// screenshot1.bmp, "Resume game" lets the match run on, "Exit" ends the program.
#include "harness.h"

using E2EOverlay = GameSession;

TEST_F(E2EOverlay, EscapeFreezesMatchUnderMenu_saveWritesFrozenFrame_resumeAndExitWork) {
    constexpr Box CLOCK_BAR{0, 0, 640, 70}; // the clock ticks while all else stands still
    constexpr Box RESUME_BUTTON{150, 96, 490, 134}, SAVE_BUTTON{150, 196, 490, 234};
    // Parts of the bars clear of the date, the clock and the credit line.
    constexpr Box TOP_BAR_PLAIN{0, 0, 340, 61}, BOTTOM_BAR_PLAIN{300, 419, 640, 480};
    launchGame();
    startSinglePlayer();
    movePointer(600, 300);
    const Box away = pointer();
    // Freeze while the ball is well inside the field, so no goal falls between
    // the grab and the press.
    const Frame live = awaitFrame(
        [&](const Frame& f) {
            const Box ball = ballBox(f);
            return wholeBall(ball) && ball.x0 > 200 && ball.x1 < 440;
        },
        "no ball in the middle of the field");
    xdo("keydown Escape");
    xdo("keyup Escape");
    const Frame open = awaitPair(true, WHOLE, {CLOCK_BAR, away}, 500, "the match did not freeze");
    keep(open, "overlay-open");
    // Fully open, both bars stand at the screen edges: laying their picture
    // there changes nothing.
    const Frame bars = compose(
        open, {{"Plinth/TopBottomBorder.png", 0, -70}, {"Plinth/TopBottomBorder.png", 0, 419}});
    EXPECT_EQ(compare(open, bars, TOP_BAR_PLAIN, 0, {away}).count, 0);
    EXPECT_EQ(compare(open, bars, BOTTOM_BAR_PLAIN, 0, {away}).count, 0);
    // The menu stands in place: "Save BMP screenshot" lights up under the
    // pointer while "Resume game" keeps its look.
    movePointer(320, 215);
    const std::vector<Box> skip{away, pointer(), CLOCK_BAR};
    const Frame hover = awaitFrame(
        [&](const Frame& f) { return compare(f, open, SAVE_BUTTON, 0, skip).count > 1000; },
        "\"Save BMP screenshot\" did not light up");
    EXPECT_EQ(compare(hover, open, RESUME_BUTTON, 0, skip).count, 0);

    // The screenshot is the frame Escape froze: the grab before the press but
    // for the pointer, the computer's paddle and the ball's path.
    click(320, 215);
    Frame saved;
    for (const long long end = nowMs() + 4000; saved.empty() && nowMs() < end; sleepMs(50))
        saved = frameOf(IMG_Load("screenshot1.bmp"));
    EXPECT_FALSE(std::filesystem::exists("screenshot2.bmp"));
    const Box liveBall = ballBox(live),
              savedBall = compare(saved, field, MIDDLE_FIELD, BLEND).bounds;
    ASSERT_TRUE(wholeBall(savedBall)) << "no 640x480 screenshot1.bmp with one ball";
    EXPECT_LT(std::abs(savedBall.x0 - liveBall.x0) + std::abs(savedBall.y0 - liveBall.y0), 150)
        << "the screenshot is not the frame on screen when Escape was pressed";
    const Box paths{
        std::min(liveBall.x0, savedBall.x0) - 2, std::min(liveBall.y0, savedBall.y0) - 2,
        std::max(liveBall.x1, savedBall.x1) + 2, std::max(liveBall.y1, savedBall.y1) + 2};
    EXPECT_EQ(compare(saved, live, WHOLE, 0, {away, RIGHT_PADDLE_LANE, paths}).count, 0);

    // "Resume game": the overlay fades out and the match runs on. Then open
    // it again and leave through "Exit".
    click(320, 115);
    movePointer(320, 20);
    awaitPair(false, MIDDLE_FIELD, {pointer()}, 200, "the match did not resume");
    xdo("keydown Escape");
    xdo("keyup Escape");
    awaitPair(true, WHOLE, {CLOCK_BAR, pointer()}, 500, "the overlay did not open again");
    click(320, 165);
    EXPECT_EQ(waitForExit(2000), 0) << "\"Exit\" did not end the program cleanly";
}
