// What each build of the pixel loops earns: the overlay's capture, a cross-fade
// frame on a 32-bit and on an 8-bit screen, and an idle title frame (its
// panels, text and pointer blended), each run in every instruction set the
// loops are built for that this processor runs. scripts/bench sets each build
// against the next narrower one. Also what a fade costs on an 8-bit screen
// whose palette is no product of channel levels, where SDL_MapRGB picks
// every pixel's entry.
#include "bench_display.h"

#include "overlay/state.h"
#include "overlay/transition.h"
#include "shell/frame.h"
#include "ui/display.h"
#include "ui/pixel_kernels.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct Figure {
    const char* name;
    void (*prepare)();
    void (*work)();
};
const Figure FIGURES[] = {
    {"Capture", [] { captureMatchFrame(32); }, [] { captureSnapshot(); }},
    {"CrossFade32", [] { captureMatchFrame(32), overlayAmount = 50.0; }, [] { drawBackdrop(); }},
    {"CrossFade8", [] { captureMatchFrame(8), overlayAmount = 50.0; }, [] { drawBackdrop(); }},
    {"Title", restOnTitle, runFrame},
};

const bool registered = [] {
    for (int64_t target : pixelKernelTargets())
        if (pixelKernelTargetRuns(target))
            for (const Figure& figure : FIGURES)
                benchmark::RegisterBenchmark(
                    (std::string("PixelLoops_") + figure.name + "/" + pixelKernelTargetName(target))
                        .c_str(),
                    [target, figure](benchmark::State& state) {
                        usePixelKernelTarget(target);
                        figure.prepare();
                        measureEach(state, figure.work);
                        usePixelKernelTarget(0);
                    })
                    ->Unit(benchmark::kMicrosecond);
    return true;
}();

// Random entries: no channel levels, so no lookup stands in for SDL_MapRGB.
void Overlay_CrossFadeOnAnyPalette(benchmark::State& state) {
    captureMatchFrame(8);
    SDL_Color colours[256];
    for (int i = 0; i < 256; ++i) {
        const uint32_t v = uint32_t(i + 7) * 2654435761u;
        colours[i] = {Uint8(v >> 8), Uint8(v >> 16), Uint8(v >> 24), 0};
    }
    SDL_SetColors(screen, colours, 0, 256);
    overlayAmount = 50.0;
    measureEach(state, [] { drawBackdrop(); });
}
BENCHMARK(Overlay_CrossFadeOnAnyPalette)->Unit(benchmark::kMicrosecond);

} // namespace
