// The title menu: two buttons that start a one- or two-player match, and the
// serve that puts a new ball in play (also used after every goal).
#include "game/title_menu.h"

#include "ui/button.h"

#include <cmath>
#include <cstdlib>

void serveBall(ServeDirection direction) {
    // The number is drawn even when the list is full, so the random sequence
    // does not depend on whether a ball was added.
    const int n = std::rand() % 360;
    if (ballCount >= MAX_BALLS)
        return;

    // n is used as radians, not degrees: any of 360 directions will do.
    const double c = std::cos(n);
    const double s = std::sin(n);
    double vx = SERVE_SPEED * c;
    if (direction == ServeDirection::Leftward)
        vx = -SERVE_SPEED * std::fabs(c);
    else if (direction == ServeDirection::Rightward)
        vx = SERVE_SPEED * std::fabs(c);
    double vy = SERVE_SPEED * s;
    keepCrossingSpeed(vx, vy, MIN_SERVE_CROSSING_SPEED); // near-vertical draws only

    // speed is the length the first bounce rescales to (plus its gain): 5.1.
    constexpr double BOUNCE_BASE_SPEED = 5.0;
    balls[ballCount] = new Ball{FIELD_CENTRE_X, FIELD_CENTRE_Y, vx, vy, BOUNCE_BASE_SPEED};
    ballCount++;
}

// Takes the parts to paddle-local coordinates, moves the paddle to the
// middle height and puts them back; x is the match frame's business.
static void recentrePaddle(CollisionRect** parts, int32_t partCount, double paddleX,
                           double& paddleY) {
    constexpr double CENTRED_PADDLE_Y = 204; // (480 - 72) / 2
    shiftParts(parts, partCount, -paddleX, -paddleY);
    paddleY = CENTRED_PADDLE_Y;
    shiftParts(parts, partCount, paddleX, paddleY);
}

void recentrePaddles() {
    recentrePaddle(paddle1Parts, paddle1PartCount, paddle1X, paddle1Y);
    recentrePaddle(paddle2Parts, paddle2PartCount, paddle2X, paddle2Y);
}

static void startMatch(bool player2Human) {
    serveBall(ServeDirection::Free);
    player1IsHuman = true;
    player2IsHuman = player2Human;
    player1Score = 0;
    player2Score = 0;
    screenState = SCREEN_MATCH;
}

void runTitleMenu() {
    constexpr int MENU_X = 320;
    constexpr int MENU_WIDTH = 300;
    constexpr int MENU_HEIGHT = 30;

    // Both buttons are drawn every frame; their hot areas do not overlap, so
    // at most one reports a click.
    constexpr int SINGLE_PLAYER_Y = 195;
    if (button(MENU_X, SINGLE_PLAYER_Y, MENU_WIDTH, MENU_HEIGHT, "single player"))
        startMatch(false); // the computer steers paddle 2
    constexpr int TWO_PLAYER_Y = 260;
    if (button(MENU_X, TWO_PLAYER_Y, MENU_WIDTH, MENU_HEIGHT, "two player"))
        startMatch(true);

    if (screenState != SCREEN_MATCH)
        return;
    recentrePaddles();
}
