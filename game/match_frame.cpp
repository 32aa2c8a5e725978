// One frame of the match: ease the slide-in amount, move and bounce every ball,
// steer both paddles and carry their collision parts along, then draw the
// score backings, scores, balls and paddles.
#include "game/match_frame.h"

#include "game/collision.h"
#include "game/match_sounds.h"
#include "game/world.h"
#include "input/input.h"
#include "ui/display.h"
#include "ui/text.h"

#include <cmath>
#include <cstdio>

namespace {

void updateSlide() {
    constexpr double SLIDE_KEEP = 0.95;
    constexpr double SLIDE_GAIN = 0.05; // only in a match, so it tends to 1
    matchSlide = matchSlide * SLIDE_KEEP + (screenState == SCREEN_MATCH ? SLIDE_GAIN : 0.0);
}

// Turns the velocity after a contact. The push (dx, dy) is the total
// displacement of both collision passes:
//   straight up/down    -> reverse vy only if the ball was moving into the push's opposite
//   straight sideways   -> likewise for vx
//   slanted (a corner)  -> leave along the push
// then the velocity is rescaled to the speed, which gains BALL_SPEED_GAIN once per
// frame with contact (`firstInFrame`), however many steps of the frame touch.
// A contact never leaves the ball crossing the field slower than
// MIN_CONTACT_CROSSING_SPEED, so no point can stall.
void bounce(Ball& ball, double dx, double dy, bool firstInFrame) {
    if (dx == 0 && dy != 0) {
        if ((dy < 0 && ball.vy > 0) || (dy > 0 && ball.vy < 0))
            ball.vy = -ball.vy;
    } else if (dy == 0 && dx != 0) {
        if ((dx < 0 && ball.vx > 0) || (dx > 0 && ball.vx < 0))
            ball.vx = -ball.vx;
    } else if (dx != 0 && dy != 0) {
        ball.vx = dx;
        ball.vy = dy;
    }

    double angle = std::atan2(ball.vy, ball.vx);
    if (firstInFrame)
        ball.speed += BALL_SPEED_GAIN;
    ball.vx = std::cos(angle) * ball.speed;
    ball.vy = std::sin(angle) * ball.speed;
    keepCrossingSpeed(ball.vx, ball.vy, MIN_CONTACT_CROSSING_SPEED);
}

// One step of a ball's move, then the contact test. A contact is known only by
// the centre having moved in the first pass; the second, wider pass then
// carries it 2 px clear. Returns whether the ball touched anything.
bool stepBall(Ball& ball, double dx, double dy, bool touchedBefore) {
    ball.x += dx;
    ball.y += dy;
    const double x0 = ball.x;
    const double y0 = ball.y;

    const CollisionRect* touched = collideBallWithRects(ball.x, ball.y, FIRST_CONTACT_RADIUS);
    if (ball.x == x0 && ball.y == y0)
        return false;

    collideBallWithRects(ball.x, ball.y, SECOND_CONTACT_RADIUS);
    bounce(ball, ball.x - x0, ball.y - y0, !touchedBefore);
    soundBallContact(ball, touched);
    return true;
}

bool pastGoalLine(double x) {
    return x < LEFT_GOAL_X || x > RIGHT_GOAL_X;
}

// Moves one ball through the frame in equal steps of at most BALL_STEP_LENGTH,
// testing for contact after each, so that no wall or paddle can be skipped
// at any speed. Up to that pace there is one step: the whole velocity at once.
// A ball that crosses a goal line stops there for the controls to score it,
// rather than bounce off the side wall and back into play within the frame.
void moveBall(Ball& ball) {
    // A cap on the steps keeps a corrupt velocity from stalling the frame;
    // a ball would need some 800,000 contact frames to reach it.
    constexpr int MAX_STEPS = 4096;
    const double wanted = std::ceil(std::hypot(ball.vx, ball.vy) / BALL_STEP_LENGTH);
    const int steps = wanted > 1 ? (wanted < MAX_STEPS ? int(wanted) : MAX_STEPS) : 1;
    bool touched = false;
    for (int i = 0; i < steps; i++) {
        const bool inPlay = !pastGoalLine(ball.x);
        touched |= stepBall(ball, ball.vx / steps, ball.vy / steps, touched);
        if (inPlay && pastGoalLine(ball.x))
            break;
    }
}

struct PaddleControl {
    CollisionRect** parts;
    int32_t partCount;
    double& x;
    double& y;
    double& velocity;
    bool isHuman;
    SDLKey upKey;
    SDLKey downKey;
};

double steeredVelocity(const PaddleControl& paddle, int32_t ballsInPlay) {
    if (paddle.isHuman) {
        constexpr double HUMAN_DAMPING = 0.85;
        constexpr double KEY_ACCELERATION = 0.75; // held keys tend to 0.75/0.15 = 5 px/frame
        double v = paddle.velocity * HUMAN_DAMPING;
        if (isHeld(keyStates[paddle.upKey]))
            v -= KEY_ACCELERATION;
        if (isHeld(keyStates[paddle.downKey]))
            v += KEY_ACCELERATION;
        return v;
    }
    constexpr double COMPUTER_DAMPING = 0.8;
    constexpr double COMPUTER_GAIN = 0.015;
    double v = paddle.velocity * COMPUTER_DAMPING;
    if (ballsInPlay != 0) // aim the paddle's middle at the ball
        v += (balls[0]->y - (paddle.y + PADDLE_HEIGHT / 2)) * COMPUTER_GAIN;
    return v;
}

// The parts are taken back to paddle-local coordinates, the paddle moves, and
// the parts are put back at its new place, so they never drift from it.
void movePaddle(const PaddleControl& paddle, double slideX, int32_t ballsInPlay) {
    shiftParts(paddle.parts, paddle.partCount, -paddle.x, -paddle.y);

    paddle.velocity = steeredVelocity(paddle, ballsInPlay);
    paddle.y += paddle.velocity;
    paddle.x = slideX;

    // The clamp leaves the velocity alone: a paddle held against a wall
    // leaves it only once its velocity points away.
    constexpr double PADDLE_BOTTOM_LIMIT = FIELD_BOTTOM - PADDLE_HEIGHT; // on the bottom wall
    if (paddle.y < FIELD_TOP)
        paddle.y = FIELD_TOP;
    else if (paddle.y > PADDLE_BOTTOM_LIMIT)
        paddle.y = PADDLE_BOTTOM_LIMIT;

    shiftParts(paddle.parts, paddle.partCount, paddle.x, paddle.y);
}

constexpr int BACKING_Y = 75;
constexpr int SCORE_Y = 77;

// The left score starts at its x; the right one is centred on its x.
void drawScores() {
    char text[16];

    blitAt(textBacking1Image, nullptr, static_cast<int>(200 * matchSlide - 200), BACKING_Y);
    std::snprintf(text, sizeof text, "%d", player1Score);
    drawText(static_cast<int>(90 * matchSlide - 50), SCORE_Y, text, TEXT_ALIGN_LEFT);

    blitAt(textBacking2Image, nullptr, static_cast<int>(640 - 200 * matchSlide), BACKING_Y);
    std::snprintf(text, sizeof text, "%d", player2Score);
    drawText(static_cast<int>(640 - 90 * matchSlide + 50), SCORE_Y, text, TEXT_ALIGN_CENTER);
}

// A picture's top-left corner for a centre coordinate, truncated toward zero
// and held within SDL's signed 16-bit positions: a ball far off the screen
// stays off it instead of wrapping round to show up on it.
int cornerFor(double centre, int half) {
    constexpr double LOWEST = -32768, HIGHEST = 32767;
    if (!(centre > LOWEST + half)) // NaN too
        return static_cast<int>(LOWEST);
    if (centre > HIGHEST + half)
        return static_cast<int>(HIGHEST);
    return static_cast<int>(centre) - half;
}

// Without a ball picture its size is unknown, so balls are not drawn at all.
void drawBalls() {
    if (!ballImage)
        return;
    const int halfW = ballImage->w / 2;
    const int halfH = ballImage->h / 2;
    for (int32_t i = 0; i < ballCount; i++)
        blitAt(ballImage, nullptr, cornerFor(balls[i]->x, halfW), cornerFor(balls[i]->y, halfH));
}

} // namespace

void runMatchFrame() {
    updateSlide();

    const int32_t n = ballCount;
    for (int32_t i = 0; i < n; i++)
        moveBall(*balls[i]);

    // The paddles move after the balls, so a ball meets them where they
    // stood at the end of the previous frame.
    constexpr double PADDLE1_X_RANGE = 87; // slides from -22 to 65
    constexpr double PADDLE1_X_OUT = -22;
    PaddleControl paddle1{paddle1Parts,    paddle1PartCount, paddle1X, paddle1Y,
                          paddle1Velocity, player1IsHuman,   SDLK_w,   SDLK_s};
    movePaddle(paddle1, matchSlide * PADDLE1_X_RANGE + PADDLE1_X_OUT, n);

    constexpr double PADDLE2_X_RANGE = 109; // slides from 662 to 553
    constexpr double PADDLE2_X_OUT_OF_EDGE = 22;
    PaddleControl paddle2{paddle2Parts,    paddle2PartCount, paddle2X, paddle2Y,
                          paddle2Velocity, player2IsHuman,   SDLK_UP,  SDLK_DOWN};
    movePaddle(paddle2, 640 - matchSlide * PADDLE2_X_RANGE + PADDLE2_X_OUT_OF_EDGE, n);

    drawScores();
    drawBalls();
    blitAt(paddle1Image, nullptr, static_cast<int>(paddle1X), static_cast<int>(paddle1Y));
    blitAt(paddle2Image, nullptr, static_cast<int>(paddle2X), static_cast<int>(paddle2Y));
}
