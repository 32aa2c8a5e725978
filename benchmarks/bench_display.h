// Shared by the benchmarks: a headless 640x480 32-bit display with the game
// world and theme loaded from Media/ in the working folder, and the share of
// the 16 ms frame budget that a measured piece of work takes.
#pragma once

#include <SDL.h>

#include <benchmark/benchmark.h>

constexpr double FRAME_BUDGET_NS = 16.0e6; // one 16 ms frame

// Opens the dummy-driver display once per process and loads the world and theme.
SDL_Surface* openBenchDisplay();

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
