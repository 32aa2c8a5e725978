// The benchmarks' display and their frame-budget counter.
#include "bench_display.h"

#include "game/world.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

SDL_Surface* openBenchDisplay() {
    if (screen)
        return screen;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL_Init failed: %s\n", SDL_GetError());
        std::exit(1);
    }
    screen = SDL_SetVideoMode(640, 480, 32, SDL_DOUBLEBUF);
    if (!screen) {
        std::fprintf(stderr, "SDL_SetVideoMode failed: %s\n", SDL_GetError());
        std::exit(1);
    }
    loadGameWorld();
    loadTheme();
    return screen;
}

double threadNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e9 + now.tv_nsec;
}

void reportBudgetShare(benchmark::State& state, double spentNs) {
    state.counters["budget_%"] = 100.0 * spentNs / double(state.iterations()) / FRAME_BUDGET_NS;
}
