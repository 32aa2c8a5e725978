// Shared by the benchmarks: a headless 640x480 display with the game world
// and theme loaded from Media/ in the working folder, a frame of a match as
// the game draws it, and the share of the 16 ms frame budget that a measured
// piece of work takes.
#pragma once

#include <SDL.h>

#include <benchmark/benchmark.h>

constexpr double FRAME_BUDGET_NS = 16.0e6; // one 16 ms frame

// Opens the dummy-driver display (32-bit unless asked otherwise) and loads the
// world and theme, once per process. Asked for another depth later, it changes
// the mode and remakes the overlay's work surfaces; the pictures keep the
// format they were loaded in.
SDL_Surface* openBenchDisplay(int depth = 32);

// Opens the sound device on SDL's disk driver, writing into /dev/null in real
// time, and loads the sounds: the game's sound fully on, without a sound card.
// A benchmark that opens it closes it (SDL_CloseAudio) when done, so that the
// game's side of sound goes quiet again for the benchmarks after it.
void openBenchSound();

// Leaves on the screen a frame of a single-player match in full swing: eight
// balls in play after 60 frames of the real frame pass. The same frame every
// time (a fixed random seed).
void drawMatchFrame();

// Leaves on a screen of `depth` bits the frozen match frame of an overlay
// that has just opened over drawMatchFrame's frame (mapped to the palette on
// 8 bits).
void captureMatchFrame(int depth);

// Puts the game on its idle title screen, the pointer at rest inside the
// window away from the buttons.
void restOnTitle();

// Processor time of this thread, the clock of the "CPU" column, which stays
// honest while other work shares the machine.
double threadNanoseconds();

// Reports as "budget_%" the share of one frame that an iteration took, given
// the thread time spent over all iterations.
void reportBudgetShare(benchmark::State& state, double spentNs);

// Runs prepare() untimed, then work() timed on this thread's processor clock,
// every iteration; reports that time as the iteration's own (for benchmarks
// registered with UseManualTime) and as a share of the frame budget.
template <typename Prepare, typename Work>
void measureEachIteration(benchmark::State& state, Prepare prepare, Work work) {
    double spent = 0.0;
    for (auto _ : state) {
        prepare();
        const double start = threadNanoseconds();
        work();
        benchmark::ClobberMemory();
        const double took = threadNanoseconds() - start;
        spent += took;
        state.SetIterationTime(took * 1e-9);
    }
    reportBudgetShare(state, spent);
}

// The same with nothing to prepare.
template <typename Work> void measureEach(benchmark::State& state, Work work) {
    measureEachIteration(
        state, [] {}, work);
}
