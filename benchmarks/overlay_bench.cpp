// What the pause overlay's picture work costs, on a frame of a match as the
// game draws it: the capture (once per opening), one cross-fade frame on a
// 32-bit and on an 8-bit palettized screen, and the fully open frame.
#include "bench_display.h"

#include "overlay/driver.h"
#include "overlay/transition.h"
#include "ui/display.h"

#include <benchmark/benchmark.h>

namespace {

void Overlay_Capture(benchmark::State& state) {
    captureMatchFrame(32);
    measureEach(state, [] { captureSnapshot(); });
}
BENCHMARK(Overlay_Capture)->Unit(benchmark::kMicrosecond);

void Overlay_CrossFade(benchmark::State& state) {
    captureMatchFrame(int(state.range(0)));
    overlayAmount = 50.0;
    measureEach(state, [] { drawBackdrop(); });
}
BENCHMARK(Overlay_CrossFade)->Arg(32)->Arg(8)->Unit(benchmark::kMicrosecond);

void Overlay_FullyOpen(benchmark::State& state) {
    captureMatchFrame(32);
    overlayAmount = OVERLAY_FULL;
    measureEach(state, [] { drawBackdrop(); });
}
BENCHMARK(Overlay_FullyOpen)->Unit(benchmark::kMicrosecond);

} // namespace
