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
// what the game takes), beside a neighbour inside it that loads.
TEST_F(PictureFiles, HeaderFieldsOutsideTheirFormatAreRefused_theirNeighboursLoad) {
    const std::tuple<std::string, bool, const char*> files[] = {
        {bmp(40, 2, 2, 257), false, "257 bits per pixel"}, // each of these crashed classic SDL
        {bmp(40, 2, 2, 2049), false, "2049 bits"},
        {bmp(40, 2, 2, 4097), false, "4097 bits"},
        {bmp(40, 2, 2, 8193), false, "8193 bits"},
        {bmp(40, 2, 2, 32769), false, "32769 bits"},
        {bmp(40, 2, 2, 0), false, "0 bits"},
        {bmp(40, 2, 2, 2), false, "2 bits"},
        {bmp(40, 2, 2, 1), true, "1 bit"},
        {bmp(40, 2, 2, 16), true, "16 bits"},
        {bmp(40, 2, 2, 32), true, "32 bits"},
        {bmp(12, 2, 2, 16), false, "core header, 16 bits"},
        {bmp(12, 2, 2, 24), true, "core header, 24 bits"},
        {bmp(40, 2, 2, 8, 0, 0, 0), false, "0 planes"},
        {bmp(40, 2, 2, 8, 0, 0, 2), false, "2 planes"},
        {bmp(12, 2, 2, 8, 0, 0, 2), false, "core header, 2 planes"},
        {bmp(40, 0, 2, 8), false, "width 0"},
        {bmp(40, -2, 2, 8), false, "width -2"},
        {bmp(12, 0, 2, 8), false, "core header, width 0"},
        {bmp(40, 2, 0, 8), false, "height 0"},
        {bmp(40, 2, INT_MIN, 8), false, "height INT_MIN"},
        {bmp(40, 2, -1, 8), true, "height -1"},
        {bmp(40, 2, 2, 8, 0, 257), false, "257 colours at 8 bits"},
        {bmp(40, 2, 2, 4, 0, 17), false, "17 colours at 4 bits"},
        {bmp(40, 2, 2, 4, 0, 16), true, "16 colours at 4 bits"},
        {bmp(40, 2, 2, 1, 0, 3), false, "3 colours at 1 bit"},
        {bmp(40, 2, 2, 8, 4), false, "JPEG compression"},
        {bmp(40, 2, 2, 24, 3), false, "bit fields at 24 bits"},
        {bmp(40, 2, 2, 16, 3), true, "bit fields at 16 bits"},
        {bmp(40, 2, 2, 32, 3), true, "bit fields at 32 bits"},
        {bmp(40, 2, 2, 8, 2), false, "RLE4 at 8 bits"},
        {bmp(40, 2, -2, 8, 1), false, "RLE8 top-down"},
        {bmp(40, 2, 2, 8, 1), true, "RLE8"},
        {bmp(39, 2, 2, 8), false, "39-byte header"},
        {bmp(64, 2, 2, 8), false, "64-byte header"},
        {bmp(124, 2, 2, 8), true, "124-byte header"},
        {png(2, 2, 3), false, "grey at 3 bits"},
        {png(2, 2, 16, 3), false, "palette at 16 bits"},
        {png(2, 2, 4, 2), false, "RGB at 4 bits"},
        {png(2, 2, 16), true, "grey at 16 bits"},
        {png(2, 2, 8, 1), false, "colour type 1"},
        {png(2, 2, 8, 5), false, "colour type 5"},
        {png(2, 2, 8, 7), false, "colour type 7"},
        {png(2, 2, 8, 6), true, "RGBA at 8 bits"},
        {png(2, 2, 8, 0, 1), false, "compression method 1"},
        {png(2, 2, 8, 0, 0x100), false, "filter method 1"},
        {png(1, 1, 8, 0, 0, 2), false, "interlace method 2"},
        {png(1, 1, 8, 0, 0, 1), true, "Adam7 interlace"},
        {png(0, 2), false, "width 0"},
        {png(2, 0), false, "height 0"},
        {png(2, 2, 8, 0, 0, 0, 12), false, "a 12-byte IHDR"},
    };
    for (const auto& [file, loads, what] : files)
        expectLoads(file, loads, what);
}
