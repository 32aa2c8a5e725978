// Header checks for the two kinds of picture the game reads. Every field a
// decoder sizes its work by is held to what its format defines and to the
// game's bounds, so a hostile header is refused here, with one line naming
// the field, instead of reaching SDL or libpng.
//
//   PNG  0 signature  8 IHDR length  12 "IHDR"  16 width  20 height (big-endian)
//        24 bit depth  25 colour type  26 compression  27 filter  28 interlace
//   BMP  0 "BM"  10 pixel offset  14 header size, then (little-endian)
//        core header (12): 18 width, 20 height, 22 planes, 24 bits (16-bit each)
//        info header (40+): 18 width, 22 height (negative: rows top-down),
//                           26 planes, 28 bits, 30 compression, 46 colours used
#include "ui/picture_header.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr unsigned char PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr size_t PNG_HEADER_END = 29;
constexpr long PNG_IHDR_LENGTH = 13;
constexpr size_t BMP_CORE_END = 26;
constexpr size_t BMP_INFO_END = 54;
constexpr long BMP_CORE_HEADER = 12; // the old OS/2 header with 16-bit sizes
constexpr long BMP_RGB = 0, BMP_RLE8 = 1, BMP_RLE4 = 2, BMP_BITFIELDS = 3;

long bigEndian32(const unsigned char* p) {
    return long(p[0]) << 24 | long(p[1]) << 16 | long(p[2]) << 8 | long(p[3]);
}
long littleEndian(const unsigned char* p, int bytes) {
    long value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

std::string describe(const char* format, long a, long b = 0) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The game's bounds on a size already known to be positive.
HeaderVerdict checkSize(long width, long height, std::string& problem) {
    if (width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
        width * height <= MAX_PICTURE_PIXELS)
        return HeaderVerdict::USABLE;
    problem = describe("%ldx%ld pixels, far more than the game shows", width, height);
    return HeaderVerdict::REFUSED;
}

HeaderVerdict refuse(std::string& problem, std::string text) {
    problem = std::move(text);
    return HeaderVerdict::REFUSED;
}

// Bit depths each colour type allows: grey, -, RGB, palette, grey+alpha, -, RGBA.
bool pngDepthAllowed(long type, long depth) {
    switch (type) {
    case 0:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

HeaderVerdict checkPng(const unsigned char* h, size_t size, std::string& problem) {
    if (size < PNG_HEADER_END || std::memcmp(h + 12, "IHDR", 4) != 0)
        return HeaderVerdict::FOREIGN;
    const long length = bigEndian32(h + 8), width = bigEndian32(h + 16),
               height = bigEndian32(h + 20);
    const long depth = h[24], type = h[25];
    if (length != PNG_IHDR_LENGTH)
        return refuse(problem, describe("an IHDR chunk of %ld bytes", length));
    if (width == 0 || height == 0)
        return refuse(problem, describe("%ldx%ld pixels", width, height));
    if (!pngDepthAllowed(type, depth))
        return refuse(problem, describe("PNG colour type %ld at %ld bits", type, depth));
    if (h[26] != 0 || h[27] != 0)
        return refuse(problem, describe("PNG compression %ld, filter %ld", h[26], h[27]));
    if (h[28] > 1)
        return refuse(problem, describe("PNG interlace method %ld", h[28]));
    return checkSize(width, height, problem);
}

HeaderVerdict checkBmpCore(const unsigned char* h, std::string& problem) {
    const long width = littleEndian(h + 18, 2), height = littleEndian(h + 20, 2);
    const long planes = littleEndian(h + 22, 2), bits = littleEndian(h + 24, 2);
    if (width == 0 || height == 0)
        return refuse(problem, describe("%ldx%ld pixels", width, height));
    if (planes != 1)
        return refuse(problem, describe("%ld colour planes", planes));
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return refuse(problem, describe("%ld bits per pixel", bits));
    return checkSize(width, height, problem);
}

HeaderVerdict checkBmpInfo(const unsigned char* h, std::string& problem) {
    const long width = int32_t(littleEndian(h + 18, 4));
    const long height = int32_t(littleEndian(h + 22, 4)); // negative: rows top-down
    const long planes = littleEndian(h + 26, 2), bits = littleEndian(h + 28, 2);
    const long compression = littleEndian(h + 30, 4), colours = littleEndian(h + 46, 4);
    if (width <= 0 || height == 0)
        return refuse(problem, describe("%ldx%ld pixels", width, height));
    if (planes != 1)
        return refuse(problem, describe("%ld colour planes", planes));
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return refuse(problem, describe("%ld bits per pixel", bits));
    // Run lengths only at their own depth and bottom-up; masks only at 16 and 32 bits.
    const bool fits = compression == BMP_RGB ||
                      (compression == BMP_RLE8 && bits == 8 && height > 0) ||
                      (compression == BMP_RLE4 && bits == 4 && height > 0) ||
                      (compression == BMP_BITFIELDS && (bits == 16 || bits == 32));
    if (!fits)
        return refuse(problem, describe("BMP compression %ld at %ld bits", compression, bits));
    if (bits <= 8 && colours > (1L << bits)) // read into a palette of 2^bits entries
        return refuse(problem, describe("%ld palette colours at %ld bits", colours, bits));
    return checkSize(width, height < 0 ? -height : height, problem);
}

HeaderVerdict checkBmp(const unsigned char* h, size_t size, std::string& problem) {
    if (size < BMP_CORE_END)
        return HeaderVerdict::FOREIGN;
    const long headerSize = littleEndian(h + 14, 4);
    if (headerSize == BMP_CORE_HEADER)
        return checkBmpCore(h, problem);
    // The info header and its later versions (52, 56, 108 and 124 bytes), which only add fields.
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 &&
        headerSize != 124)
        return refuse(problem, describe("a BMP header of %ld bytes", headerSize));
    if (size < BMP_INFO_END)
        return HeaderVerdict::FOREIGN;
    return checkBmpInfo(h, problem);
}

} // namespace

HeaderVerdict checkPictureHeader(const unsigned char* header, size_t size, std::string& problem) {
    if (size >= sizeof PNG_SIGNATURE && std::memcmp(header, PNG_SIGNATURE, 8) == 0)
        return checkPng(header, size, problem);
    if (size >= 2 && header[0] == 'B' && header[1] == 'M')
        return checkBmp(header, size, problem);
    return HeaderVerdict::FOREIGN;
}
