// A match played without a window by the real match frame and controls, with
// a referee that checks every frame for foul play: balls through paddles or
// out of the field, stalled points, broken numbers. The fair-play tests play
// a slice of it; tools/fair_play plays a million frames and prints the tally.
#pragma once

#include <cstdint>

// Who steers the left paddle; the computer always steers the right one.
enum class LeftPlayer {
    Computer,
    LaggingHuman, // the w and s keys, following where the ball was a moment ago
};

// What the referee saw; the fouls (passThroughs, escapes, buried, stalls,
// brokenNumbers) should all stay 0.
struct FairPlayTally {
    int64_t frames = 0;
    int64_t leftPoints = 0;     // won by the left player: the ball crossed the right goal line
    int64_t rightPoints = 0;    // won by the right player
    int64_t longestPoint = 0;   // frames from a serve to its goal
    double topSpeed = 0;        // the fastest a ball flew, pixels per frame
    int64_t passThroughs = 0;   // frames whose centre crossed a paddle's face where it stood
    int64_t tooFastToJudge = 0; // contact frames over 44 px: no crossing check
    int64_t escapes = 0;        // points whose ball left the open field but across a goal line
    int64_t buried = 0;         // points whose ball ended a frame with its centre in a paddle
    int64_t stalls = 0;         // points whose ball went STALL_FRAMES without a paddle or goal
    int64_t brokenNumbers = 0;  // frames with a NaN or a speed off its 0.1-per-contact rule
};

// A ball must reach a paddle or a goal line this many frames (10 s) after
// its serve and after each paddle contact.
constexpr int64_t STALL_FRAMES = 625;

// Serves the first ball of a single-ball match from `seed` with the paddles
// centred and the pictures dropped, so that frames cost no drawing. Called
// by the fair-play test and tools/fair_play after loadGameWorld on an open
// display, once per match.
void startRefereedMatch(unsigned seed, LeftPlayer left);

// Hooks around the match frame, for a caller that records the world.
struct FrameHooks {
    void (*beforeMove)() = nullptr;
    void (*afterMove)() = nullptr;
};

// Plays `frames` frames as the main loop would (match frame, then controls)
// and adds what the referee saw to `tally`. Called by the fair-play test and
// tools/fair_play after startRefereedMatch, any number of times.
void playRefereedFrames(int64_t frames, LeftPlayer left, FairPlayTally& tally,
                        FrameHooks hooks = {});
