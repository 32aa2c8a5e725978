// The match world: balls, the walls and paddles as collision rectangles,
// scores, who steers which paddle, the current screen and the game pictures.
#pragma once

#include <SDL.h>

#include <cstdint>

struct CollisionRect {
    double x, y; // top-left corner
    double w, h;
};

struct Ball {
    double x, y;   // centre
    double vx, vy; // displacement per frame, pixels
    double speed;  // length the velocity is rescaled to after a bounce
};

// --- The field: the serve spot at its middle, a goal line near each end -------
constexpr double FIELD_CENTRE_X = 320;
constexpr double FIELD_CENTRE_Y = 240;
constexpr double LEFT_GOAL_X = 40;   // 25 px in from the left wall
constexpr double RIGHT_GOAL_X = 600; // 25 px in from the right wall
constexpr double SERVE_SPEED = 4;    // pixels per frame of a ball just served
constexpr double FIELD_TOP = 50;     // the foot of the top wall
constexpr double FIELD_BOTTOM = 430; // the top of the bottom wall
constexpr double PADDLE_HEIGHT = 72;

// --- Capacities ---------------------------------------------------------------
constexpr int32_t MAX_COLLISION_RECTS = 2000;
constexpr int32_t MAX_PADDLE_PARTS = 100;
constexpr int32_t MAX_BALLS = 2000;

// --- Collision rectangles (walls first, then the parts of both paddles) -------
extern CollisionRect* collisionRects[MAX_COLLISION_RECTS];
extern int32_t collisionRectCount;
extern CollisionRect* paddle1Parts[MAX_PADDLE_PARTS]; // shared with collisionRects
extern int32_t paddle1PartCount;
extern CollisionRect* paddle2Parts[MAX_PADDLE_PARTS];
extern int32_t paddle2PartCount;

// --- Balls in play; balls[0] is the one computer paddles follow ----------------
extern Ball* balls[MAX_BALLS];
extern int32_t ballCount;

// --- Paddles: top-left corner and vertical velocity ---------------------------
extern double paddle1X, paddle1Y, paddle1Velocity; // left paddle
extern double paddle2X, paddle2Y, paddle2Velocity; // right paddle

// --- Match state --------------------------------------------------------------
extern int32_t player1Score, player2Score;
extern bool player1IsHuman; // false until a match is first started
extern bool player2IsHuman; // false in single player
extern int32_t screenState; // SCREEN_TITLE or SCREEN_MATCH
extern double matchSlide;   // 0..1, how far paddles and backings have slid in

constexpr int32_t SCREEN_TITLE = 0;
constexpr int32_t SCREEN_MATCH = 1;

// --- Game pictures (empty when a file failed to load) --------------------------
extern SDL_Surface* backgroundImage;
extern SDL_Surface* borderImage;
extern SDL_Surface* ballImage;
extern SDL_Surface* paddle1Image;
extern SDL_Surface* paddle2Image;
extern SDL_Surface* textBacking1Image;
extern SDL_Surface* textBacking2Image;

// Loads the game pictures, builds the four walls and both paddles and places
// the paddles. Called once by start-up after the video mode is set, before
// loadTheme.
void loadGameWorld();

// Appends a rectangle to collisionRects; does nothing once the list is full.
void addCollisionRect(double x, double y, double w, double h);

// Adds (x, y) to every part of a paddle. With the paddle's position it puts
// paddle-local parts on the screen; with its negation it takes them back,
// exactly, since adding -x is subtracting x. Used wherever a paddle moves.
void shiftParts(CollisionRect** parts, int32_t partCount, double x, double y);

// --- No stalled point ---------------------------------------------------------
// A ball must reach a paddle or a goal line within 625 frames of its serve and
// of each paddle contact. Its horizontal speed never drops between contacts
// (a wall bounce only rescales it up), so it is enough to cross 280 px from
// the serve spot to a goal line at 0.5 px per frame, and 560 px from goal line
// to goal line after a contact at 1: 560 frames either way.
constexpr double MIN_SERVE_CROSSING_SPEED = 0.5;
constexpr double MIN_CONTACT_CROSSING_SPEED = 1.0;

// Raises |vx| to `minimum` when it is below, keeping the signs of both parts
// and the velocity's length; any other velocity is left exactly as it is.
// Used by the serve and by the match frame after every contact.
void keepCrossingSpeed(double& vx, double& vy, double minimum);

// --- Serving and re-centring ---------------------------------------------------
enum class ServeDirection { Free, Leftward, Rightward };

// Appends a ball at the field's centre moving at 4 pixels per frame in a random
// direction; draws a random number even when the list is full and no ball is
// added. Used by the title menu to start a match and by the match controls
// after every goal.
void serveBall(ServeDirection direction);

// Moves paddle 1, then paddle 2, with their parts to y 204, keeping x. Called
// by the title menu in the frame a match starts.
void recentrePaddles();

// Removes balls[index], closing the gap in order. Used by the match controls.
void removeBall(int32_t index);
// Deletes every ball and empties the list.
void removeAllBalls();
