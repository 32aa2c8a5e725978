// AVX-512 builds of the blur's column loops, 64 bytes a step (this file alone
// is compiled with -mavx512bw).
#include "overlay/wide_kernels.h"

#include "overlay/blur_kernel.h"
#include "overlay/grid.h"

// GCC 12's own AVX-512 header trips its maybe-uninitialized check (its
// placeholder vectors); nothing of this file's is concerned.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>

namespace {

struct Avx512Ops {
    using Vec = __m512i;
    static constexpr int WIDTH = 64;
    static Vec load(const uint8_t* p) { return _mm512_loadu_si512(p); }
    static void store(uint8_t* p, Vec v) { _mm512_storeu_si512(p, v); }
    static Vec bytes(int v) { return _mm512_set1_epi8(char(v)); }
    static Vec andBits(Vec a, Vec b) { return _mm512_and_si512(a, b); }
    static Vec andNot(Vec a, Vec b) { return _mm512_andnot_si512(a, b); } // ~a & b
    static Vec xorBits(Vec a, Vec b) { return _mm512_xor_si512(a, b); }
    static Vec add(Vec a, Vec b) { return _mm512_add_epi8(a, b); }
    static Vec sub(Vec a, Vec b) { return _mm512_sub_epi8(a, b); }
    static Vec averageUp(Vec a, Vec b) { return _mm512_avg_epu8(a, b); }
    static Vec addSaturated(Vec a, Vec b) { return _mm512_adds_epu8(a, b); }
    static Vec max(Vec a, Vec b) { return _mm512_max_epu8(a, b); }
};

} // namespace

void averageColumnAvx512(const uint8_t* left, const uint8_t* centre, const uint8_t* right,
                         uint8_t* out, int begin, int end, int up, bool addsOne) {
    if (addsOne)
        averageColumnWith<Avx512Ops, true>(left, centre, right, out, begin, end, up);
    else
        averageColumnWith<Avx512Ops, false>(left, centre, right, out, begin, end, up);
}
