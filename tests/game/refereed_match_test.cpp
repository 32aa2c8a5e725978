// A slice of the long refereed run of tools/fair_play: the same seed and
// players, 50,000 frames each way. The old match frame fouled within it
// (balls through paddles, out through a wall, stalled points); the slice
// reaches paces that take many steps a frame.
#include "referee/refereed_match.h"

#include "game/match_frame.h"
#include "game_test_support.h"

class RefereedMatchTest : public GameWorldTest {};

TEST_F(RefereedMatchTest, ComputerAndLaggingHuman_playWithoutAFoulAndBothScore) {
    for (LeftPlayer left : {LeftPlayer::Computer, LeftPlayer::LaggingHuman}) {
        SCOPED_TRACE(left == LeftPlayer::Computer ? "computer" : "lagging human");
        startRefereedMatch(2024, left);
        FairPlayTally t;
        playRefereedFrames(50000, left, t);
        EXPECT_EQ(
            std::vector<int64_t>({t.passThroughs, t.escapes, t.buried, t.stalls, t.brokenNumbers}),
            std::vector<int64_t>(5, 0));
        EXPECT_GT(t.leftPoints * t.rightPoints, 0);
        EXPECT_LT(t.tooFastToJudge, t.frames / 5); // most frames are judged for crossings
        EXPECT_GT(t.topSpeed, 10 * BALL_STEP_LENGTH);
    }
}

// A referee that is never shown a foul proves nothing. Each foul is made by
// hand after the match frame has moved a ball that flies slowly toward
// paddle 1, 30 px in front of its face, and is counted once:
//   through   the ball jumps behind the paddle, across its face
//   escape    the ball jumps into the top wall
//   buried    the ball jumps into the paddle's body
//   broken    the ball gains speed without touching anything
//   stall     the ball is held on the centre line, frame after frame
TEST_F(RefereedMatchTest, EveryKindOfFoulMadeByHandIsCountedOnce) {
    struct Foul {
        const char* name;
        void (*make)();
        int64_t frames;
        int64_t FairPlayTally::*count;
    };
    const Foul fouls[] = {
        {"through", [] { balls[0]->x = paddle1X - 30; }, 1, &FairPlayTally::passThroughs},
        {"escape", [] { balls[0]->y = FIELD_TOP - 20; }, 1, &FairPlayTally::escapes},
        {"buried", [] { balls[0]->x = paddle1X + 5; }, 1, &FairPlayTally::buried},
        {"broken", [] { balls[0]->speed += 1; }, 1, &FairPlayTally::brokenNumbers},
        {"stall", [] { balls[0]->x = FIELD_CENTRE_X; }, STALL_FRAMES + 1, &FairPlayTally::stalls},
    };
    for (const Foul& foul : fouls) {
        startRefereedMatch(2024, LeftPlayer::Computer);
        FairPlayTally t;
        playRefereedFrames(100, LeftPlayer::Computer, t); // the paddles are in
        *balls[0] = Ball{paddle1X + 22 + 30, paddle1Y + PADDLE_HEIGHT / 2, -1, 0, 5};
        playRefereedFrames(foul.frames, LeftPlayer::Computer, t, {nullptr, foul.make});
        EXPECT_EQ(t.*foul.count, 1) << foul.name;
    }
}
