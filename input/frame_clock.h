// Frame pacing: each pass of the main loop lasts at least FRAME_MS.
#pragma once

#include <cstdint>

constexpr int32_t FRAME_MS = 16;

// Milliseconds to sleep at the end of a pass that began at tick `passStart`
// when the clock now reads `now`: 0 to FRAME_MS. Elapsed time is the signed
// 32-bit difference, so the wrap of the tick counter is harmless. Called at
// the end of each pass of the main loop.
uint32_t frameDelay(uint32_t passStart, uint32_t now);
