// The present step at k = 2, 3 and 4 (a 32-bit game scaled into a window of
// 640k x 480k) against a memcpy of the window's bytes, the least any present
// of that window costs.
#include "bench_display.h"

#include "ui/present.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

SDL_Surface* surface(int w, int h) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0);
}

void Present_Scaled(benchmark::State& state) {
    const int k = int(state.range(0));
    SDL_Surface* game = surface(640, 480);
    SDL_Surface* window = surface(640 * k, 480 * k);
    for (int i = 0; i < game->pitch * game->h; ++i)
        static_cast<Uint8*>(game->pixels)[i] = Uint8(i * 31);
    measureEach(state, [&] { scaleIntoWindow(game, window, k, 0, 0); });
    SDL_FreeSurface(window);
    SDL_FreeSurface(game);
}
BENCHMARK(Present_Scaled)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

void Floor_WindowMemcpy(benchmark::State& state) {
    const size_t bytes = size_t(640 * 480 * 4) * state.range(0) * state.range(0);
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    measureEach(state, [&] {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    });
}
BENCHMARK(Floor_WindowMemcpy)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

} // namespace
