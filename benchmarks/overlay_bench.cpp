// What the pause overlay's picture work costs against one 16 ms frame: the
// capture (once per opening), a cross-fade frame, the fully open frame, and a
// plain full-screen blit as the floor that nothing full-screen can beat.
#include "bench_display.h"

#include "overlay/driver.h"
#include "overlay/transition.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <benchmark/benchmark.h>

namespace {

// A busy picture, so that no pass can profit from flat areas.
void drawBusyScreen() {
    for (int y = 0; y < SCREEN_HEIGHT; y += 4)
        for (int x = 0; x < SCREEN_WIDTH; x += 4) {
            SDL_Rect cell = {Sint16(x), Sint16(y), 4, 4};
            SDL_FillRect(
                screen, &cell,
                SDL_MapRGB(screen->format, uint8_t(x * 7 + y), uint8_t(y * 3 - x), uint8_t(x ^ y)));
        }
}

// Runs `work` once per iteration and reports its share of one 16 ms frame.
template <typename Work> void measure(benchmark::State& state, Work work) {
    double spent = 0.0;
    for (auto _ : state) {
        const double start = threadNanoseconds();
        work();
        benchmark::ClobberMemory();
        spent += threadNanoseconds() - start;
    }
    reportBudgetShare(state, spent);
}

void Overlay_CaptureSnapshot(benchmark::State& state) {
    openBenchDisplay();
    drawBusyScreen();
    measure(state, [] { captureSnapshot(); });
}
BENCHMARK(Overlay_CaptureSnapshot)->Unit(benchmark::kMicrosecond);

void Overlay_CrossFadeAt50(benchmark::State& state) {
    openBenchDisplay();
    drawBusyScreen();
    captureSnapshot();
    overlayAmount = 50.0;
    measure(state, [] { drawBackdrop(); });
}
BENCHMARK(Overlay_CrossFadeAt50)->Unit(benchmark::kMicrosecond);

void Overlay_BackdropFullyOpen(benchmark::State& state) {
    openBenchDisplay();
    drawBusyScreen();
    captureSnapshot();
    overlayAmount = OVERLAY_FULL;
    measure(state, [] { drawBackdrop(); });
}
BENCHMARK(Overlay_BackdropFullyOpen)->Unit(benchmark::kMicrosecond);

void Overlay_FullScreenBlitFloor(benchmark::State& state) {
    openBenchDisplay();
    drawBusyScreen();
    measure(state, [] { SDL_BlitSurface(snapshotSurface, nullptr, screen, nullptr); });
}
BENCHMARK(Overlay_FullScreenBlitFloor)->Unit(benchmark::kMicrosecond);

} // namespace
