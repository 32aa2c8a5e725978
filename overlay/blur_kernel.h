// The blur's column kernels, written once over a set of vector operations
// (`Ops`: 16-byte SSE2 or 32-byte AVX2) and compiled in each unit that gives
// one. Everything here has internal linkage, so code built for AVX2 never
// stands in for the baseline's.
#pragma once

#include <cstdint>

namespace {

// floor((a + b + c + d + addsOne) / 4) on bytes, without widening. Each pair's
// sum is 2h + l, h its floor average and l its odd bit; the four add up to
// 2(h1 + h2) + l1 + l2, so halving h1 + h2 once more, rounded by the odd bits,
// gives the result. A pair with an odd sum has h <= 254, so none of the byte
// additions below can overflow.
template <class Ops, bool ADDS_ONE>
inline typename Ops::Vec averageOfFour(typename Ops::Vec a, typename Ops::Vec b,
                                       typename Ops::Vec c, typename Ops::Vec d) {
    using V = typename Ops::Vec;
    const V ones = Ops::bytes(1);
    const V l1 = Ops::andBits(Ops::xorBits(a, b), ones);
    const V l2 = Ops::andBits(Ops::xorBits(c, d), ones);
    const V h1 = Ops::sub(Ops::averageUp(a, b), l1); // the average rounds up
    const V h2 = Ops::sub(Ops::averageUp(c, d), l2);
    V x = h1, y;
    if (ADDS_ONE) { // one odd bit is enough to round the last halving up
        x = Ops::add(h1, l1);
        y = Ops::add(h2, Ops::andNot(l1, l2));
    } else { // both odd bits make one more unit
        y = Ops::add(h2, Ops::andBits(l1, l2));
    }
    return Ops::sub(Ops::averageUp(x, y), Ops::andBits(Ops::xorBits(x, y), ones));
}

// out[i] for i in [begin, end): the average of left[i], right[i], centre[i -
// up] and centre[i + up]. The last block overlaps the one before it, which
// gives the same bytes again, so no scalar tail is needed (end - begin >= the
// vector width).
template <class Ops, bool ADDS_ONE>
void averageColumnWith(const uint8_t* left, const uint8_t* centre, const uint8_t* right,
                       uint8_t* out, int begin, int end, int up) {
    const auto averageAt = [&](int i) {
        Ops::store(out + i, averageOfFour<Ops, ADDS_ONE>(Ops::load(left + i), Ops::load(right + i),
                                                         Ops::load(centre + i - up),
                                                         Ops::load(centre + i + up)));
    };
    int i = begin;
    for (; i + Ops::WIDTH <= end; i += Ops::WIDTH)
        averageAt(i);
    if (i < end)
        averageAt(end - Ops::WIDTH);
}

// v -> min(max(v + 50, 100), 255): dark channels settle on 100, the rest are
// lifted by 50 and clipped. `bytes` is a multiple of the vector width.
template <class Ops> void washOutWith(uint8_t* column, int bytes) {
    const typename Ops::Vec lift = Ops::bytes(50), floor = Ops::bytes(100);
    for (int i = 0; i < bytes; i += Ops::WIDTH)
        Ops::store(column + i, Ops::max(Ops::addSaturated(Ops::load(column + i), lift), floor));
}

} // namespace
