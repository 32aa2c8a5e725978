// The backdrop's softening: six averaging passes over a grid, then the
// wash-out, run as one pipeline across the columns so that every pass works
// on columns still in the first-level cache.
#pragma once

#include <cstdint>

// Blurs the grid `sharp` in six passes and washes the result out into the
// grid `washed`; `sharp` is only read. Called by captureSnapshot.
void blurAndWashOut(const uint8_t* sharp, uint8_t* washed);
