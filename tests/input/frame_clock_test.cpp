// Frame pacing with an injected clock.
#include "input/frame_clock.h"

#include <gtest/gtest.h>

TEST(FrameClock, ShortPassSleepsTheRestOfSixteenMilliseconds) {
    EXPECT_EQ(frameDelay(1000, 1000), 16u);
    EXPECT_EQ(frameDelay(1000, 1003), 13u);
    EXPECT_EQ(frameDelay(1000, 1015), 1u);
}

TEST(FrameClock, PassOfSixteenMillisecondsOrMoreDoesNotSleep) {
    EXPECT_EQ(frameDelay(1000, 1016), 0u);
    EXPECT_EQ(frameDelay(1000, 1020), 0u);
    EXPECT_EQ(frameDelay(0, 0x7fffffffu), 0u);
}

TEST(FrameClock, TickCounterWrapIsMeasuredAcrossTheWrap) {
    EXPECT_EQ(frameDelay(0xfffffffau, 0x00000004u), 6u);  // 10 ms across the wrap
    EXPECT_EQ(frameDelay(0xfffffff0u, 0x00000000u), 0u);  // exactly 16 ms
    EXPECT_EQ(frameDelay(0xffffffffu, 0xffffffffu), 16u); // no time at the very top
}

TEST(FrameClock, ClockThatAppearsToRunBackwardsSleepsAtMostOneFrame) {
    EXPECT_EQ(frameDelay(1000, 990), 16u);
}
