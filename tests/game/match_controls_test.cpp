// In-match controls: the goal lines' strict boundaries, the replacement
// serve, the order of removals when several balls cross in one frame, and
// the "back" button.
#include "game/match_controls.h"

#include "game/world.h"
#include "input/input.h"
#include "support/headless_display.h"
#include "ui/theme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

Ball* addBall(double x) {
    balls[ballCount] = new Ball{x, 240, 1, 1, 7};
    return balls[ballCount++];
}

void expectServedFromCentre(const Ball& b) {
    EXPECT_EQ(b.x, 320);
    EXPECT_EQ(b.y, 240);
    EXPECT_NEAR(std::hypot(b.vx, b.vy), 4, 1e-12);
    EXPECT_EQ(b.speed, 5);
}

void clickBack() {
    mouseX = 550;
    mouseY = 450;
    mouseButtonStates[SDL_BUTTON_LEFT] = KEY_PRESSED;
}

} // namespace

class MatchControlsTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        screenState = SCREEN_MATCH;
        std::srand(42);
    }
    void TearDown() override { removeAllBalls(); }
};

TEST_F(MatchControlsTest, BallsExactlyOnTheGoalLines_scoreNothing) {
    Ball* right = addBall(600);
    Ball* left = addBall(40);
    runMatchControls();
    ASSERT_EQ(ballCount, 2);
    EXPECT_EQ(balls[0], right);
    EXPECT_EQ(balls[1], left);
    EXPECT_EQ(player1Score, 0);
    EXPECT_EQ(player2Score, 0);
    EXPECT_EQ(screenState, SCREEN_MATCH);
}

TEST_F(MatchControlsTest, BallPastTheRightLine_scoresForPlayer1AndIsServedBackLeft) {
    addBall(601);
    runMatchControls();
    EXPECT_EQ(player1Score, 1);
    EXPECT_EQ(player2Score, 0);
    ASSERT_EQ(ballCount, 1);
    expectServedFromCentre(*balls[0]);
    EXPECT_LT(balls[0]->vx, 0);
}

TEST_F(MatchControlsTest, BallPastTheLeftLine_scoresForPlayer2AndIsServedBackRight) {
    addBall(39);
    runMatchControls();
    EXPECT_EQ(player2Score, 1);
    EXPECT_EQ(player1Score, 0);
    ASSERT_EQ(ballCount, 1);
    expectServedFromCentre(*balls[0]);
    EXPECT_GT(balls[0]->vx, 0);
}

TEST_F(MatchControlsTest, SeveralGoalsInOneFrame_removeInIndexOrderAndAppendServes) {
    // A(100) B(601) C(39) D(300) E(700): B goes, C slides into index 1 and
    // meets the left test there, E goes from index 2.
    Ball* a = addBall(100);
    addBall(601);
    addBall(39);
    Ball* d = addBall(300);
    addBall(700);
    runMatchControls();
    EXPECT_EQ(player1Score, 2);
    EXPECT_EQ(player2Score, 1);
    ASSERT_EQ(ballCount, 5);
    EXPECT_EQ(balls[0], a);
    EXPECT_EQ(balls[1], d);
    // The serves follow in the order of the goals: B's, C's, E's.
    expectServedFromCentre(*balls[2]);
    EXPECT_LT(balls[2]->vx, 0);
    expectServedFromCentre(*balls[3]);
    EXPECT_GT(balls[3]->vx, 0);
    expectServedFromCentre(*balls[4]);
    EXPECT_LT(balls[4]->vx, 0);
}

TEST_F(MatchControlsTest, BallSlidingIntoAnIndexAfterItsRightTest_escapesThatTestThisFrame) {
    addBall(601);
    Ball* f = addBall(650); // moves to index 0 after the right test there
    runMatchControls();
    EXPECT_EQ(player1Score, 1);
    ASSERT_EQ(ballCount, 2);
    EXPECT_EQ(balls[0], f);
    EXPECT_EQ(f->x, 650);
    expectServedFromCentre(*balls[1]);
}

TEST_F(MatchControlsTest, BallSlidingIntoAnIndex_stillMeetsTheLeftTestThere) {
    addBall(601);
    addBall(30);
    runMatchControls();
    EXPECT_EQ(player1Score, 1);
    EXPECT_EQ(player2Score, 1);
    ASSERT_EQ(ballCount, 2);
    EXPECT_LT(balls[0]->vx, 0); // served for the right goal
    EXPECT_GT(balls[1]->vx, 0); // served for the left goal
}

TEST_F(MatchControlsTest, LastBallScoring_handsEntryZeroToItsReplacement) {
    addBall(601);
    runMatchControls();
    ASSERT_EQ(ballCount, 1);
    EXPECT_EQ(balls[0]->x, 320);
}

TEST_F(MatchControlsTest, FrameWithoutGoalOrClick_changesNothing) {
    Ball* a = addBall(300);
    player1Score = 3;
    mouseX = 550;
    mouseY = 450; // hovering, not clicking
    runMatchControls();
    ASSERT_EQ(ballCount, 1);
    EXPECT_EQ(balls[0], a);
    EXPECT_EQ(a->x, 300);
    EXPECT_EQ(player1Score, 3);
    EXPECT_EQ(screenState, SCREEN_MATCH);
}

TEST_F(MatchControlsTest, BackClick_removesEveryBallAndReturnsToTheTitleKeepingScores) {
    for (int i = 0; i < 3; i++)
        addBall(300 + i);
    player1Score = 4;
    player2Score = 6;
    player1IsHuman = true;
    player2IsHuman = true;
    clickBack();
    runMatchControls();
    EXPECT_EQ(ballCount, 0);
    EXPECT_EQ(screenState, SCREEN_TITLE);
    EXPECT_EQ(player1Score, 4);
    EXPECT_EQ(player2Score, 6);
    EXPECT_TRUE(player1IsHuman);
    EXPECT_TRUE(player2IsHuman);
}

TEST_F(MatchControlsTest, GoalAndBackInOneFrame_countThePointServeThenRemoveAll) {
    addBall(601);
    std::srand(5);
    clickBack();
    runMatchControls();
    const int next = std::rand();
    EXPECT_EQ(player1Score, 1);
    EXPECT_EQ(ballCount, 0);
    EXPECT_EQ(screenState, SCREEN_TITLE);
    std::srand(5);
    std::rand(); // drawn by the serve before "back" cleared the list
    EXPECT_EQ(next, std::rand());
}

TEST_F(MatchControlsTest, ClickBesideTheBackButton_doesNothing) {
    addBall(300);
    mouseX = 550;
    mouseY = 420; // above the hot area (top 448 - 13 = 435)
    mouseButtonStates[SDL_BUTTON_LEFT] = KEY_PRESSED;
    runMatchControls();
    EXPECT_EQ(ballCount, 1);
    EXPECT_EQ(screenState, SCREEN_MATCH);
}
