// The game's hot pixel loops: the blended blit's rows, the blur's averages and
// wash-out, the cross-fade's mix and the moves between 4-byte pixels and the
// overlay's grids. Each is written once over Highway's portable vector
// operations and built for AVX-512, AVX2, SSSE3 (on ARM, NEON and SVE) and a
// portable one-lane build; the first call picks the widest this processor
// runs. Every build gives the same bytes.
#pragma once

#include <cstdint>
#include <vector>

// One row of `count` pixels with alpha in bits 24..31 over pixels with the
// same colour bytes: each byte d + (s - d) * a / 256 rounded down, s itself at
// alpha 255. Called by the blended blit.
void blendRow(const uint32_t* source, uint32_t* target, int count);

// out[i] = (left[i] + right[i] + above[i] + below[i] + (addsOne ? 1 : 0)) / 4,
// truncated, for i in [0, count). Called by the blur for each column.
void averageOfFour(const uint8_t* left, const uint8_t* right, const uint8_t* above,
                   const uint8_t* below, uint8_t* out, int count, bool addsOne);

// Each byte v becomes min(max(v + 50, 100), 255). Called by the blur.
void washOut(uint8_t* bytes, int count);

// out[i] = (backdrop[i] * t + sharp[i] * (100 - t)) / 100, truncated, t in
// 0..100. Called by the cross-fade.
void mixBytes(const uint8_t* sharp, const uint8_t* backdrop, uint8_t* out, int count, int t);

// Where a 4-byte pixel keeps its red, green and blue bytes (0..3, lowest first).
struct ByteChannels {
    int r, g, b;
};

// Rows of 4-byte pixels to a column-major grid of R, G, B bytes (all of
// column 0 top to bottom, then column 1, ...) and back, adding `alphaBits` to
// every pixel written; `width` is a multiple of 16, `height` of 4. False,
// having done nothing, in the one-lane portable build: then the caller moves
// the pixels one by one. Called by the overlay on screens whose channels are
// whole bytes of 4-byte pixels.
bool readPixelsIntoGrid(const uint8_t* pixels, int pitch, ByteChannels channels, int width,
                        int height, uint8_t* grid);
bool packGridIntoPixels(const uint8_t* grid, int width, int height, ByteChannels channels,
                        uint32_t alphaBits, uint8_t* pixels, int pitch);

// --- Instruction sets, for tests and tools --------------------------------------
// Highway's bits for the instruction sets these loops are built for, widest
// first; the last, the portable baseline, runs on every processor.
std::vector<int64_t> pixelKernelTargets();
// Whether this processor runs a target.
bool pixelKernelTargetRuns(int64_t target);
// From now on runs only `target` (which must run here), or the widest again
// for 0.
void usePixelKernelTarget(int64_t target);
// The name of the build the loops run now ("AVX2", "EMU128", ...) as the
// build itself reports it, and of any target.
const char* pixelKernelTargetInUse();
const char* pixelKernelTargetName(int64_t target);
