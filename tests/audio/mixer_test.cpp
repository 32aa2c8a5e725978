// The mixer fed by hand, without a device: which voices survive when they run
// out, and what a silence cuts.
#include "audio/mixer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A second of one value: its voice adds 100 x its left gain to every frame.
const std::vector<int16_t> LEVEL(SOUND_RATE, 100);

SoundStart level(float gain, int priority) {
    SoundStart start;
    start.sound = {LEVEL.data(), uint32_t(LEVEL.size())};
    start.gainLeft = gain;
    start.priority = priority;
    return start;
}

std::vector<int> leftAfterMixing(int frames) {
    std::vector<int16_t> out(2 * frames);
    mixSound(out.data(), frames);
    std::vector<int> left;
    for (int i = 0; i < frames; i++)
        left.push_back(out[2 * i]);
    return left;
}

} // namespace

// 16 wall hits fill the voices; 20 paddle hits weighing 1 to 20 follow, then
// one more wall hit. The paddle hits take the wall hits' voices and then the
// oldest paddle hits', and the late wall hit finds no voice: 5 to 20 sound.
TEST(Mixer, WhenVoicesRunOutTheMostRecentPaddleHitsAreKept) {
    for (int i = 0; i < MAX_VOICES; i++)
        ASSERT_TRUE(postSoundStart(level(1, 0)));
    for (int weight = 1; weight <= 20; weight++)
        ASSERT_TRUE(postSoundStart(level(weight, 1)));
    ASSERT_TRUE(postSoundStart(level(50, 0)));
    EXPECT_EQ(leftAfterMixing(8).back(), 100 * (5 + 20) * 16 / 2);
}

// A silence drops what was posted before it and fades what sounds to nothing
// within 10 ms, without a click; what is posted after it plays. The mixer is idle
// only once everything posted has started and ended.
TEST(Mixer, SilenceFadesWhatSoundsDropsWhatWaitsAndLetsLaterStartsPlay) {
    EXPECT_TRUE(mixerIsIdle());
    postSoundStart(level(1, 2));
    EXPECT_FALSE(mixerIsIdle()) << "posted, not yet started";
    EXPECT_EQ(leftAfterMixing(1).back(), 100);
    postSoundStart(level(3, 2));
    silenceMixer();
    postSoundStart(level(7, 2));
    const std::vector<int> left = leftAfterMixing(SOUND_RATE / 100); // 10 ms
    EXPECT_EQ(left.front(), 800) << "the start posted before the silence plays";
    EXPECT_GT(left[64], 700) << "cut, not faded: a click";
    EXPECT_LT(left[64], 800);
    EXPECT_EQ(left.back(), 700);
    EXPECT_FALSE(mixerIsIdle());
    leftAfterMixing(SOUND_RATE);
    EXPECT_TRUE(mixerIsIdle());
}
