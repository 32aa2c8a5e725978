// The benchmarks' display, their match frame and their frame-budget counter.
#include "bench_display.h"

#include "audio/sound.h"
#include "game/world.h"
#include "overlay/state.h"
#include "overlay/transition.h"
#include "shell/frame.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s failed: %s\n", what, SDL_GetError());
    std::exit(1);
}

} // namespace

SDL_Surface* openBenchDisplay(int depth) {
    if (screen && screen->format->BitsPerPixel == depth)
        return screen;
    if (!screen) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (SDL_Init(SDL_INIT_VIDEO) != 0)
            fail("SDL_Init");
        if (!(screen = SDL_SetVideoMode(640, 480, depth, SDL_DOUBLEBUF)))
            fail("SDL_SetVideoMode");
        loadGameWorld();
        loadTheme();
        return screen;
    }
    if (!(screen = SDL_SetVideoMode(640, 480, depth, SDL_DOUBLEBUF)))
        fail("SDL_SetVideoMode");
    SDL_FreeSurface(snapshotSurface);
    SDL_FreeSurface(backdropSurface);
    snapshotSurface = SDL_DisplayFormat(screen);
    backdropSurface = SDL_DisplayFormat(screen);
    return screen;
}

void openBenchSound() {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "23", 1); // ms per 1024-frame buffer: real time
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        fail("SDL_InitSubSystem");
    startSound(AT_FDCWD);
}

void drawMatchFrame() {
    constexpr int BALLS = 8, FRAMES = 60;
    std::srand(1);
    removeAllBalls();
    for (int i = 0; i < BALLS; ++i)
        serveBall(ServeDirection::Free);
    screenState = SCREEN_MATCH;
    player1IsHuman = player2IsHuman = false;
    for (int frame = 0; frame < FRAMES; ++frame)
        runFrame();
}

void captureMatchFrame(int depth) {
    openBenchDisplay(32);
    drawMatchFrame();
    SDL_Surface* frame = SDL_DisplayFormat(screen);
    openBenchDisplay(depth);
    SDL_BlitSurface(frame, nullptr, screen, nullptr);
    SDL_FreeSurface(frame);
    captureSnapshot();
}

void restOnTitle() {
    openBenchDisplay();
    removeAllBalls();
    screenState = SCREEN_TITLE;
    overlayAmount = OVERLAY_CLOSED;
    overlayOpen = false;
    SDL_WarpMouse(600, 420);
    runFrame();
}

double threadNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e9 + now.tv_nsec;
}

void reportBudgetShare(benchmark::State& state, double spentNs) {
    state.counters["budget_%"] = 100.0 * spentNs / double(state.iterations()) / FRAME_BUDGET_NS;
}
