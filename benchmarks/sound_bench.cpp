// What mixing costs: one second of the busiest sound the mixer can make,
// every voice sounding at its own pitch and pan and all of them restarted
// at every device buffer (16 starts and steals each time), the limiter at
// work on the sum; against a memcpy of that second's bytes.
#include "bench_display.h"

#include "audio/device.h"
#include "audio/mixer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>

namespace {

constexpr size_t SECOND_BYTES = SOUND_RATE * 2 * sizeof(int16_t);
int16_t second[SOUND_RATE * 2];
int16_t secondCopy[SOUND_RATE * 2];

void Sound_MixOneSecondOfSixteenVoices(benchmark::State& state) {
    SDL_CloseAudio(); // no device may mix at the same time
    const SoundSamples goal = readSoundFile(AT_FDCWD, "Media/Sound/goal.wav"); // the longest
    if (!goal.data) {
        state.SkipWithError("no Media/Sound/goal.wav in the working folder");
        return;
    }
    measureEach(state, [&goal] {
        for (int done = 0; done < SOUND_RATE; done += SOUND_BUFFER_FRAMES) {
            for (int v = 0; v < MAX_VOICES; v++) {
                SoundStart start;
                start.sound = goal;
                start.step = 0x10000 + v * 0x2000; // up to 2.9 times the pitch
                start.gainLeft = float(v) / MAX_VOICES;
                start.gainRight = 1.0f - start.gainLeft;
                postSoundStart(start);
            }
            mixSound(second + 2 * done, std::min(SOUND_BUFFER_FRAMES, SOUND_RATE - done));
        }
        benchmark::DoNotOptimize(second);
    });
}
BENCHMARK(Sound_MixOneSecondOfSixteenVoices)->Unit(benchmark::kMicrosecond);

void Floor_MemcpyOneSecondOfSound(benchmark::State& state) {
    measureEach(state, [] {
        std::memcpy(secondCopy, second, SECOND_BYTES);
        benchmark::DoNotOptimize(secondCopy);
    });
}
BENCHMARK(Floor_MemcpyOneSecondOfSound)->Unit(benchmark::kMicrosecond);

} // namespace
