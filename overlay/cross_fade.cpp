// The cross-fade. On screens whose channels are whole bytes the fade mixes
// the raw bytes of the frozen frame and of a packed copy of the backdrop, row
// by row, which is the same as mixing the grids channel by channel and packing
// the result (the unused fourth byte of a pixel is mixed too, and means
// nothing). Every other screen mixes the grids and packs the result through
// its own format, palettized screens through the palette lookup.
#include "overlay/cross_fade.h"

#include "overlay/grid.h"
#include "overlay/grid_io.h"
#include "overlay/pixels.h"
#include "ui/display.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int MAX_BYTES_PER_PIXEL = 4;
constexpr int MAX_ROW_BYTES = GRID_WIDTH * MAX_BYTES_PER_PIXEL;

// The backdrop as packed into the screen's format, rows of 640 pixels.
uint8_t backdropRows[GRID_HEIGHT * MAX_ROW_BYTES];
int backdropRowBytes = 0; // 0 while no packed backdrop is kept

// The grids' fade, before it is packed into a screen of another kind.
uint8_t crossFadePixels[GRID_BYTES];

bool coversGrid(const SDL_Surface* surface) {
    return surface && surface->w >= GRID_WIDTH && surface->h >= GRID_HEIGHT;
}

// out = (b * t + s * (100 - t)) / 100 for `count` bytes. The weighted sum is
// at most 25,500: it fits 16 bits, and (n * 5243) >> 19 equals n / 100 for
// every n up to 43,698.
void mixBytes(const uint8_t* s, const uint8_t* b, uint8_t* out, int count, int t) {
    int i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i backdropWeight = _mm_set1_epi16(int16_t(t));
    const __m128i sharpWeight = _mm_set1_epi16(int16_t(100 - t));
    const __m128i reciprocal = _mm_set1_epi16(5243);
    const auto mixHalf = [&](__m128i s16, __m128i b16) {
        const __m128i sum =
            _mm_add_epi16(_mm_mullo_epi16(b16, backdropWeight), _mm_mullo_epi16(s16, sharpWeight));
        return _mm_srli_epi16(_mm_mulhi_epu16(sum, reciprocal), 3);
    };
    for (; i + 16 <= count; i += 16) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i bv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
        const __m128i low = mixHalf(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(bv, zero));
        const __m128i high = mixHalf(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(bv, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
#endif
    for (; i < count; ++i)
        out[i] = uint8_t((b[i] * t + s[i] * (100 - t)) / 100);
}

bool canMixRawBytes(const SDL_Surface* sharp) {
    return backdropRowBytes != 0 && coversGrid(sharp) &&
           sharp->format->BytesPerPixel == screen->format->BytesPerPixel &&
           backdropRowBytes == GRID_WIDTH * screen->format->BytesPerPixel &&
           hasByteChannels(screen->format);
}

} // namespace

void keepBackdropForFades(const SDL_Surface* backdrop) {
    backdropRowBytes = 0;
    if (!coversGrid(backdrop) || !hasByteChannels(backdrop->format))
        return;
    const int rowBytes = GRID_WIDTH * backdrop->format->BytesPerPixel;
    for (int y = 0; y < GRID_HEIGHT; ++y)
        std::memcpy(backdropRows + y * rowBytes,
                    static_cast<const uint8_t*>(backdrop->pixels) + y * backdrop->pitch, rowBytes);
    backdropRowBytes = rowBytes;
}

void drawCrossFade(int t, const SDL_Surface* sharp, const uint8_t* sharpGrid,
                   const uint8_t* backdropGrid) {
    if (canMixRawBytes(sharp)) {
        SurfaceLock lock(const_cast<SDL_Surface*>(sharp));
        if (lock.ok()) {
            for (int y = 0; y < GRID_HEIGHT; ++y)
                mixBytes(static_cast<const uint8_t*>(sharp->pixels) + y * sharp->pitch,
                         backdropRows + y * backdropRowBytes,
                         static_cast<uint8_t*>(screen->pixels) + y * screen->pitch,
                         backdropRowBytes, t);
            return;
        }
    }
    mixBytes(sharpGrid, backdropGrid, crossFadePixels, GRID_BYTES, t);
    packGridIntoRows(crossFadePixels, rowsOf(screen), 0); // no alpha bits on the screen
}
