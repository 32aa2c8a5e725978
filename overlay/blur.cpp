// The six blur passes and the wash-out. Each pass turns the previous pass's
// picture into a new one: a pixel at least `distance` from every edge becomes
// the truncated average of the four pixels `distance` away (left, right,
// above, below); every other pixel keeps its sharp value.
//
//   pass       1  2  3  4  5  6
//   distance   3  3  1  1  1  1
//   adds 1     -  y  -  -  -  -     (to the sum, before dividing by 4)
//
// Pass k needs pass k-1's columns up to `distance` ahead, so it runs that many
// columns behind and pass k-1 keeps only its last 2 * distance + 1 columns, in
// a ring: about 27 KB for all six passes instead of two 900 KB grids.
#include "overlay/blur.h"

#include "overlay/wide_kernels.h"
#include "overlay/grid.h"

#include <cstring>

#if defined(__SSE2__)
#include "overlay/blur_kernel.h"

#include <emmintrin.h>
#endif

namespace {

struct Pass {
    int distance;
    bool addsOne;
};
constexpr Pass PASSES[] = {{3, false}, {3, true}, {1, false}, {1, false}, {1, false}, {1, false}};
constexpr int PASS_COUNT = 6;
constexpr int LAST_PASS = PASS_COUNT - 1;

// Pass k works on column (step - LAG[k]): LAG[k] = LAG[k-1] + distance of pass k.
constexpr int LAG[PASS_COUNT] = {0, 3, 4, 5, 6, 7};
// Pass k keeps 2 * (distance of pass k + 1) + 1 columns for pass k + 1, in the
// ring that starts at column RING_START[k] of ringMemory.
constexpr int RING_SIZE[LAST_PASS] = {7, 3, 3, 3, 3};
constexpr int RING_START[LAST_PASS] = {0, 7, 10, 13, 16};
constexpr int RING_COLUMNS = 19;
static_assert(LAG[LAST_PASS] == 7 &&
                  RING_START[LAST_PASS - 1] + RING_SIZE[LAST_PASS - 1] == RING_COLUMNS,
              "the tables follow the passes");

// The rings, with room on both sides for the reads `distance` rows beyond a
// column's ends. Columns are 1,440 bytes, a whole number of 32-byte blocks,
// so every column starts on a block.
constexpr int RING_MARGIN = 64;
alignas(64) uint8_t ringMemory[RING_MARGIN + RING_COLUMNS * GRID_COLUMN_BYTES + RING_MARGIN];

// Column x of pass k's picture: a ring slot, or the washed grid for the last
// pass. Pass 0 reads the sharp grid.
const uint8_t* sharpGrid;
uint8_t* washedGrid;
KernelWidth width;
uint8_t* passColumn(int pass, int x) {
    if (pass == LAST_PASS)
        return washedGrid + x * GRID_COLUMN_BYTES;
    return ringMemory + RING_MARGIN + (RING_START[pass] + x % RING_SIZE[pass]) * GRID_COLUMN_BYTES;
}
const uint8_t* inputColumn(int pass, int x) {
    return pass == 0 ? sharpGrid + x * GRID_COLUMN_BYTES : passColumn(pass - 1, x);
}

#if defined(__SSE2__)
struct Sse2Ops {
    using Vec = __m128i;
    static constexpr int WIDTH = 16;
    static Vec load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const Vec*>(p)); }
    static void store(uint8_t* p, Vec v) { _mm_storeu_si128(reinterpret_cast<Vec*>(p), v); }
    static Vec bytes(int v) { return _mm_set1_epi8(char(v)); }
    static Vec andBits(Vec a, Vec b) { return _mm_and_si128(a, b); }
    static Vec andNot(Vec a, Vec b) { return _mm_andnot_si128(a, b); } // ~a & b
    static Vec xorBits(Vec a, Vec b) { return _mm_xor_si128(a, b); }
    static Vec add(Vec a, Vec b) { return _mm_add_epi8(a, b); }
    static Vec sub(Vec a, Vec b) { return _mm_sub_epi8(a, b); }
    static Vec averageUp(Vec a, Vec b) { return _mm_avg_epu8(a, b); }
    static Vec addSaturated(Vec a, Vec b) { return _mm_adds_epu8(a, b); }
    static Vec max(Vec a, Vec b) { return _mm_max_epu8(a, b); }
};

template <bool ADDS_ONE>
void averageColumnBaseline(const uint8_t* left, const uint8_t* centre, const uint8_t* right,
                           uint8_t* out, int begin, int end, int up) {
    averageColumnWith<Sse2Ops, ADDS_ONE>(left, centre, right, out, begin, end, up);
}

void washOutColumnBaseline(uint8_t* out) {
    static_assert(GRID_COLUMN_BYTES % Sse2Ops::WIDTH == 0, "columns wash out in whole blocks");
    washOutWith<Sse2Ops>(out, GRID_COLUMN_BYTES);
}
#else
template <bool ADDS_ONE>
void averageColumnBaseline(const uint8_t* left, const uint8_t* centre, const uint8_t* right,
                           uint8_t* out, int begin, int end, int up) {
    for (int i = begin; i < end; ++i)
        out[i] = uint8_t((left[i] + right[i] + centre[i - up] + centre[i + up] + ADDS_ONE) >> 2);
}

void washOutColumnBaseline(uint8_t* out) {
    for (int i = 0; i < GRID_COLUMN_BYTES; ++i) {
        const int lifted = out[i] + 50;
        out[i] = uint8_t(lifted < 100 ? 100 : (lifted > 255 ? 255 : lifted));
    }
}
#endif

// The kernels this processor runs best; both give the same bytes.
void averageColumn(const uint8_t* left, const uint8_t* centre, const uint8_t* right, uint8_t* out,
                   int begin, int end, int up, bool addsOne) {
#if defined(RORED_AVX2_KERNELS)
    if (width == KernelWidth::Avx512)
        return averageColumnAvx512(left, centre, right, out, begin, end, up, addsOne);
    if (width == KernelWidth::Avx2)
        return averageColumnAvx2(left, centre, right, out, begin, end, up, addsOne);
#endif
    if (addsOne)
        averageColumnBaseline<true>(left, centre, right, out, begin, end, up);
    else
        averageColumnBaseline<false>(left, centre, right, out, begin, end, up);
}

void washOutColumn(uint8_t* out) {
#if defined(RORED_AVX2_KERNELS)
    if (width >= KernelWidth::Avx2)
        return washOutColumnAvx2(out);
#endif
    washOutColumnBaseline(out);
}

// Pass k's column x: averaged inside the pass's range, sharp elsewhere.
void runPassColumn(int pass, int x) {
    const int d = PASSES[pass].distance;
    const int up = 3 * d; // bytes from a pixel to the one `distance` above it
    const uint8_t* sharp = sharpGrid + x * GRID_COLUMN_BYTES;
    uint8_t* out = passColumn(pass, x);
    if (x < d || x >= GRID_WIDTH - d) {
        std::memcpy(out, sharp, GRID_COLUMN_BYTES);
    } else {
        const uint8_t* left = inputColumn(pass, x - d);
        const uint8_t* centre = inputColumn(pass, x);
        const uint8_t* right = inputColumn(pass, x + d);
        // The whole column in aligned blocks; its first and last `distance`
        // rows are then put back.
        averageColumn(left, centre, right, out, 0, GRID_COLUMN_BYTES, up, PASSES[pass].addsOne);
        std::memcpy(out, sharp, up);
        std::memcpy(out + GRID_COLUMN_BYTES - up, sharp + GRID_COLUMN_BYTES - up, up);
    }
    if (pass == LAST_PASS)
        washOutColumn(out);
}

} // namespace

void blurAndWashOut(const uint8_t* sharp, uint8_t* washed) {
    sharpGrid = sharp;
    washedGrid = washed;
    width = kernelWidth();
    for (int step = 0; step < GRID_WIDTH + LAG[LAST_PASS]; ++step)
        for (int pass = 0; pass < PASS_COUNT; ++pass) {
            const int x = step - LAG[pass];
            if (x >= 0 && x < GRID_WIDTH)
                runPassColumn(pass, x);
        }
}
