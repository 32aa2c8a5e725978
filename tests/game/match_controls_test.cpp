// In-match controls: the goal lines' strict boundaries, the replacement serve,
// the order of removals when several balls cross in one frame, and "back".
#include "game/match_controls.h"

#include "game_test_support.h"

class MatchControlsTest : public GameWorldTest {};

// A fresh serve from the centre toward the side of `direction` (-1 left, 1 right).
static void expectServed(const Ball& b, int direction) {
    expectNear(Values({b.x, b.y, b.speed, std::hypot(b.vx, b.vy)}), Values({320, 240, 5, 4}));
    EXPECT_GT(b.vx * direction, 0);
}

TEST_F(MatchControlsTest, BallPastAGoalLine_scoresAndIsReplacedByAServeTowardTheScorer) {
    // {x, then the scores so far, serve direction (0: not replaced)}
    const int cases[][4] = {{600, 0, 0, 0}, {40, 0, 0, 0}, {601, 1, 0, -1}, {39, 1, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c[0]);
        removeAllBalls();
        addBall(c[0]);
        runMatchControls();
        EXPECT_EQ(Ints({player1Score, player2Score, ballCount}), Ints({c[1], c[2], 1}));
        EXPECT_EQ(balls[0]->x, c[3] ? 320 : c[0]);
        if (c[3] != 0)
            expectServed(*balls[0], c[3]);
    }
}

TEST_F(MatchControlsTest, SeveralGoalsInOneFrame_removeInIndexOrderAndAppendTheServes) {
    // A(100) B(601) C(30) D(650) E(39): B goes; C slides into index 1 and
    // meets the left test there; D slides into index 1 too, already tested,
    // and escapes this frame; E goes from index 2.
    for (double x : {100, 601, 30, 650, 39})
        addBall(x);
    runMatchControls();
    EXPECT_EQ(Ints({player1Score, player2Score, ballCount}), Ints({1, 2, 5}));
    EXPECT_EQ(Values({balls[0]->x, balls[1]->x}), Values({100, 650}));
    expectServed(*balls[2], -1); // B's
    expectServed(*balls[3], 1);  // C's
    expectServed(*balls[4], 1);  // E's
}

TEST_F(MatchControlsTest, Back_removesEveryBallAndReturnsToTheTitleKeepingScores) {
    player2Score = 6;
    for (double x : {300, 601}) { // 601: the goal counts before "back"
        SCOPED_TRACE(testing::Message() << "x " << x);
        addBall(x);
        screenState = SCREEN_MATCH;
        pointAt(550, 450, KEY_PRESSED);
        runMatchControls();
        EXPECT_EQ(Ints({ballCount, screenState, player1Score, player2Score}),
                  Ints({0, SCREEN_TITLE, x > 600, 6}));
    }
}
