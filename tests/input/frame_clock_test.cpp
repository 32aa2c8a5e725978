// Frame pacing with an injected clock.
#include "input/frame_clock.h"

#include <gtest/gtest.h>

TEST(FrameClock, SleepsTheRestOfSixteenMillisecondsAcrossTheTickWrap) {
    const struct {
        uint32_t start, now, delay;
    } cases[] = {
        {1000, 1000, 16},
        {1000, 1003, 13},
        {1000, 1015, 1},
        {1000, 1016, 0},
        {1000, 1020, 0},
        {0, 0x7fffffffu, 0},
        {0xfffffffau, 4, 6}, // 10 ms across the wrap
        {0xfffffff0u, 0, 0}, // exactly 16 ms across it
        {0xffffffffu, 0xffffffffu, 16},
        {1000, 990, 16}, // a clock that seems to run backwards sleeps at most a frame
    };
    for (const auto& c : cases)
        EXPECT_EQ(frameDelay(c.start, c.now), c.delay) << c.start << " -> " << c.now;
}
