// The overlay's pixel loops for processors with AVX2 and AVX-512, each built
// in a unit of its own for its instructions. Callers ask kernelWidth() first;
// elsewhere the baseline loops run, which give the same bytes.
#pragma once

#include "ui/cpu.h"

#include <cstdint>

#if defined(RORED_AVX2_KERNELS)
// The blur's average of four (see blur_kernel.h), over [begin, end) of a column.
void averageColumnAvx2(const uint8_t* left, const uint8_t* centre, const uint8_t* right,
                       uint8_t* out, int begin, int end, int up, bool addsOne);
// The same, 64 bytes a step, built for AVX-512.
void averageColumnAvx512(const uint8_t* left, const uint8_t* centre, const uint8_t* right,
                         uint8_t* out, int begin, int end, int up, bool addsOne);
// The wash-out of one grid column.
void washOutColumnAvx2(uint8_t* column);

// A 640x480 picture of 4-byte pixels that keep R, G, B in bytes 2, 1, 0 of
// their value, into a grid and back (adding `alphaBits` to every pixel).
void readUsualPixelsAvx2(const uint8_t* pixels, int pitch, uint8_t* grid);
void packUsualPixelsAvx2(const uint8_t* grid, uint8_t* pixels, int pitch, uint32_t alphaBits);
#endif
