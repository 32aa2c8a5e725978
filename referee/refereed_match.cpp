// A single-ball match played frame by frame as the main loop plays it, with a
// scripted left player and a referee that compares each ball with where it
// stood before the frame. The checks use only what a spectator could see:
// positions, velocities, speeds and the paddles' rectangles.
#include "referee/refereed_match.h"

#include "game/match_controls.h"
#include "game/match_frame.h"
#include "game/world.h"
#include "input/input.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace {

// --- The lagging human: steers toward where the ball was a moment ago ---------
constexpr int REACTION_FRAMES = 12; // about 0.2 s
constexpr double DEAD_ZONE = 8;     // pixels either side of the paddle's middle
double seenY[REACTION_FRAMES];
int seenNext = 0;

void steerLikeAHuman() {
    const double target = seenY[seenNext];
    seenY[seenNext] = balls[0]->y;
    seenNext = (seenNext + 1) % REACTION_FRAMES;
    const double middle = paddle1Y + PADDLE_HEIGHT / 2;
    keyStates[SDLK_w] = target < middle - DEAD_ZONE ? KEY_HELD : KEY_UP;
    keyStates[SDLK_s] = target > middle + DEAD_ZONE ? KEY_HELD : KEY_UP;
}

// --- What the referee remembers -------------------------------------------------
struct Box {
    double left, top, right, bottom;
};

// The smallest box holding every part of a paddle.
Box boxOf(CollisionRect** parts, int32_t count) {
    Box box{parts[0]->x, parts[0]->y, parts[0]->x, parts[0]->y};
    for (int32_t i = 0; i < count; i++) {
        box.left = std::min(box.left, parts[i]->x);
        box.top = std::min(box.top, parts[i]->y);
        box.right = std::max(box.right, parts[i]->x + parts[i]->w);
        box.bottom = std::max(box.bottom, parts[i]->y + parts[i]->h);
    }
    return box;
}

bool strictlyInside(const CollisionRect& r, double x, double y) {
    return r.x < x && x < r.x + r.w && r.y < y && y < r.y + r.h;
}

struct PointWatch {
    int64_t sinceServe = 0;
    int64_t sinceReach = 0; // frames since the serve or the last paddle contact
    bool escaped = false, buried = false, stalled = false;
};
PointWatch point;

// True when the straight line from `from` to `to` crosses the vertical line
// x = face, moving toward `behind` (-1 leftward, 1 rightward), at a height
// the paddle covers: a centre there is always within a contact radius of one
// of the paddle's parts.
bool crossesFace(const Ball& from, const Ball& to, double face, int behind, const Box& paddle) {
    if (!((from.x - face) * behind <= 0 && (to.x - face) * behind > 0))
        return false;
    const double y = from.y + (to.y - from.y) * (face - from.x) / (to.x - from.x);
    return y >= paddle.top && y <= paddle.bottom;
}

// A contact counts as the paddle's when it leaves the ball within the second
// contact radius of the paddle's box, plus the way it flew after it.
bool nearPaddle(const Ball& ball, const Box& paddle, double pace) {
    const double dx = std::max({paddle.left - ball.x, 0.0, ball.x - paddle.right});
    const double dy = std::max({paddle.top - ball.y, 0.0, ball.y - paddle.bottom});
    return std::hypot(dx, dy) <= SECOND_CONTACT_RADIUS + pace + 1e-9;
}

void judgeMove(const Ball& before, const Box& left, const Box& right, FairPlayTally& tally) {
    const Ball& ball = *balls[0];
    if (std::isnan(ball.x + ball.y + ball.vx + ball.vy + ball.speed)) {
        tally.brokenNumbers++;
        return;
    }
    // Speed: 0.1 more in a frame with contact, and the velocity rescaled to it.
    constexpr double ROUNDING = 1e-9;
    const bool contact = ball.vx != before.vx || ball.vy != before.vy;
    const double pace = std::hypot(ball.vx, ball.vy);
    const bool speedKept =
        contact ? std::fabs(ball.speed - before.speed - BALL_SPEED_GAIN) < ROUNDING &&
                      std::fabs(pace - ball.speed) < ROUNDING
                : ball.speed == before.speed;
    tally.brokenNumbers += !speedKept;
    tally.topSpeed = std::max(tally.topSpeed, pace);

    // The straight line between a ball's places is its path when it touched
    // nothing, or when it was too slow to go round a paddle's end within the
    // frame; other frames are left unjudged (and counted).
    constexpr double STRAIGHT_PATH_PACE = 2 * FIRST_CONTACT_RADIUS;
    if (contact && std::max(pace, std::hypot(before.vx, before.vy)) > STRAIGHT_PATH_PACE) {
        tally.tooFastToJudge++;
    } else {
        tally.passThroughs += crossesFace(before, ball, left.right, -1, left);
        tally.passThroughs += crossesFace(before, ball, right.left, 1, right);
    }
    if (contact && (nearPaddle(ball, left, pace) || nearPaddle(ball, right, pace)))
        point.sinceReach = 0;

    // The open field lies between the walls; past a goal line the controls score.
    const bool pastGoal = ball.x < LEFT_GOAL_X || ball.x > RIGHT_GOAL_X;
    if (!pastGoal && !point.escaped && !(FIELD_TOP < ball.y && ball.y < FIELD_BOTTOM)) {
        point.escaped = true;
        tally.escapes++;
    }
    bool inPaddle = false;
    for (int32_t i = 0; i < paddle1PartCount; i++)
        inPaddle |= strictlyInside(*paddle1Parts[i], ball.x, ball.y);
    for (int32_t i = 0; i < paddle2PartCount; i++)
        inPaddle |= strictlyInside(*paddle2Parts[i], ball.x, ball.y);
    if (inPaddle && !point.buried) {
        point.buried = true;
        tally.buried++;
    }
}

// A goal ends the point; otherwise the stall clock runs on.
void judgeControls(int32_t leftScore, int32_t rightScore, FairPlayTally& tally) {
    const bool leftWon = player1Score != leftScore, rightWon = player2Score != rightScore;
    if (leftWon || rightWon) {
        tally.leftPoints += leftWon;
        tally.rightPoints += rightWon;
        tally.longestPoint = std::max(tally.longestPoint, point.sinceServe);
        point = PointWatch{};
        return;
    }
    if (point.sinceReach >= STALL_FRAMES && !point.stalled) {
        point.stalled = true;
        tally.stalls++;
    }
}

void dropPicture(SDL_Surface*& picture) {
    SDL_FreeSurface(picture);
    picture = nullptr;
}

} // namespace

void startRefereedMatch(unsigned seed, LeftPlayer left) {
    for (SDL_Surface** picture : {&backgroundImage, &borderImage, &ballImage, &paddle1Image,
                                  &paddle2Image, &textBacking1Image, &textBacking2Image})
        dropPicture(*picture);
    std::srand(seed);
    removeAllBalls();
    serveBall(ServeDirection::Free);
    player1IsHuman = left == LeftPlayer::LaggingHuman;
    player2IsHuman = false;
    player1Score = player2Score = 0;
    screenState = SCREEN_MATCH;
    recentrePaddles();
    point = PointWatch{};
    std::fill(std::begin(seenY), std::end(seenY), balls[0]->y);
}

void playRefereedFrames(int64_t frames, LeftPlayer left, FairPlayTally& tally, FrameHooks hooks) {
    for (int64_t frame = 0; frame < frames; frame++) {
        if (left == LeftPlayer::LaggingHuman)
            steerLikeAHuman();
        const Ball before = *balls[0];
        const Box leftPaddle = boxOf(paddle1Parts, paddle1PartCount);
        const Box rightPaddle = boxOf(paddle2Parts, paddle2PartCount);
        const int32_t leftScore = player1Score, rightScore = player2Score;
        point.sinceServe++;
        point.sinceReach++;

        if (hooks.beforeMove)
            hooks.beforeMove();
        runMatchFrame();
        if (hooks.afterMove)
            hooks.afterMove();
        judgeMove(before, leftPaddle, rightPaddle, tally);
        runMatchControls();
        judgeControls(leftScore, rightScore, tally);
        tally.frames++;
    }
}
