// The match world: its program-wide state, the game pictures, the one-time
// building of the four walls and both paddles as lists of collision
// rectangles, and the serve. Balls are the only objects that come and go
// during a run.
#include "game/world.h"

#include "game/arena.h"
#include "ui/image_loaders.h"

#include <cmath>
#include <cstdlib>

CollisionRect* collisionRects[MAX_COLLISION_RECTS];
int32_t collisionRectCount = 0;
CollisionRect* paddle1Parts[MAX_PADDLE_PARTS];
int32_t paddle1PartCount = 0;
CollisionRect* paddle2Parts[MAX_PADDLE_PARTS];
int32_t paddle2PartCount = 0;

Ball* balls[MAX_BALLS];
int32_t ballCount = 0;

double paddle1X = 0.0, paddle1Y = 0.0, paddle1Velocity = 0.0;
double paddle2X = 0.0, paddle2Y = 0.0, paddle2Velocity = 0.0;

int32_t player1Score = 0, player2Score = 0;
bool player1IsHuman = false;
bool player2IsHuman = false;
int32_t screenState = SCREEN_TITLE;
double matchSlide = 0.0;

SDL_Surface* backgroundImage = nullptr;
SDL_Surface* borderImage = nullptr;
SDL_Surface* ballImage = nullptr;
SDL_Surface* paddle1Image = nullptr;
SDL_Surface* paddle2Image = nullptr;
SDL_Surface* textBacking1Image = nullptr;
SDL_Surface* textBacking2Image = nullptr;

void addCollisionRect(double x, double y, double w, double h) {
    if (collisionRectCount >= MAX_COLLISION_RECTS)
        return;
    collisionRects[collisionRectCount] = new CollisionRect{x, y, w, h};
    collisionRectCount++;
}

// A paddle part is an ordinary collision rectangle that the paddle's list
// also points at, so moving the paddle moves what balls collide with.
static void addPaddlePart(CollisionRect** parts, int32_t& partCount, double x, double y, double w,
                          double h) {
    addCollisionRect(x, y, w, h);
    parts[partCount] = collisionRects[collisionRectCount - 1];
    partCount++;
}

static void addWalls() {
    constexpr double SIDE_WALL_WIDTH = 15;
    addCollisionRect(0, 0, 640, FIELD_TOP);                           // top
    addCollisionRect(0, FIELD_BOTTOM, 640, 480 - FIELD_BOTTOM);       // bottom
    addCollisionRect(0, 0, SIDE_WALL_WIDTH, 480);                     // left
    addCollisionRect(640 - SIDE_WALL_WIDTH, 0, SIDE_WALL_WIDTH, 480); // right
}

// Paddle-local shapes (0,0 = top-left of the 22x72 picture). The face is 11
// one-pixel slices, each 4 px shorter than the last and centred on y 36:
//
//   paddle 1:  [body 0..10][slices 11..21]   face on the right
//   paddle 2:  [slices 1..11][body 11..21]   face on the left; slice 0 sits
//              on the body's first column, so it is not an exact mirror.
constexpr int PADDLE_SLICES = 11;
constexpr double BODY_WIDTH = 11;
constexpr double CENTRED_PADDLE_Y = (480 - PADDLE_HEIGHT) / 2; // 204

static void buildPaddle1() {
    addPaddlePart(paddle1Parts, paddle1PartCount, 0, 0, BODY_WIDTH, PADDLE_HEIGHT);
    for (int i = 0; i < PADDLE_SLICES; i++)
        addPaddlePart(paddle1Parts, paddle1PartCount, 11 + i, 2 * i, 1, PADDLE_HEIGHT - 4 * i);
}

static void buildPaddle2() {
    addPaddlePart(paddle2Parts, paddle2PartCount, 11, 0, BODY_WIDTH, PADDLE_HEIGHT);
    for (int i = 0; i < PADDLE_SLICES; i++)
        addPaddlePart(paddle2Parts, paddle2PartCount, 11 - i, 2 * i, 1, PADDLE_HEIGHT - 4 * i);
}

void shiftParts(CollisionRect** parts, int32_t partCount, double x, double y) {
    for (int32_t i = 0; i < partCount; i++) {
        parts[i]->x += x;
        parts[i]->y += y;
    }
}

void loadGameWorld() {
    // Pictures
    backgroundImage = loadColorKeyedImage("Media/Game/background.png");
    borderImage = loadAlphaImage("Media/Game/border.png");
    // The border is drawn over every match frame and is mostly clear:
    // run-length encoding skips its clear pixels and copies its opaque runs,
    // for the same pixels on screen.
    if (borderImage)
        SDL_SetAlpha(borderImage, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
    measureFieldOpening();
    ballImage = loadAlphaImage("Media/Game/ball.png");
    // Up to 2000 balls are blitted a frame: run-length encoding skips their
    // transparent corners and copies opaque runs, about halving that cost
    // for the same pixels on screen.
    if (ballImage)
        SDL_SetAlpha(ballImage, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
    paddle1Image = loadAlphaImage("Media/Game/paddle1.png");
    paddle2Image = loadAlphaImage("Media/Game/paddle2.png");
    textBacking1Image = loadAlphaImage("Media/Game/textbacking1.png");
    textBacking2Image = loadAlphaImage("Media/Game/textbacking2.png");

    // Walls, then paddles: the collision routine visits them in this order.
    addWalls();
    buildPaddle1();
    buildPaddle2();

    // Reference places; the first match frame slides them off screen at once.
    constexpr double PADDLE1_START_X = 65;
    constexpr double PADDLE2_START_X = 553;
    paddle1X = PADDLE1_START_X;
    paddle1Y = CENTRED_PADDLE_Y;
    shiftParts(paddle1Parts, paddle1PartCount, paddle1X, paddle1Y);
    paddle2X = PADDLE2_START_X;
    paddle2Y = CENTRED_PADDLE_Y;
    shiftParts(paddle2Parts, paddle2PartCount, paddle2X, paddle2Y);
}

void keepCrossingSpeed(double& vx, double& vy, double minimum) {
    if (std::fabs(vx) >= minimum)
        return;
    const double pace = std::hypot(vx, vy);
    const double across = std::fmin(minimum, pace);
    vx = std::copysign(across, vx);
    vy = std::copysign(std::sqrt(pace * pace - across * across), vy);
}

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
    shiftParts(parts, partCount, -paddleX, -paddleY);
    paddleY = CENTRED_PADDLE_Y;
    shiftParts(parts, partCount, paddleX, paddleY);
}

void recentrePaddles() {
    recentrePaddle(paddle1Parts, paddle1PartCount, paddle1X, paddle1Y);
    recentrePaddle(paddle2Parts, paddle2PartCount, paddle2X, paddle2Y);
}

void removeBall(int32_t index) {
    if (index < 0 || index >= ballCount)
        return;
    delete balls[index];
    for (int32_t i = index; i < ballCount - 1; i++)
        balls[i] = balls[i + 1];
    ballCount--;
    balls[ballCount] = nullptr;
}

void removeAllBalls() {
    for (int32_t i = 0; i < ballCount; i++) {
        delete balls[i];
        balls[i] = nullptr;
    }
    ballCount = 0;
}
