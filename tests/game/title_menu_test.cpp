// The title menu and the serve: what each button's click sets, that a frame
// without a click changes nothing, the full ball list, and re-centring.
#include "game/title_menu.h"

#include "game/world.h"
#include "input/input.h"
#include "support/headless_display.h"
#include "ui/theme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int SINGLE_PLAYER_Y = 195;
constexpr int TWO_PLAYER_Y = 260;

void clickAt(int x, int y) {
    mouseX = x;
    mouseY = y;
    mouseButtonStates[SDL_BUTTON_LEFT] = KEY_PRESSED;
}

// Moves a paddle and its parts by (dx, dy), as play would have done.
void shiftPaddle(CollisionRect** parts, int32_t count, double& x, double& y, double dx, double dy) {
    x += dx;
    y += dy;
    for (int32_t i = 0; i < count; i++) {
        parts[i]->x += dx;
        parts[i]->y += dy;
    }
}

struct PartPlaces {
    double x[MAX_PADDLE_PARTS], y[MAX_PADDLE_PARTS];
};

PartPlaces placesOf(CollisionRect** parts, int32_t count) {
    PartPlaces p{};
    for (int32_t i = 0; i < count; i++) {
        p.x[i] = parts[i]->x;
        p.y[i] = parts[i]->y;
    }
    return p;
}

} // namespace

class TitleMenuTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadGameWorld();
        loadTheme();
        start1 = placesOf(paddle1Parts, paddle1PartCount);
        start2 = placesOf(paddle2Parts, paddle2PartCount);
    }
    void TearDown() override { removeAllBalls(); }

    PartPlaces start1{}, start2{}; // parts with the paddles at (65, 204), (553, 204)
};

TEST_F(TitleMenuTest, SinglePlayerClick_servesOneBallAndStartsAMatchAgainstTheComputer) {
    clickAt(320, SINGLE_PLAYER_Y);
    runTitleMenu();
    ASSERT_EQ(ballCount, 1);
    const Ball& b = *balls[0];
    EXPECT_EQ(b.x, 320);
    EXPECT_EQ(b.y, 240);
    EXPECT_NEAR(std::hypot(b.vx, b.vy), 4, 1e-12);
    EXPECT_EQ(b.speed, 5);
    EXPECT_TRUE(player1IsHuman);
    EXPECT_FALSE(player2IsHuman);
    EXPECT_EQ(screenState, SCREEN_MATCH);
}

TEST_F(TitleMenuTest, TwoPlayerClick_makesBothPaddlesHuman) {
    clickAt(320, TWO_PLAYER_Y);
    runTitleMenu();
    EXPECT_EQ(ballCount, 1);
    EXPECT_TRUE(player1IsHuman);
    EXPECT_TRUE(player2IsHuman);
    EXPECT_EQ(screenState, SCREEN_MATCH);
}

TEST_F(TitleMenuTest, Click_clearsScoresLeftFromAnEarlierMatch) {
    player1Score = 5;
    player2Score = 3;
    clickAt(320, TWO_PLAYER_Y);
    runTitleMenu();
    EXPECT_EQ(player1Score, 0);
    EXPECT_EQ(player2Score, 0);
}

TEST_F(TitleMenuTest, Click_recentresBothPaddlesKeepingXAndMovingEveryPart) {
    shiftPaddle(paddle1Parts, paddle1PartCount, paddle1X, paddle1Y, -50, 96);
    shiftPaddle(paddle2Parts, paddle2PartCount, paddle2X, paddle2Y, 60, -150);
    clickAt(320, SINGLE_PLAYER_Y);
    runTitleMenu();
    EXPECT_EQ(paddle1X, 15);
    EXPECT_EQ(paddle1Y, 204);
    EXPECT_EQ(paddle2X, 613);
    EXPECT_EQ(paddle2Y, 204);
    for (int i = 0; i < 12; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(paddle1Parts[i]->x, start1.x[i] - 50);
        EXPECT_EQ(paddle1Parts[i]->y, start1.y[i]);
        EXPECT_EQ(paddle2Parts[i]->x, start2.x[i] + 60);
        EXPECT_EQ(paddle2Parts[i]->y, start2.y[i]);
    }
}

TEST_F(TitleMenuTest, PaddleAlreadyCentred_keepsItsPartsExactly) {
    clickAt(320, SINGLE_PLAYER_Y);
    runTitleMenu();
    for (int i = 0; i < 12; i++) {
        EXPECT_EQ(paddle1Parts[i]->x, start1.x[i]) << i;
        EXPECT_EQ(paddle1Parts[i]->y, start1.y[i]) << i;
        EXPECT_EQ(paddle2Parts[i]->y, start2.y[i]) << i;
    }
}

TEST_F(TitleMenuTest, FrameWithoutAClick_changesNothing) {
    shiftPaddle(paddle1Parts, paddle1PartCount, paddle1X, paddle1Y, 0, 40);
    player1Score = 2;
    mouseX = 320;
    mouseY = SINGLE_PLAYER_Y;
    mouseButtonStates[SDL_BUTTON_LEFT] = KEY_HELD; // held since an earlier frame
    runTitleMenu();
    EXPECT_EQ(ballCount, 0);
    EXPECT_EQ(screenState, SCREEN_TITLE);
    EXPECT_FALSE(player1IsHuman);
    EXPECT_EQ(player1Score, 2);
    EXPECT_EQ(paddle1Y, 244); // not re-centred
    EXPECT_EQ(paddle1Parts[0]->y, 244);
}

TEST_F(TitleMenuTest, ClickBetweenTheButtons_changesNothing) {
    clickAt(320, 228); // below the first hot area, above the second
    runTitleMenu();
    EXPECT_EQ(ballCount, 0);
    EXPECT_EQ(screenState, SCREEN_TITLE);
}

TEST_F(TitleMenuTest, FullBallList_stillStartsTheMatchButAddsNoBallAndDrawsOneNumber) {
    for (int i = 0; i < MAX_BALLS; i++)
        balls[ballCount++] = new Ball{100, 100, 0, 0, 5};
    Ball* last = balls[MAX_BALLS - 1];
    shiftPaddle(paddle2Parts, paddle2PartCount, paddle2X, paddle2Y, 0, 30);
    player2Score = 9;

    std::srand(1234);
    clickAt(320, SINGLE_PLAYER_Y);
    runTitleMenu();
    const int next = std::rand();

    EXPECT_EQ(ballCount, MAX_BALLS);
    EXPECT_EQ(balls[MAX_BALLS - 1], last);
    EXPECT_TRUE(player1IsHuman);
    EXPECT_EQ(player2Score, 0);
    EXPECT_EQ(screenState, SCREEN_MATCH);
    EXPECT_EQ(paddle2Y, 204);
    EXPECT_EQ(paddle2Parts[0]->y, 204);

    std::srand(1234);
    std::rand(); // the one number the serve drew
    EXPECT_EQ(next, std::rand());
}

// --- serveBall --------------------------------------------------------------------
TEST(ServeBall, FreeServe_headsInTheDirectionOfTheDrawnNumberAsRadians) {
    for (unsigned seed = 1; seed <= 20; seed++) {
        std::srand(seed);
        const int n = std::rand() % 360;
        std::srand(seed);
        serveBall(ServeDirection::Free);
        const Ball& b = *balls[ballCount - 1];
        EXPECT_NEAR(std::cos(std::atan2(b.vy, b.vx) - n), 1, 1e-12) << "seed " << seed;
    }
    EXPECT_EQ(ballCount, 20);
    removeAllBalls();
}

TEST(ServeBall, LeftwardAndRightwardServes_pointToTheirSideAtFourPixelsPerFrame) {
    std::srand(99);
    for (int i = 0; i < 50; i++) {
        serveBall(ServeDirection::Leftward);
        const Ball& left = *balls[ballCount - 1];
        EXPECT_LE(left.vx, 0);
        EXPECT_NEAR(std::hypot(left.vx, left.vy), 4, 1e-12);
        serveBall(ServeDirection::Rightward);
        const Ball& right = *balls[ballCount - 1];
        EXPECT_GE(right.vx, 0);
        EXPECT_NEAR(std::hypot(right.vx, right.vy), 4, 1e-12);
        EXPECT_EQ(right.speed, 5);
    }
    EXPECT_EQ(ballCount, 100);
    removeAllBalls();
}

TEST(ServeBall, SidewaysServes_keepTheDrawnVerticalPart) {
    // The same number gives the same vy whichever side the serve goes to.
    std::srand(7);
    serveBall(ServeDirection::Free);
    std::srand(7);
    serveBall(ServeDirection::Leftward);
    std::srand(7);
    serveBall(ServeDirection::Rightward);
    EXPECT_EQ(balls[0]->vy, balls[1]->vy);
    EXPECT_EQ(balls[0]->vy, balls[2]->vy);
    EXPECT_EQ(std::fabs(balls[0]->vx), -balls[1]->vx);
    EXPECT_EQ(std::fabs(balls[0]->vx), balls[2]->vx);
    removeAllBalls();
}
