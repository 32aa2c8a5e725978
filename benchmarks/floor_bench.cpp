// The floors every other figure is measured against in the same run: one
// full-screen blit of an opaque picture (what the bare SDL program does each
// frame) and a memcpy of the same 1,228,800 bytes (the memory's pace).
#include "bench_display.h"

#include "ui/display.h"

#include <benchmark/benchmark.h>

#include <SDL_image.h>

#include <cstring>

namespace {

// A copy runs at a pace that depends on where its source lies against its
// destination (the processor mistakes addresses 4 KB apart for each other),
// by up to three times here. Each repetition loads its own copy of the
// picture, somewhere else in memory, so the median over repetitions is the
// blit of a typical placement.
void Floor_FullScreenBlit(benchmark::State& state) {
    openBenchDisplay();
    SDL_Surface* loaded = IMG_Load("Media/Game/background.png");
    SDL_Surface* picture = loaded ? SDL_DisplayFormat(loaded) : nullptr;
    SDL_FreeSurface(loaded);
    if (!picture) {
        state.SkipWithError("no Media/Game/background.png in the working folder");
        return;
    }
    measureEach(state, [picture] { SDL_BlitSurface(picture, nullptr, screen, nullptr); });
    SDL_FreeSurface(picture);
}
BENCHMARK(Floor_FullScreenBlit)->Unit(benchmark::kMicrosecond);

constexpr size_t SCREEN_BYTES = 640 * 480 * 4;
uint8_t copyFrom[SCREEN_BYTES], copyTo[SCREEN_BYTES];

void Floor_Memcpy(benchmark::State& state) {
    measureEach(state, [] {
        std::memcpy(copyTo, copyFrom, SCREEN_BYTES);
        benchmark::DoNotOptimize(copyTo);
    });
}
BENCHMARK(Floor_Memcpy)->Unit(benchmark::kMicrosecond);

} // namespace
