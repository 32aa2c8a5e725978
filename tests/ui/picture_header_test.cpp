// Picture headers the loaders refuse before decoding, each with one line of
// the game's own on standard error: sizes past the game's bounds for every
// kind of file, and fields outside what PNG and BMP define (a corpus of the
// headers that crashed or fed the decoders). Headers just inside load.
#include "ui/image_loaders.h"

#include "support/headless_display.h"
#include "support/temp_folder.h"

#include <zlib.h>

#include <climits>
#include <regex>

namespace {

std::string bytes(long value, int count, bool bigEndian = false) {
    std::string out(size_t(count), '\0');
    for (int i = 0; i < count; ++i)
        out[size_t(bigEndian ? count - 1 - i : i)] = char(value >> (8 * i));
    return out;
}

// A PNG whose w x h pixels are all zero.
std::string png(long w, long h, int depth = 8, int type = 0, int method = 0, int interlace = 0,
                long ihdrLength = 13) {
    const auto chunk = [](const std::string& typeAndData) {
        const auto* p = reinterpret_cast<const Bytef*>(typeAndData.data());
        return bytes(long(typeAndData.size()) - 4, 4, true) + typeAndData +
               bytes(long(crc32(0, p, uInt(typeAndData.size()))), 4, true);
    };
    const int channels = type == 2 ? 3 : type == 4 ? 2 : type == 6 ? 4 : 1;
    const long rowBytes = 1 + (std::min(w, 4096L) * channels * depth + 7) / 8; // and filter
    const std::string rows(size_t(std::min(h, 4096L) * rowBytes), 0);
    uLongf size = compressBound(rows.size());
    std::string packed(size, '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &size,
             reinterpret_cast<const Bytef*>(rows.data()), rows.size());
    packed.resize(size);
    std::string ihdr = "IHDR" + bytes(w, 4, true) + bytes(h, 4, true) + char(depth) + char(type) +
                       char(method) + char(method >> 8) + char(interlace);
    ihdr.resize(size_t(4 + ihdrLength));
    return "\x89PNG\r\n\x1a\n" + chunk(ihdr) + chunk("IDAT" + packed) + chunk("IEND");
}

// A BMP whose w x |h| pixels are all zero, with a full palette at 8 bits or
// fewer and the masks of 5-6-5 or 8-8-8 with BI_BITFIELDS (3). A header
// size of 12 gives the core header.
std::string bmp(long headerSize, long w, long h, int bits, long compression = 0, long colours = 0,
                long planes = 1) {
    const bool core = headerSize == 12;
    const long paletteSize = bits <= 8 ? (colours ? colours : 1L << bits) : 0;
    const std::string masks = compression != 3 ? ""
                              : bits == 16     ? bytes(0xf800, 4) + bytes(0x7e0, 4) + bytes(0x1f, 4)
                                           : bytes(0xff0000, 4) + bytes(0xff00, 4) + bytes(0xff, 4);
    const std::string palette(size_t(std::min(paletteSize, 256L) * (core ? 3 : 4)), '\x40');
    const long offset = 14 + std::max(headerSize, 12L) + long(masks.size() + palette.size());
    const long rowBytes = (w * bits + 31) / 32 * 4, rows = std::min(std::labs(h), 4096L);
    const std::string pixels = compression == 1 ? std::string("\0\1", 2) // end of the bitmap
                                                : std::string(size_t(rowBytes * rows), '\0');
    std::string header = core ? bytes(w, 2) + bytes(h, 2) + bytes(planes, 2) + bytes(bits, 2)
                              : bytes(w, 4) + bytes(h, 4) + bytes(planes, 2) + bytes(bits, 2) +
                                    bytes(compression, 4) + bytes(long(pixels.size()), 4) +
                                    std::string(8, '\0') + bytes(colours, 4) + bytes(0, 4);
    header.resize(size_t(std::max(headerSize, 12L) - 4), '\0');
    return "BM" + bytes(offset + long(pixels.size()), 4) + bytes(0, 4) + bytes(offset, 4) +
           bytes(headerSize, 4) + header + masks + palette + pixels;
}

class PictureFiles : public HeadlessDisplayTest {
  protected:
    // Loads the file and checks the outcome: a picture and no line, or
    // nothing and exactly the game's one line.
    void expectLoads(const std::string& file, bool loads, const std::string& what) {
        folder.writeFile("p", file);
        testing::internal::CaptureStderr();
        SDL_Surface* loaded = loadAlphaImage("p");
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(loaded != nullptr, loads) << what;
        EXPECT_TRUE(loads ? errors.empty()
                          : std::regex_match(errors, std::regex("rored: p declares [^\n]+; "
                                                                "not loaded\n")))
            << what << ": " << errors;
        SDL_FreeSurface(loaded);
    }
    TempFolder folder;
};

} // namespace

// Up to 4096 pixels a side and four screens (4096 x 300) in all, in PNGs and
// in BMPs with either header, bottom-up or top-down; one pixel more is refused.
TEST_F(PictureFiles, EveryKindLoadsAtTheSizeBoundsAndIsRefusedJustPastThem) {
    const std::tuple<long, long, bool> sizes[] = {
        {4096, 300, true}, {4097, 1, false}, {1, 4097, false}, {4096, 301, false}};
    for (const auto& [w, h, loads] : sizes) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        expectLoads(png(w, h), loads, "PNG " + size);
        expectLoads(bmp(12, w, h, 8), loads, "BMP core header " + size);
        expectLoads(bmp(40, w, h, 8), loads, "BMP info header " + size);
        expectLoads(bmp(40, w, -h, 8), loads, "BMP top-down " + size);
    }
    expectLoads(png(0xffffffff, 1), false, "PNG 4294967295x1");
}

// Every field the decoders trust, just outside what its format defines (or
// what the game takes), beside a neighbour inside it that loads. Bits per
// pixel of 257 and more crashed classic SDL.
TEST_F(PictureFiles, HeaderFieldsOutsideTheirFormatAreRefused_theirNeighboursLoad) {
    // A table, several files a row.
    // clang-format off
    const std::pair<std::string, bool> files[] = {
        // BMP bits per pixel; planes; sizes
        {bmp(40, 2, 2, 257), false}, {bmp(40, 2, 2, 2049), false}, {bmp(40, 2, 2, 4097), false},
        {bmp(40, 2, 2, 8193), false}, {bmp(40, 2, 2, 32769), false}, {bmp(40, 2, 2, 0), false},
        {bmp(40, 2, 2, 2), false}, {bmp(40, 2, 2, 1), true}, {bmp(40, 2, 2, 16), true},
        {bmp(40, 2, 2, 32), true}, {bmp(12, 2, 2, 16), false}, {bmp(12, 2, 2, 24), true},
        {bmp(40, 2, 2, 8, 0, 0, 0), false}, {bmp(40, 2, 2, 8, 0, 0, 2), false},
        {bmp(12, 2, 2, 8, 0, 0, 2), false}, {bmp(40, 0, 2, 8), false}, {bmp(40, -2, 2, 8), false},
        {bmp(12, 0, 2, 8), false}, {bmp(40, 2, 0, 8), false}, {bmp(40, 2, INT_MIN, 8), false},
        {bmp(40, 2, -1, 8), true},
        // BMP palette sizes; compression against depth and row order; header sizes
        {bmp(40, 2, 2, 8, 0, 257), false}, {bmp(40, 2, 2, 4, 0, 17), false},
        {bmp(40, 2, 2, 4, 0, 16), true}, {bmp(40, 2, 2, 1, 0, 3), false},
        {bmp(40, 2, 2, 8, 4), false}, {bmp(40, 2, 2, 24, 3), false}, {bmp(40, 2, 2, 16, 3), true},
        {bmp(40, 2, 2, 32, 3), true}, {bmp(40, 2, 2, 8, 2), false}, {bmp(40, 2, -2, 8, 1), false},
        {bmp(40, 2, 2, 8, 1), true}, {bmp(39, 2, 2, 8), false}, {bmp(64, 2, 2, 8), false},
        {bmp(124, 2, 2, 8), true},
        // PNG bit depth against colour type; methods; sizes; IHDR length
        {png(2, 2, 3), false}, {png(2, 2, 16, 3), false}, {png(2, 2, 4, 2), false},
        {png(2, 2, 16), true}, {png(2, 2, 8, 1), false}, {png(2, 2, 8, 5), false},
        {png(2, 2, 8, 7), false}, {png(2, 2, 8, 6), true}, {png(2, 2, 8, 0, 1), false},
        {png(2, 2, 8, 0, 0x100), false}, {png(1, 1, 8, 0, 0, 2), false},
        {png(1, 1, 8, 0, 0, 1), true}, {png(0, 2), false}, {png(2, 0), false},
        {png(2, 2, 8, 0, 0, 0, 12), false}};
    // clang-format on
    for (size_t i = 0; i < std::size(files); ++i)
        expectLoads(files[i].first, files[i].second, "file " + std::to_string(i));
}
