// The pixel loops, written once over Highway's operations. Highway compiles
// this file once per instruction set (foreach_target.h includes it again for
// each), and HWY_DYNAMIC_DISPATCH calls the build of the widest this
// processor runs. Code outside the HWY_NAMESPACE block is built once.
//
// Built for AVX-512, AVX2, SSSE3 and the one-lane portable build. SSE4 is
// left out: it saved no quarter on any figure over SSSE3 (scripts/bench).
#ifndef HWY_DISABLED_TARGETS
#define HWY_DISABLED_TARGETS HWY_SSE4
#endif
#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "ui/pixel_kernels.cpp"
#include <hwy/foreach_target.h>

#include <hwy/highway.h>

#include "ui/pixel_kernels.h"

#include <cstring>

HWY_BEFORE_NAMESPACE();
namespace pixel_kernels {
namespace HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

// --- Blend ----------------------------------------------------------------------
// Pixels with alpha a in their top byte over pixels with the same colour
// bytes, one pixel a lane. Per byte, d + (s - d) * a / 256 rounded down is
// (s * a + d * (256 - a)) / 256, with alpha 255 counted as 256 so that it
// gives s itself. Neither sum can exceed 255 * 256, so two bytes 16 bits apart
// are weighed with one multiplication without spilling into each other. The
// unused top byte of a screen pixel takes whatever falls out: it is no colour.
template <class D> void blendPixels(D d, const uint32_t* from, uint32_t* to) {
    const auto s = hn::LoadU(d, from);
    const auto alphaBits = hn::Set(d, 0xff000000u);
    const auto alpha = hn::And(s, alphaBits);
    if (hn::AllTrue(d, hn::Eq(alpha, hn::Zero(d)))) // clear: nothing to do
        return;
    if (hn::AllTrue(d, hn::Eq(alpha, alphaBits))) // opaque: a copy
        return hn::StoreU(s, d, to);
    const auto t = hn::LoadU(d, to);
    const auto lowBytes = hn::Set(d, 0x00ff00ffu);
    auto a = hn::ShiftRight<24>(s);
    a = a + hn::ShiftRight<8>(a + hn::Set(d, 1u));
    const auto rest = hn::Set(d, 256u) - a;
    const auto even = hn::And(s, lowBytes) * a + hn::And(t, lowBytes) * rest; // bytes 0 and 2
    const auto odd = hn::And(hn::ShiftRight<8>(s), lowBytes) * a +
                     hn::And(hn::ShiftRight<8>(t), lowBytes) * rest; // bytes 1 and 3
    hn::StoreU(hn::Or(hn::And(hn::ShiftRight<8>(even), lowBytes), hn::AndNot(lowBytes, odd)), d,
               to);
}

// Whole steps of `d`'s width from pixel i on, while they fit.
template <class D>
void blendSteps(D d, const uint32_t* source, uint32_t* target, int count, int& i) {
    for (const int n = int(hn::Lanes(d)); i + n <= count; i += n)
        blendPixels(d, source + i, target + i);
}

// The widest steps, then narrower ones for the last few pixels: nothing is
// read or written past the row, and nothing waits on stores to a copy.
void BlendRow(const uint32_t* source, uint32_t* target, int count) {
    int i = 0;
    blendSteps(hn::ScalableTag<uint32_t>(), source, target, count, i);
    blendSteps(hn::CappedTag<uint32_t, 8>(), source, target, count, i);
    blendSteps(hn::CappedTag<uint32_t, 4>(), source, target, count, i);
    blendSteps(hn::CappedTag<uint32_t, 1>(), source, target, count, i);
}

// --- Blur -----------------------------------------------------------------------
// floor((a + b + c + d + addsOne) / 4) on bytes, without widening. Each pair's
// sum is 2h + l, h its floor average and l its odd bit; the four add up to
// 2(h1 + h2) + l1 + l2, so halving h1 + h2 once more, rounded by the odd bits,
// gives the result. A pair with an odd sum has h <= 254, so none of the byte
// additions below can overflow.
template <class D, class V> V averageBytes(D d, V a, V b, V c, V e, bool addsOne) {
    const V ones = hn::Set(d, 1);
    const V l1 = hn::And(hn::Xor(a, b), ones);
    const V l2 = hn::And(hn::Xor(c, e), ones);
    const V h1 = hn::AverageRound(a, b) - l1; // the average rounds up
    const V h2 = hn::AverageRound(c, e) - l2;
    V x = h1, y;
    if (addsOne) { // one odd bit is enough to round the last halving up
        x = h1 + l1;
        y = h2 + hn::AndNot(l1, l2);
    } else { // both odd bits make one more unit
        y = h2 + hn::And(l1, l2);
    }
    return hn::AverageRound(x, y) - hn::And(hn::Xor(x, y), ones);
}

void AverageOfFour(const uint8_t* left, const uint8_t* right, const uint8_t* above,
                   const uint8_t* below, uint8_t* out, int count, bool addsOne) {
    const hn::ScalableTag<uint8_t> d;
    const int n = int(hn::Lanes(d));
    const auto at = [&](int i) {
        hn::StoreU(averageBytes(d, hn::LoadU(d, left + i), hn::LoadU(d, right + i),
                                hn::LoadU(d, above + i), hn::LoadU(d, below + i), addsOne),
                   d, out + i);
    };
    int i = 0;
    for (; i + n <= count; i += n)
        at(i);
    // The last step overlaps the one before, which gives the same bytes again.
    if (i < count && count >= n)
        at(count - n);
    else
        for (; i < count; ++i)
            out[i] = uint8_t((left[i] + right[i] + above[i] + below[i] + addsOne) >> 2);
}

void WashOut(uint8_t* bytes, int count) {
    const hn::ScalableTag<uint8_t> d;
    const int n = int(hn::Lanes(d));
    const auto lift = hn::Set(d, 50), floor = hn::Set(d, 100);
    int i = 0;
    for (; i + n <= count; i += n)
        hn::StoreU(hn::Max(hn::SaturatedAdd(hn::LoadU(d, bytes + i), lift), floor), d, bytes + i);
    for (; i < count; ++i) {
        const int lifted = bytes[i] + 50;
        bytes[i] = uint8_t(lifted < 100 ? 100 : (lifted > 255 ? 255 : lifted));
    }
}

// --- Cross-fade -----------------------------------------------------------------
// The weighted sum is at most 25,500: it fits 16 bits, and (n * 5243) >> 19
// equals n / 100 for every n up to 43,698.
void MixBytes(const uint8_t* sharp, const uint8_t* backdrop, uint8_t* out, int count, int t) {
    const hn::ScalableTag<uint16_t> d16;
    const hn::Rebind<uint8_t, decltype(d16)> d8;
    const int n = int(hn::Lanes(d16));
    const auto backdropWeight = hn::Set(d16, uint16_t(t));
    const auto sharpWeight = hn::Set(d16, uint16_t(100 - t));
    const auto reciprocal = hn::Set(d16, uint16_t(5243));
    int i = 0;
    for (; i + n <= count; i += n) {
        const auto sum = hn::PromoteTo(d16, hn::LoadU(d8, backdrop + i)) * backdropWeight +
                         hn::PromoteTo(d16, hn::LoadU(d8, sharp + i)) * sharpWeight;
        const auto quotient = hn::ShiftRight<3>(hn::MulHigh(sum, reciprocal)); // at most 255
        hn::StoreU(hn::DemoteTo(d8, hn::BitCast(hn::RebindToSigned<decltype(d16)>(), quotient)), d8,
                   out + i);
    }
    for (; i < count; ++i)
        out[i] = uint8_t((backdrop[i] * t + sharp[i] * (100 - t)) / 100);
}

// --- Grids ----------------------------------------------------------------------
// Blocks of 4x4 pixels, in strips of 16 columns so that the rows read stay in
// the cache, 16 bytes at a time on every instruction set but the one-lane
// portable build, which leaves the job to the caller's pixel-by-pixel loop.
#if HWY_TARGET != HWY_SCALAR
constexpr int STRIP = 16;
using Bytes16 = hn::Full128<uint8_t>;
using Words16 = hn::Full128<uint32_t>;

// Rows of a 4x4 block of 32-bit values become its columns.
template <class V> void transpose4x4(V& a, V& b, V& c, V& d) {
    const Words16 d32;
    const hn::Full128<uint64_t> d64;
    const auto ab0 = hn::BitCast(d64, hn::InterleaveLower(d32, a, b));
    const auto cd0 = hn::BitCast(d64, hn::InterleaveLower(d32, c, d));
    const auto ab1 = hn::BitCast(d64, hn::InterleaveUpper(d32, a, b));
    const auto cd1 = hn::BitCast(d64, hn::InterleaveUpper(d32, c, d));
    a = hn::BitCast(d32, hn::InterleaveLower(d64, ab0, cd0));
    b = hn::BitCast(d32, hn::InterleaveUpper(d64, ab0, cd0));
    c = hn::BitCast(d32, hn::InterleaveLower(d64, ab1, cd1));
    d = hn::BitCast(d32, hn::InterleaveUpper(d64, ab1, cd1));
}

// Twelve bytes of a grid column: four pixels. But in a column's last block
// the four bytes after them are the next rows of the same column, written
// again later, so all sixteen may be stored and loaded.
template <class V> void storeTwelve(uint8_t* p, V v, bool last) {
    const Bytes16 d8;
    if (!last)
        return hn::StoreU(v, d8, p);
    alignas(16) uint8_t block[16];
    hn::Store(v, d8, block);
    std::memcpy(p, block, 12);
}
hn::Vec128<uint8_t> loadTwelve(const uint8_t* p, bool last) {
    const Bytes16 d8;
    if (!last)
        return hn::LoadU(d8, p);
    alignas(16) uint8_t block[16] = {};
    std::memcpy(block, p, 12);
    return hn::Load(d8, block);
}
#endif

bool ReadPixelsIntoGrid(const uint8_t* pixels, int pitch, ByteChannels channels, int width,
                        int height, uint8_t* grid) {
#if HWY_TARGET == HWY_SCALAR
    (void)pixels, (void)pitch, (void)channels, (void)width, (void)height, (void)grid;
    return false;
#else
    const Bytes16 d8;
    const Words16 d32;
    alignas(16) uint8_t order[16]; // four pixels' R, G, B bytes, then nothing
    for (int k = 0; k < 4; ++k) {
        order[3 * k] = uint8_t(4 * k + channels.r);
        order[3 * k + 1] = uint8_t(4 * k + channels.g);
        order[3 * k + 2] = uint8_t(4 * k + channels.b);
        order[12 + k] = 0x80;
    }
    const auto toGrid = hn::Load(d8, order);
    const int columnBytes = 3 * height;
    for (int x0 = 0; x0 < width; x0 += STRIP)
        for (int y = 0; y < height; y += 4) {
            const uint8_t* row = pixels + y * pitch;
            for (int x = x0; x < x0 + STRIP; x += 4) {
                hn::Vec128<uint32_t> r[4];
                for (int k = 0; k < 4; ++k)
                    r[k] = hn::BitCast(d32, hn::LoadU(d8, row + k * pitch + 4 * x));
                transpose4x4(r[0], r[1], r[2], r[3]);
                for (int k = 0; k < 4; ++k)
                    storeTwelve(grid + (x + k) * columnBytes + 3 * y,
                                hn::TableLookupBytesOr0(hn::BitCast(d8, r[k]), toGrid),
                                y == height - 4);
            }
        }
    return true;
#endif
}

bool PackGridIntoPixels(const uint8_t* grid, int width, int height, ByteChannels channels,
                        uint32_t alphaBits, uint8_t* pixels, int pitch) {
#if HWY_TARGET == HWY_SCALAR
    (void)grid, (void)width, (void)height, (void)channels, (void)alphaBits, (void)pixels,
        (void)pitch;
    return false;
#else
    const Bytes16 d8;
    const Words16 d32;
    alignas(16) uint8_t order[16]; // each pixel's bytes from R, G, B; the fourth is 0
    std::memset(order, 0x80, sizeof order);
    for (int k = 0; k < 4; ++k) {
        order[4 * k + channels.r] = uint8_t(3 * k);
        order[4 * k + channels.g] = uint8_t(3 * k + 1);
        order[4 * k + channels.b] = uint8_t(3 * k + 2);
    }
    const auto toPixels = hn::Load(d8, order);
    const auto alpha = hn::Set(d32, alphaBits);
    const int columnBytes = 3 * height;
    for (int x0 = 0; x0 < width; x0 += STRIP)
        for (int y = 0; y < height; y += 4) {
            uint8_t* row = pixels + y * pitch;
            for (int x = x0; x < x0 + STRIP; x += 4) {
                hn::Vec128<uint32_t> c[4];
                for (int k = 0; k < 4; ++k) {
                    const auto rgb =
                        loadTwelve(grid + (x + k) * columnBytes + 3 * y, y == height - 4);
                    c[k] = hn::Or(hn::BitCast(d32, hn::TableLookupBytesOr0(rgb, toPixels)), alpha);
                }
                transpose4x4(c[0], c[1], c[2], c[3]);
                for (int k = 0; k < 4; ++k)
                    hn::StoreU(hn::BitCast(d8, c[k]), d8, row + k * pitch + 4 * x);
            }
        }
    return true;
#endif
}

// The build that runs, as it names itself.
const char* TargetInUse() {
    return hwy::TargetName(HWY_TARGET);
}

} // namespace HWY_NAMESPACE
} // namespace pixel_kernels
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace pixel_kernels {
HWY_EXPORT(BlendRow);
HWY_EXPORT(AverageOfFour);
HWY_EXPORT(WashOut);
HWY_EXPORT(MixBytes);
HWY_EXPORT(ReadPixelsIntoGrid);
HWY_EXPORT(PackGridIntoPixels);
HWY_EXPORT(TargetInUse);
} // namespace pixel_kernels

void blendRow(const uint32_t* source, uint32_t* target, int count) {
    HWY_DYNAMIC_DISPATCH(pixel_kernels::BlendRow)(source, target, count);
}

void averageOfFour(const uint8_t* left, const uint8_t* right, const uint8_t* above,
                   const uint8_t* below, uint8_t* out, int count, bool addsOne) {
    HWY_DYNAMIC_DISPATCH(pixel_kernels::AverageOfFour)
    (left, right, above, below, out, count, addsOne);
}

void washOut(uint8_t* bytes, int count) {
    HWY_DYNAMIC_DISPATCH(pixel_kernels::WashOut)(bytes, count);
}

void mixBytes(const uint8_t* sharp, const uint8_t* backdrop, uint8_t* out, int count, int t) {
    HWY_DYNAMIC_DISPATCH(pixel_kernels::MixBytes)(sharp, backdrop, out, count, t);
}

bool readPixelsIntoGrid(const uint8_t* pixels, int pitch, ByteChannels channels, int width,
                        int height, uint8_t* grid) {
    return HWY_DYNAMIC_DISPATCH(pixel_kernels::ReadPixelsIntoGrid)(pixels, pitch, channels, width,
                                                                   height, grid);
}

bool packGridIntoPixels(const uint8_t* grid, int width, int height, ByteChannels channels,
                        uint32_t alphaBits, uint8_t* pixels, int pitch) {
    return HWY_DYNAMIC_DISPATCH(pixel_kernels::PackGridIntoPixels)(grid, width, height, channels,
                                                                   alphaBits, pixels, pitch);
}

std::vector<int64_t> pixelKernelTargets() {
    std::vector<int64_t> targets;
    for (int64_t left = HWY_TARGETS; left != 0; left &= left - 1)
        targets.push_back(left & -left); // lower bits are wider instruction sets
    return targets;
}

// What the processor runs, asked before any target is chosen by hand.
static int64_t processorTargets() {
    static const int64_t supported = hwy::SupportedTargets();
    return supported;
}

bool pixelKernelTargetRuns(int64_t target) {
    return (processorTargets() & target) != 0;
}

void usePixelKernelTarget(int64_t target) {
    processorTargets();
    hwy::SetSupportedTargetsForTest(target);
}

const char* pixelKernelTargetInUse() {
    return HWY_DYNAMIC_DISPATCH(pixel_kernels::TargetInUse)();
}

const char* pixelKernelTargetName(int64_t target) {
    return hwy::TargetName(target);
}
#endif
