// A long deterministic match between two computer-steered paddles with many
// balls, checking the world's invariants between every pair of frames.
#include "game/match_controls.h"
#include "game/match_frame.h"
#include "game/title_menu.h"
#include "game/world.h"
#include "input/input.h"
#include "support/headless_display.h"
#include "ui/theme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

constexpr int FRAMES = 4000;
constexpr int BALLS_IN_PLAY = 50;

struct Offsets {
    double x[MAX_PADDLE_PARTS], y[MAX_PADDLE_PARTS];
};

// Each part's place within its paddle, from the world as built.
Offsets offsetsOf(CollisionRect** parts, int32_t count, double paddleX, double paddleY) {
    Offsets o{};
    for (int32_t i = 0; i < count; i++) {
        o.x[i] = parts[i]->x - paddleX;
        o.y[i] = parts[i]->y - paddleY;
    }
    return o;
}

void expectPaddleIntact(const char* name, CollisionRect** parts, int32_t count, const Offsets& o,
                        double x, double y, double velocity) {
    SCOPED_TRACE(name);
    EXPECT_GE(y, 50);
    EXPECT_LE(y, 358);
    EXPECT_FALSE(std::isnan(velocity));
    for (int32_t i = 0; i < count; i++) {
        EXPECT_NEAR(parts[i]->x, o.x[i] + x, 1e-9) << "part " << i;
        EXPECT_NEAR(parts[i]->y, o.y[i] + y, 1e-9) << "part " << i;
    }
}

} // namespace

class SimulationTest : public HeadlessDisplayTest {
  protected:
    void TearDown() override { removeAllBalls(); }
};

TEST_F(SimulationTest, LongComputerMatch_keepsPaddlesBallsAndSpeedsConsistent) {
    loadGameWorld();
    loadTheme();
    const Offsets offsets1 = offsetsOf(paddle1Parts, paddle1PartCount, paddle1X, paddle1Y);
    const Offsets offsets2 = offsetsOf(paddle2Parts, paddle2PartCount, paddle2X, paddle2Y);

    // Start the way a player does, then hand paddle 1 to the computer too.
    std::srand(2024);
    mouseX = 320;
    mouseY = 195;
    mouseButtonStates[SDL_BUTTON_LEFT] = KEY_PRESSED;
    runTitleMenu();
    ASSERT_EQ(screenState, SCREEN_MATCH);
    mouseButtonStates[SDL_BUTTON_LEFT] = KEY_UP;
    mouseX = mouseY = 0;
    player1IsHuman = false;
    player2IsHuman = false;
    while (ballCount < BALLS_IN_PLAY)
        serveBall(ServeDirection::Free);

    Ball before[MAX_BALLS];
    Ball* identity[MAX_BALLS];
    long contacts = 0;
    for (int frame = 0; frame < FRAMES && !HasFailure(); frame++) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        for (int32_t i = 0; i < ballCount; i++) {
            before[i] = *balls[i];
            identity[i] = balls[i];
        }

        runMatchFrame();

        // The frame moves balls but never adds, removes or reorders them.
        ASSERT_EQ(ballCount, BALLS_IN_PLAY);
        for (int32_t i = 0; i < ballCount; i++) {
            const Ball& b = *balls[i];
            const Ball& old = before[i];
            ASSERT_EQ(balls[i], identity[i]);
            ASSERT_FALSE(std::isnan(b.x) || std::isnan(b.y) || std::isnan(b.vx) ||
                         std::isnan(b.vy) || std::isnan(b.speed))
                << "ball " << i;
            const bool touched = b.x != old.x + old.vx || b.y != old.y + old.vy;
            if (touched) {
                contacts++;
                EXPECT_NEAR(b.speed, old.speed + 0.1, 1e-9) << "ball " << i;
                EXPECT_NEAR(std::hypot(b.vx, b.vy), b.speed, 1e-9) << "ball " << i;
            } else {
                EXPECT_EQ(b.speed, old.speed) << "ball " << i;
                EXPECT_EQ(b.vx, old.vx) << "ball " << i;
                EXPECT_EQ(b.vy, old.vy) << "ball " << i;
            }
        }
        expectPaddleIntact("paddle 1", paddle1Parts, paddle1PartCount, offsets1, paddle1X, paddle1Y,
                           paddle1Velocity);
        expectPaddleIntact("paddle 2", paddle2Parts, paddle2PartCount, offsets2, paddle2X, paddle2Y,
                           paddle2Velocity);

        runMatchControls();
        ASSERT_EQ(ballCount, BALLS_IN_PLAY); // every goal re-serves
        ASSERT_EQ(screenState, SCREEN_MATCH);
        // A ball that slides into an index already tested may stay past its
        // goal line for a frame, but never leaves the walled field.
        for (int32_t i = 0; i < ballCount; i++) {
            EXPECT_GT(balls[i]->x, 15) << "ball " << i;
            EXPECT_LT(balls[i]->x, 625) << "ball " << i;
            EXPECT_GT(balls[i]->y, 50) << "ball " << i;
            EXPECT_LT(balls[i]->y, 430) << "ball " << i;
        }
    }

    // The run exercised bounces and goals on both sides.
    EXPECT_GT(contacts, 1000);
    EXPECT_GT(player1Score, 0);
    EXPECT_GT(player2Score, 0);
    EXPECT_GT(matchSlide, 0.99);
}
