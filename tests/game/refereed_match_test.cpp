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
