// Whole frames of the real frame pass on the 32-bit dummy display: the idle
// title screen, and a match with 1 and with 2000 balls (and with 2000 balls
// and sound on). Set against the
// full-screen blit, they show where a frame stands before the window's own
// costs (the flip, the events) come in; scripts/bench measures those in a
// real window.
#include "bench_display.h"

#include "audio/sound.h"
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

// A computer-against-computer match of `balls` balls, its first frame drawn.
void startMatch(int balls) {
    openBenchDisplay();
    std::srand(1);
    removeAllBalls();
    for (int i = 0; i < balls; ++i)
        serveBall(ServeDirection::Free);
    screenState = SCREEN_MATCH;
    matchSlide = 1;
    player1IsHuman = player2IsHuman = false;
    SDL_WarpMouse(600, 420); // at rest inside the window, away from the buttons
    runFrame();
}

void Frame_Match(benchmark::State& state) {
    startMatch(int(state.range(0)));
    measureEach(state, [] { runFrame(); });
    removeAllBalls();
}
BENCHMARK(Frame_Match)->Arg(1)->Arg(2000)->Unit(benchmark::kMicrosecond);

// The 2000-ball frame with sound on, posting 2000 hits besides the frame's
// own contacts: wall hits across the field and paddle hits at 25 pitches, so
// a frame's starts fill up and merge as much as they can. Its floor is
// Frame_Match/2000, the same frame without sound.
void Frame_MatchPosting2000Hits(benchmark::State& state) {
    startMatch(MAX_BALLS);
    openBenchSound();
    measureEach(state, [] {
        for (int i = 0; i < 2000; ++i) {
            if (i % 2)
                playSound(SOUND_PADDLE, panForX(i % 640), i % 25);
            else
                playSound(SOUND_WALL, panForX(i % 640));
        }
        runFrame();
    });
    removeAllBalls();
    SDL_CloseAudio();
}
BENCHMARK(Frame_MatchPosting2000Hits)->Unit(benchmark::kMicrosecond);

} // namespace
