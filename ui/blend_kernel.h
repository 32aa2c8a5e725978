// The blended blit's row loop, written once over a set of vector operations
// (`Ops`: 4 pixels a step in SSE2, 8 in AVX2) and compiled in each unit that
// gives one. Internal linkage only, so code built for AVX2 never stands in
// for the baseline's.
#pragma once

#include <cstdint>

namespace {

// One row of `count` pixels with alpha in their top byte over pixels with the
// same colour bytes. Steps of clear pixels are skipped and steps of opaque
// ones copied; the rest take (s - d) * a >> 8 in 16-bit lanes, whose bits
// 8..15 are that step modulo 256 even when it is negative, with alpha 255
// counted as 256 so that the step is exactly s - d. The unused top byte of a
// screen pixel takes whatever falls out: it is no colour.
template <class Ops> void blendRowWith(const uint32_t* s, uint32_t* d, int count) {
    using V = typename Ops::Vec;
    const V zero = Ops::zero(), alphaBits = Ops::words32(0xff000000u), one = Ops::words16(1);
    const auto stepOf = [&](V s16, V d16) {
        V a = Ops::alphaOfEachPixel(s16);
        a = Ops::add16(a, Ops::shiftRight16(Ops::add16(a, one), 8));
        return Ops::shiftRight16(Ops::multiply16(Ops::sub16(s16, d16), a), 8);
    };
    const auto blendStep = [&](const uint32_t* from, uint32_t* to) {
        const V sv = Ops::load(from);
        const V alpha = Ops::andBits(sv, alphaBits);
        if (Ops::allEqual32(alpha, zero))
            return;
        if (Ops::allEqual32(alpha, alphaBits))
            return Ops::store(to, sv);
        const V dv = Ops::load(to);
        const V step = Ops::pack16(stepOf(Ops::lowBytes(sv), Ops::lowBytes(dv)),
                                   stepOf(Ops::highBytes(sv), Ops::highBytes(dv)));
        Ops::store(to, Ops::add8(dv, step));
    };
    int i = 0;
    for (; i + Ops::PIXELS <= count; i += Ops::PIXELS)
        blendStep(s + i, d + i);
    // The last few pixels take one more step on a partial load and store.
    if (const int rest = count - i) {
        const V sv = Ops::loadPartial(s + i, rest);
        if (Ops::allEqual32(Ops::andBits(sv, alphaBits), zero))
            return;
        const V dv = Ops::loadPartial(d + i, rest);
        const V step = Ops::pack16(stepOf(Ops::lowBytes(sv), Ops::lowBytes(dv)),
                                   stepOf(Ops::highBytes(sv), Ops::highBytes(dv)));
        Ops::storePartial(d + i, Ops::add8(dv, step), rest);
    }
}

} // namespace
