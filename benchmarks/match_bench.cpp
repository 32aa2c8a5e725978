// What one match frame costs against the 16 ms frame budget with 1, 100 and
// 2000 balls in play (moving, colliding and drawing), and what one ball's
// collision pass over the world's 28 rectangles costs.
#include "bench_display.h"

#include "game/collision.h"
#include "game/match_frame.h"
#include "game/world.h"
#include "ui/display.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// Balls spread over the field in a fixed pattern, flying at serve speed in
// many directions; the controls never run, so none of them leaves the field.
void placeBalls(int count, Ball* saved) {
    removeAllBalls();
    for (int i = 0; i < count; i++) {
        const double angle = i * 2.399963; // golden angle: no two alike
        saved[i] = Ball{60.0 + (i * 37) % 520, 80.0 + (i * 53) % 320, 4 * std::cos(angle),
                        4 * std::sin(angle), 5};
        balls[ballCount++] = new Ball(saved[i]);
    }
}

// Speeds grow at every bounce, so the set is put back now and then (outside
// the timed part) to keep every measured frame alike.
constexpr int RESTORE_EVERY = 64;

void Match_Frame(benchmark::State& state) {
    openBenchDisplay();
    static Ball saved[MAX_BALLS];
    const int count = static_cast<int>(state.range(0));
    placeBalls(count, saved);
    screenState = SCREEN_MATCH;
    matchSlide = 1;
    player1IsHuman = player2IsHuman = false;

    int sinceRestore = 0;
    double paused = 0.0;
    const double start = threadNanoseconds();
    for (auto _ : state) {
        if (++sinceRestore == RESTORE_EVERY) {
            state.PauseTiming();
            const double pauseStart = threadNanoseconds();
            for (int i = 0; i < count; i++)
                *balls[i] = saved[i];
            sinceRestore = 0;
            paused += threadNanoseconds() - pauseStart;
            state.ResumeTiming();
        }
        runMatchFrame();
        benchmark::ClobberMemory();
    }
    reportBudgetShare(state, threadNanoseconds() - start - paused);
    removeAllBalls();
}
BENCHMARK(Match_Frame)->Arg(1)->Arg(100)->Arg(2000)->Unit(benchmark::kMicrosecond);

void collideRepeatedly(benchmark::State& state, double startX, double startY, bool contact) {
    openBenchDisplay();
    double probeX = startX, probeY = startY;
    collideBallWithRects(probeX, probeY, 22);
    if ((probeX != startX || probeY != startY) != contact) {
        state.SkipWithError("the ball is not where the case needs it");
        return;
    }
    const double start = threadNanoseconds();
    for (auto _ : state) {
        double x = startX, y = startY;
        collideBallWithRects(x, y, 22);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
    reportBudgetShare(state, threadNanoseconds() - start);
}

// 15 px from the left wall's face (the paddles may have moved in other cases).
void Collide_BallInContact(benchmark::State& state) {
    collideRepeatedly(state, 30, 240, true);
}
BENCHMARK(Collide_BallInContact);

void Collide_BallInOpenField(benchmark::State& state) {
    collideRepeatedly(state, 320, 240, false);
}
BENCHMARK(Collide_BallInOpenField);

} // namespace
