// Whole frames of the real frame pass on the 32-bit dummy display: the idle
// title screen, and a match with 1 and with 2000 balls. Set against the
// full-screen blit, they show where a frame stands before the window's own
// costs (the flip, the events) come in; scripts/bench measures those in a
// real window.
#include "bench_display.h"

#include "game/world.h"
#include "shell/frame.h"
#include "ui/display.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void Frame_Title(benchmark::State& state) {
    restOnTitle();
    measureEach(state, [] { runFrame(); });
}
BENCHMARK(Frame_Title)->Unit(benchmark::kMicrosecond);

void Frame_Match(benchmark::State& state) {
    openBenchDisplay();
    std::srand(1);
    removeAllBalls();
    for (int i = 0; i < state.range(0); ++i)
        serveBall(ServeDirection::Free);
    screenState = SCREEN_MATCH;
    matchSlide = 1;
    player1IsHuman = player2IsHuman = false;
    SDL_WarpMouse(600, 420); // at rest inside the window, away from the buttons
    runFrame();
    measureEach(state, [] { runFrame(); });
    removeAllBalls();
}
BENCHMARK(Frame_Match)->Arg(1)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace
