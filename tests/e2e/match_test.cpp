// A single-player match in the real window: paddles and backings slide in,
// the ball moves, w lifts the left paddle, "back" returns to the title screen.
#include "match_session.h"

namespace {

// Holding w lifts a human paddle by far more than this before the deadline.
constexpr int LIFT_MIN_PIXELS = 40;
constexpr int HOLD_MS = 4000;
constexpr int SLIDE_OUT_MS = 8000;

} // namespace

class E2EMatch : public MatchSession {};

TEST_F(E2EMatch, SinglePlayerSlidesInMovesBallSteersWithW_andBackReturnsToTitle) {
    if (!haveMedia())
        GTEST_SKIP() << "Media/Game pictures are not there yet";
    launchGame();
    movePointer(600, 420);
    const Box titlePointer = pointer();
    const Frame title = grabUntil([&](const Frame& f) {
        return countDifferences(f, field, titlePointer, BLEND_TOLERANCE) > 100;
    });

    startSinglePlayer();
    if (HasFatalFailure())
        return;
    EXPECT_GT(countDifferences(grab(), field, RIGHT_PADDLE_LANE, BLEND_TOLERANCE), 500)
        << "the computer's paddle did not slide in";

    // A ball in play moves across the middle of the field.
    EXPECT_TRUE(fieldMoves(200, 5000)) << "nothing moves in the field";
    const Frame inPlay = grabUntil([&](const Frame& f) { return wholeBall(ballBox(f)); });
    keep(inPlay, "match");
    EXPECT_TRUE(wholeBall(ballBox(inPlay))) << "no ball in the middle of the field";

    // Holding w lifts the left paddle from its resting place.
    const Span before = leftPaddleSpan(inPlay);
    EXPECT_NEAR(before.length(), 72, 12);
    holdKey("w");
    const Frame lifted = grabUntil(
        [&](const Frame& f) { return leftPaddleSpan(f).top < before.top - LIFT_MIN_PIXELS; },
        HOLD_MS);
    releaseKey("w");
    keep(lifted, "match-paddle-up");
    EXPECT_LT(leftPaddleSpan(lifted).top, before.top - LIFT_MIN_PIXELS);

    // "back" ends the match; everything slides out and the title screen is
    // the same picture as before the match.
    click(550, 450);
    movePointer(600, 420);
    const Frame back = grabUntil(
        [&](const Frame& f) {
            return countDifferences(f, title, {0, 0, 640, 480}, 0) == 0;
        },
        SLIDE_OUT_MS);
    keep(back, "title-after-match");
    EXPECT_EQ(countDifferences(back, title, {0, 0, 640, 480}, 0), 0);
}
