// What one input update costs against the 16 ms frame budget: with SDL's
// queue empty, as in most frames, and with it full of quick presses and
// releases every frame, so the backlog stays at its bound and each update
// also forces the overflow through. Compare with Floor_FullScreenBlit.
#include "bench_display.h"

#include "input/input.h"

#include <benchmark/benchmark.h>

namespace {

// Taps of two keys and the left button, down and up in turn, until SDL's
// queue takes no more.
void fillQueueWithTaps() {
    const SDLKey keys[] = {SDLK_w, SDLK_ESCAPE};
    for (int i = 0;; i++) {
        SDL_Event e{};
        const bool down = i % 2 == 0;
        if (i % 6 < 4) {
            e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
            e.key.keysym.sym = keys[i % 6 / 2];
        } else {
            e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            e.button.button = SDL_BUTTON_LEFT;
        }
        if (SDL_PushEvent(&e) != 0)
            return;
    }
}

void emptyQueue() {
    SDL_Event e;
    while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_ALLEVENTS) > 0) {
    }
}

// Times updateInput alone, after `fill` has filled the queue; the queue is
// emptied before each fill, as the main loop's quit check does every pass.
template <typename Fill> void measureUpdate(benchmark::State& state, Fill fill) {
    openBenchDisplay();
    measureEachIteration(
        state,
        [&] {
            emptyQueue();
            fill();
        },
        [] { updateInput(); });
}

void Input_UpdateWithEmptyQueue(benchmark::State& state) {
    measureUpdate(state, [] {});
}
BENCHMARK(Input_UpdateWithEmptyQueue)->UseManualTime()->Unit(benchmark::kMicrosecond);

void Input_UpdateWithFullQueueOfTaps(benchmark::State& state) {
    measureUpdate(state, fillQueueWithTaps);
}
BENCHMARK(Input_UpdateWithFullQueueOfTaps)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
