// fair_play: long refereed matches without a window, and a frame-by-frame
// comparison of two builds of the match frame.
//
//   fair_play [frames] [seed]    plays `frames` frames computer against
//                                computer, then as many against a lagging
//                                human, and prints what the referee saw
//   fair_play record [frames] [seed] | other_build/fair_play replay pace
//                                the first build writes the world before and
//                                after each computer-against-computer match
//                                frame; the second runs its own match frame
//                                from each "before", compares bit for bit and
//                                lists the differences with a ball no faster
//                                than pace (pixels per frame)
#include "game/match_frame.h"
#include "referee/refereed_match.h"
#include "game/world.h"
#include "input/input.h"
#include "ui/display.h"

#include <SDL.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int64_t DEFAULT_FRAMES = 1000000;
constexpr unsigned DEFAULT_SEED = 2024;

// Everything the match frame reads or writes but the pictures and scores.
constexpr int RECORDED_RECTS = 28; // the four walls and both paddles' parts
struct WorldRecord {
    double slide;
    int32_t screen, humans, ballCount;
    uint32_t keys[4];
    double paddles[6];
    double rects[RECORDED_RECTS][2];
    Ball ball;
};
const SDLKey RECORDED_KEYS[4] = {SDLK_w, SDLK_s, SDLK_UP, SDLK_DOWN};

WorldRecord recordWorld() {
    WorldRecord r;
    std::memset(&r, 0, sizeof r); // padding too, so records compare byte for byte
    r.slide = matchSlide;
    r.screen = screenState;
    r.humans = player1IsHuman + 2 * player2IsHuman;
    r.ballCount = ballCount;
    for (int i = 0; i < 4; i++)
        r.keys[i] = keyStates[RECORDED_KEYS[i]];
    const double paddles[6] = {paddle1X, paddle1Y, paddle1Velocity,
                               paddle2X, paddle2Y, paddle2Velocity};
    std::memcpy(r.paddles, paddles, sizeof paddles);
    for (int32_t i = 0; i < collisionRectCount && i < RECORDED_RECTS; i++) {
        r.rects[i][0] = collisionRects[i]->x;
        r.rects[i][1] = collisionRects[i]->y;
    }
    if (ballCount > 0)
        r.ball = *balls[0];
    return r;
}

void restoreWorld(const WorldRecord& r) {
    matchSlide = r.slide;
    screenState = r.screen;
    player1IsHuman = r.humans & 1;
    player2IsHuman = r.humans & 2;
    for (int i = 0; i < 4; i++)
        keyStates[RECORDED_KEYS[i]] = r.keys[i];
    paddle1X = r.paddles[0], paddle1Y = r.paddles[1], paddle1Velocity = r.paddles[2];
    paddle2X = r.paddles[3], paddle2Y = r.paddles[4], paddle2Velocity = r.paddles[5];
    for (int32_t i = 0; i < collisionRectCount && i < RECORDED_RECTS; i++) {
        collisionRects[i]->x = r.rects[i][0];
        collisionRects[i]->y = r.rects[i][1];
    }
    if (ballCount > 0)
        *balls[0] = r.ball;
}

void writeWorld() {
    const WorldRecord r = recordWorld();
    std::fwrite(&r, sizeof r, 1, stdout);
}

void printTally(const char* title, const FairPlayTally& t) {
    const int64_t points = t.leftPoints + t.rightPoints;
    std::printf(
        "%s\n  frames %" PRId64 ", points %" PRId64 " (left %" PRId64 ", right %" PRId64
        ", left share %.2f%%)\n  longest point %" PRId64 " frames, top speed %.2f px/frame\n"
        "  pass-throughs %" PRId64 " (frames too fast to judge: %" PRId64 "), escapes %" PRId64
        ", buried in a paddle %" PRId64 ", stalls %" PRId64 ", broken numbers %" PRId64 "\n",
        title, t.frames, points, t.leftPoints, t.rightPoints,
        points ? 100.0 * t.leftPoints / points : 0.0, t.longestPoint, t.topSpeed, t.passThroughs,
        t.tooFastToJudge, t.escapes, t.buried, t.stalls, t.brokenNumbers);
}

// Compares this build's match frame with the recorded one, frame by frame.
// A difference in direction alone (same place and speed, more horizontal
// speed here) is counted apart; every other difference is counted by whether
// the ball flew faster than `pace` before the frame, and listed when not.
int replay(double pace) {
    WorldRecord before, after;
    int64_t frames = 0, same = 0, steeper = 0, faster = 0, slower = 0;
    while (std::fread(&before, sizeof before, 1, stdin) == 1 &&
           std::fread(&after, sizeof after, 1, stdin) == 1) {
        frames++;
        restoreWorld(before);
        runMatchFrame();
        const WorldRecord mine = recordWorld();
        if (std::memcmp(&mine, &after, sizeof mine) == 0) {
            same++;
            continue;
        }
        const Ball &b = before.ball, &a = after.ball, &m = mine.ball;
        if (a.x == m.x && a.y == m.y && a.speed == m.speed && std::fabs(m.vx) > std::fabs(a.vx) &&
            (m.vx > 0) == (a.vx > 0)) {
            steeper++;
            continue;
        }
        if (std::hypot(b.vx, b.vy) > pace) {
            faster++;
            continue;
        }
        slower++;
        std::printf("frame %" PRId64 ": ball (%.3f, %.3f) moving (%.3f, %.3f) ends at (%.3f, %.3f) "
                    "recorded, (%.3f, %.3f) here\n",
                    frames, b.x, b.y, b.vx, b.vy, a.x, a.y, m.x, m.y);
    }
    std::printf("replayed %" PRId64 " frames: %" PRId64 " bit for bit the same, %" PRId64
                " the same but for more horizontal speed here, %" PRId64
                " otherwise different with a ball faster than %g px/frame, %" PRId64
                " with a slower one (listed above)\n",
                frames, same, steeper, faster, pace, slower);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const bool recording = argc > 1 && std::strcmp(argv[1], "record") == 0;
    const bool replaying = argc > 2 && std::strcmp(argv[1], "replay") == 0;
    const int first = recording ? 2 : 1;
    const int64_t frames = argc > first ? std::atoll(argv[first]) : DEFAULT_FRAMES;
    const unsigned seed = argc > first + 1 ? unsigned(std::atol(argv[first + 1])) : DEFAULT_SEED;

    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || !(screen = SDL_SetVideoMode(640, 480, 32, 0))) {
        std::fprintf(stderr, "fair_play: no display: %s\n", SDL_GetError());
        return 1;
    }
    loadGameWorld();
    startRefereedMatch(seed, LeftPlayer::Computer);
    if (replaying)
        return replay(std::atof(argv[2]));

    FairPlayTally tally;
    if (recording) {
        playRefereedFrames(frames, LeftPlayer::Computer, tally, {writeWorld, writeWorld});
        return 0;
    }
    playRefereedFrames(frames, LeftPlayer::Computer, tally);
    printTally("computer against computer", tally);
    FairPlayTally human;
    startRefereedMatch(seed, LeftPlayer::LaggingHuman);
    playRefereedFrames(frames, LeftPlayer::LaggingHuman, human);
    printTally("lagging human (left) against computer", human);
    return 0;
}
