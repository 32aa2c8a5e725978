// The floors every other figure is measured against in the same run: one
// full-screen blit of an opaque picture (what the bare SDL program does each
// frame) and a memcpy of the same 1,228,800 bytes (the memory's pace).
#include "bench_display.h"

#include "ui/display.h"

#include <benchmark/benchmark.h>

#include <SDL_image.h>

#include <cstring>

namespace {

void Floor_FullScreenBlit(benchmark::State& state) {
    openBenchDisplay();
    SDL_Surface* loaded = IMG_Load("Media/Game/background.png");
    SDL_Surface* picture = loaded ? SDL_DisplayFormat(loaded) : nullptr;
    if (!picture) {
        state.SkipWithError("no Media/Game/background.png in the working folder");
        return;
    }
    measureEach(state, [picture] { SDL_BlitSurface(picture, nullptr, screen, nullptr); });
    SDL_FreeSurface(picture);
    SDL_FreeSurface(loaded);
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
