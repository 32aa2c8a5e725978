// The backdrop's softening: six averaging passes over a grid, then the
// wash-out.
#pragma once

#include <cstdint>

// Blurs the grid `sharp` in six passes and washes the result out into the
// grid `washed`; `sharp` is only read. Called by captureSnapshot.
void blurAndWashOut(const uint8_t* sharp, uint8_t* washed);
