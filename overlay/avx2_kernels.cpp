// AVX2 builds of the overlay's pixel loops (this file alone is compiled with
// -mavx2). The blur takes 32 bytes a step; the moves between 4-byte rows and
// 3-byte grid columns turn 4x4 blocks of pixels with byte shuffles.
#include "overlay/wide_kernels.h"

#include "overlay/blur_kernel.h"
#include "overlay/grid.h"

#include <immintrin.h>

namespace {

struct Avx2Ops {
    using Vec = __m256i;
    static constexpr int WIDTH = 32;
    static Vec load(const uint8_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const Vec*>(p));
    }
    static void store(uint8_t* p, Vec v) { _mm256_storeu_si256(reinterpret_cast<Vec*>(p), v); }
    static Vec bytes(int v) { return _mm256_set1_epi8(char(v)); }
    static Vec andBits(Vec a, Vec b) { return _mm256_and_si256(a, b); }
    static Vec andNot(Vec a, Vec b) { return _mm256_andnot_si256(a, b); } // ~a & b
    static Vec xorBits(Vec a, Vec b) { return _mm256_xor_si256(a, b); }
    static Vec add(Vec a, Vec b) { return _mm256_add_epi8(a, b); }
    static Vec sub(Vec a, Vec b) { return _mm256_sub_epi8(a, b); }
    static Vec averageUp(Vec a, Vec b) { return _mm256_avg_epu8(a, b); }
    static Vec addSaturated(Vec a, Vec b) { return _mm256_adds_epu8(a, b); }
    static Vec max(Vec a, Vec b) { return _mm256_max_epu8(a, b); }
};

// Rows of a 4x4 block of 32-bit values become its columns.
inline void transpose4x4(__m128i& a, __m128i& b, __m128i& c, __m128i& d) {
    const __m128i ab0 = _mm_unpacklo_epi32(a, b), cd0 = _mm_unpacklo_epi32(c, d);
    const __m128i ab1 = _mm_unpackhi_epi32(a, b), cd1 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab0, cd0);
    b = _mm_unpackhi_epi64(ab0, cd0);
    c = _mm_unpacklo_epi64(ab1, cd1);
    d = _mm_unpackhi_epi64(ab1, cd1);
}

// Four pixels B, G, R, X (memory order) to R, G, B and back. (Functions, not
// constants: nothing in this unit may run before the processor is checked.)
inline __m128i toGrid() {
    return _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
}
inline __m128i toPixels() {
    return _mm_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1);
}

// Twelve bytes of a grid column; `whole` stores and loads the four bytes after
// them too, which belong to the next rows of the same column.
inline void storeTwelve(uint8_t* p, __m128i v, bool whole) {
    if (whole) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
        return;
    }
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), v);
    const int last = _mm_cvtsi128_si32(_mm_srli_si128(v, 8));
    __builtin_memcpy(p + 8, &last, 4);
}
inline __m128i loadTwelve(const uint8_t* p, bool whole) {
    if (whole)
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    int last;
    __builtin_memcpy(&last, p + 8, 4);
    return _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)),
                              _mm_cvtsi32_si128(last));
}

// Blocks of 4x4 pixels, in strips of 16 columns so the rows read stay in the cache.
constexpr int STRIP = 16;
constexpr int LAST_BLOCK_ROW = GRID_HEIGHT - 4; // its four bytes past are the next column's

} // namespace

void averageColumnAvx2(const uint8_t* left, const uint8_t* centre, const uint8_t* right,
                       uint8_t* out, int begin, int end, int up, bool addsOne) {
    if (addsOne)
        averageColumnWith<Avx2Ops, true>(left, centre, right, out, begin, end, up);
    else
        averageColumnWith<Avx2Ops, false>(left, centre, right, out, begin, end, up);
}

void washOutColumnAvx2(uint8_t* column) {
    static_assert(GRID_COLUMN_BYTES % Avx2Ops::WIDTH == 0, "columns wash out in whole blocks");
    washOutWith<Avx2Ops>(column, GRID_COLUMN_BYTES);
}

void readUsualPixelsAvx2(const uint8_t* pixels, int pitch, uint8_t* grid) {
    const __m128i shuffle = toGrid();
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += STRIP)
        for (int y = 0; y < GRID_HEIGHT; y += 4) {
            const uint8_t* row = pixels + y * pitch;
            const bool whole = y != LAST_BLOCK_ROW;
            for (int x = x0; x < x0 + STRIP; x += 4) {
                __m128i r[4];
                for (int k = 0; k < 4; ++k)
                    r[k] =
                        _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + k * pitch + 4 * x));
                transpose4x4(r[0], r[1], r[2], r[3]);
                for (int k = 0; k < 4; ++k)
                    storeTwelve(grid + (x + k) * GRID_COLUMN_BYTES + 3 * y,
                                _mm_shuffle_epi8(r[k], shuffle), whole);
            }
        }
}

void packUsualPixelsAvx2(const uint8_t* grid, uint8_t* pixels, int pitch, uint32_t alphaBits) {
    const __m128i alpha = _mm_set1_epi32(int(alphaBits)), shuffle = toPixels();
    for (int x0 = 0; x0 < GRID_WIDTH; x0 += STRIP)
        for (int y = 0; y < GRID_HEIGHT; y += 4) {
            uint8_t* row = pixels + y * pitch;
            const bool whole = y != LAST_BLOCK_ROW;
            for (int x = x0; x < x0 + STRIP; x += 4) {
                __m128i c[4];
                for (int k = 0; k < 4; ++k)
                    c[k] = _mm_or_si128(
                        _mm_shuffle_epi8(
                            loadTwelve(grid + (x + k) * GRID_COLUMN_BYTES + 3 * y, whole), shuffle),
                        alpha);
                transpose4x4(c[0], c[1], c[2], c[3]);
                for (int k = 0; k < 4; ++k)
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + k * pitch + 4 * x), c[k]);
            }
        }
}
