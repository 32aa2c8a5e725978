// The blended blit's rows for processors with AVX2, eight pixels a step (this
// file alone in the interface kit is compiled with -mavx2).
#include "ui/alpha_blit.h"

#include "ui/blend_kernel.h"

#include <immintrin.h>

namespace {

struct Avx2Ops {
    using Vec = __m256i;
    static constexpr int PIXELS = 8;
    static Vec load(const uint32_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const Vec*>(p));
    }
    static void store(uint32_t* p, Vec v) { _mm256_storeu_si256(reinterpret_cast<Vec*>(p), v); }
    // The first `count` pixels (fewer than 8); the rest read as clear.
    static Vec firstPixels(int count) {
        return _mm256_cmpgt_epi32(_mm256_set1_epi32(count),
                                  _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    }
    static Vec loadPartial(const uint32_t* p, int count) {
        return _mm256_maskload_epi32(reinterpret_cast<const int*>(p), firstPixels(count));
    }
    static void storePartial(uint32_t* p, Vec v, int count) {
        _mm256_maskstore_epi32(reinterpret_cast<int*>(p), firstPixels(count), v);
    }
    static Vec zero() { return _mm256_setzero_si256(); }
    static Vec words32(uint32_t v) { return _mm256_set1_epi32(int(v)); }
    static Vec words16(int v) { return _mm256_set1_epi16(short(v)); }
    static Vec andBits(Vec a, Vec b) { return _mm256_and_si256(a, b); }
    static bool allEqual32(Vec a, Vec b) {
        return _mm256_movemask_epi8(_mm256_cmpeq_epi32(a, b)) == -1;
    }
    static Vec lowBytes(Vec v) { return _mm256_unpacklo_epi8(v, _mm256_setzero_si256()); }
    static Vec highBytes(Vec v) { return _mm256_unpackhi_epi8(v, _mm256_setzero_si256()); }
    static Vec alphaOfEachPixel(Vec v) {
        return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(v, _MM_SHUFFLE(3, 3, 3, 3)),
                                      _MM_SHUFFLE(3, 3, 3, 3));
    }
    static Vec add16(Vec a, Vec b) { return _mm256_add_epi16(a, b); }
    static Vec sub16(Vec a, Vec b) { return _mm256_sub_epi16(a, b); }
    static Vec multiply16(Vec a, Vec b) { return _mm256_mullo_epi16(a, b); }
    static Vec shiftRight16(Vec v, int bits) { return _mm256_srli_epi16(v, bits); }
    static Vec pack16(Vec low, Vec high) { return _mm256_packus_epi16(low, high); }
    static Vec add8(Vec a, Vec b) { return _mm256_add_epi8(a, b); }
};

} // namespace

void blendRowAvx2(const uint32_t* s, uint32_t* d, int count) {
    blendRowWith<Avx2Ops>(s, d, count);
}
