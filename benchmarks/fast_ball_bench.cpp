// What one match frame costs against the 16 ms frame budget with one ball
// at the serve's pace, at the longest single step (20 px per frame), and at
// paces of 100 and 1600 px per frame, which take 5 and 80 steps a frame
// (long refereed rallies reach about 1600). Compare with
// Floor_FullScreenBlit of the same run.
#include "bench_display.h"

#include "game/match_frame.h"
#include "game/world.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void Match_FrameWithOneBallAtPace(benchmark::State& state) {
    openBenchDisplay();
    screenState = SCREEN_MATCH;
    matchSlide = 1;
    removeAllBalls();
    balls[ballCount++] = new Ball{};
    // Steeply across the field: at 1600 px it bounces between the walls some
    // five times a frame and moves 113 px along, short of a goal line, where
    // it would stop.
    const double pace = double(state.range(0));
    constexpr double STEEP = 1.5; // radians from the horizontal
    const Ball start{FIELD_CENTRE_X, FIELD_CENTRE_Y, pace * std::cos(STEEP), pace * std::sin(STEEP),
                     pace};
    // Every frame alike: the speed gain would add up.
    measureEachIteration(
        state, [&] { *balls[0] = start; }, [] { runMatchFrame(); });
    removeAllBalls();
}
BENCHMARK(Match_FrameWithOneBallAtPace)
    ->Arg(4)
    ->Arg(20)
    ->Arg(100)
    ->Arg(1600)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
