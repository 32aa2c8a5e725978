// The pause overlay in the real window: Escape freezes the match under the
// menu, "Save BMP screenshot" writes the frozen frame to screenshot1.bmp,
// "Resume game" lets the match run on and "Exit" ends the program cleanly.
#include "match_session.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

namespace {

// The clock in the top bar ticks while everything else stands still.
constexpr Box CLOCK_BAR{0, 0, 640, 70};
// The three menu buttons fully open, with their frames.
constexpr Box RESUME_PANEL{150, 96, 490, 134};
constexpr Box SAVE_PANEL{150, 196, 490, 234};
constexpr int OPEN_MS = 6000;
constexpr int FILE_MS = 4000;
constexpr int EXIT_MS = 2000;
// How far the ball may travel between the grab and the frame Escape froze,
// even on a slow machine.
constexpr int BALL_TRAVEL = 150;

bool fileComplete(const std::string& path) {
    return !readBmp(path).empty();
}

Box grown(Box box, int by) {
    return {box.x0 - by, box.y0 - by, box.x1 + by, box.y1 + by};
}

} // namespace

class E2EOverlay : public MatchSession {
  protected:
    // Waits until two grabs 300 ms apart agree outside the clock and the
    // pointer, that is until the opening has finished; returns the later one.
    Frame waitUntilStill() {
        const long long end = nowMs() + OPEN_MS;
        Frame before = grab(), after;
        for (;;) {
            sleepMs(300);
            after = grab();
            if (countDifferences(before, after, {0, 0, 640, 480}, 0, {CLOCK_BAR, pointer()}) == 0 ||
                nowMs() >= end)
                return after;
            before = after;
        }
    }
};

TEST_F(E2EOverlay, EscapeFreezesMatchUnderMenu_saveWritesFrozenFrame_resumeAndExitWork) {
    if (!haveMedia())
        GTEST_SKIP() << "Media/Game pictures are not there yet";
    launchGame();
    startSinglePlayer();
    if (HasFatalFailure())
        return;
    movePointer(40, 440);

    // Freeze while the ball is well inside the field, so no goal falls between
    // the grab and the press.
    const Frame live = grabUntil([&](const Frame& f) {
        const Box ball = ballBox(f);
        return wholeBall(ball) && ball.x0 > 200 && ball.x1 < 440;
    });
    const Box liveBall = ballBox(live);
    ASSERT_TRUE(wholeBall(liveBall) && liveBall.x0 > 200) << "no ball in the middle of the field";
    tapKey("Escape");
    keep(live, "overlay-before-escape");

    // The overlay opens and then nothing but the clock changes.
    const Frame open = waitUntilStill();
    sleepMs(500);
    const Frame later = grab();
    keep(open, "overlay-open");
    EXPECT_EQ(countDifferences(open, later, {0, 0, 640, 480}, 0, {CLOCK_BAR, pointer()}), 0)
        << "the picture under the overlay still moves";
    EXPECT_GT(countDifferences(open, live, MIDDLE_FIELD, BLEND_TOLERANCE, {pointer()}), 10000)
        << "the overlay did not cover the match";

    // The menu stands in place: "Save BMP screenshot" lights up under the
    // pointer while "Resume game" keeps its look.
    movePointer(320, 215);
    const std::vector<Box> pointers{pointerBox(40, 440), pointer()};
    const Frame hover = grabUntil(
        [&](const Frame& f) { return countDifferences(f, open, SAVE_PANEL, 0, pointers) > 1000; });
    EXPECT_GT(countDifferences(hover, open, SAVE_PANEL, 0, pointers), 1000);
    EXPECT_EQ(countDifferences(hover, open, RESUME_PANEL, 0, pointers), 0);

    // "Save BMP screenshot" writes the frame Escape froze: the grab before the
    // press, apart from the pointer, the computer's paddle and the ball's path.
    click(320, 215);
    const std::string first = workFolder + "/screenshot1.bmp";
    const long long end = nowMs() + FILE_MS;
    while (!fileComplete(first) && nowMs() < end)
        sleepMs(50);
    const Frame saved = readBmp(first);
    ASSERT_FALSE(saved.empty()) << "no screenshot1.bmp in the working folder";
    EXPECT_EQ(saved.width, 640);
    EXPECT_EQ(saved.height, 480);
    EXPECT_FALSE(std::filesystem::exists(workFolder + "/screenshot2.bmp"));
    keep(saved, "overlay-saved-bmp");
    // Between the grab and the frozen frame only the ball (in both of its
    // places), the computer's paddle and the pointer may differ.
    const Box savedBall = differenceBounds(saved, field, MIDDLE_FIELD, BLEND_TOLERANCE);
    ASSERT_TRUE(wholeBall(savedBall)) << "no single ball in the screenshot";
    EXPECT_LT(std::abs(savedBall.x0 - liveBall.x0) + std::abs(savedBall.y0 - liveBall.y0),
              BALL_TRAVEL)
        << "the screenshot is not the frame on screen when Escape was pressed";
    const std::vector<Box> moving{pointerBox(40, 440), RIGHT_PADDLE_LANE, grown(liveBall, 2),
                                  grown(savedBall, 2)};
    EXPECT_EQ(countDifferences(saved, live, {0, 0, 640, 480}, 0, moving), 0);

    // "Resume game": the overlay fades out and the match runs on.
    click(320, 115);
    movePointer(320, 20);
    EXPECT_TRUE(fieldMoves(200, 5000)) << "the match did not resume";

    // Open again and leave through "Exit".
    tapKey("Escape");
    waitUntilStill();
    click(320, 165);
    int status = -1;
    ASSERT_TRUE(waitForExit(EXIT_MS, status)) << "\"Exit\" did not end the program";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
