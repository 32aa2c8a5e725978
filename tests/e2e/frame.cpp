// Frame comparisons and the picture files of the end-to-end tests. PNG goes
// through libpng's simple API; the BMP reader takes the uncompressed 24- and
// 32-bit files SDL writes.
#include "frame.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

// The pointer picture is 96x96 centred on the mouse; a few pixels more keep a
// one-frame-old pointer position out of the comparisons too.
constexpr int POINTER_REACH = 52;

Box pointerBox(int mouseX, int mouseY) {
    return {mouseX - POINTER_REACH, mouseY - POINTER_REACH, mouseX + POINTER_REACH,
            mouseY + POINTER_REACH};
}

namespace {

bool excludedPixel(const std::vector<Box>& excluded, int x, int y) {
    for (const Box& box : excluded)
        if (box.contains(x, y))
            return true;
    return false;
}

bool pixelDiffers(const Frame& a, const Frame& b, int x, int y, int tolerance) {
    const uint8_t* p = a.at(x, y);
    const uint8_t* q = b.at(x, y);
    for (int c = 0; c < 3; ++c)
        if (std::abs(int(p[c]) - int(q[c])) > tolerance)
            return true;
    return false;
}

template <typename Visit>
void forEachDifference(const Frame& a, const Frame& b, Box area, int tolerance,
                       const std::vector<Box>& excluded, Visit visit) {
    const int x1 = std::min({area.x1, a.width, b.width});
    const int y1 = std::min({area.y1, a.height, b.height});
    for (int y = std::max(area.y0, 0); y < y1; ++y)
        for (int x = std::max(area.x0, 0); x < x1; ++x)
            if (!excludedPixel(excluded, x, y) && pixelDiffers(a, b, x, y, tolerance))
                visit(x, y);
}

uint32_t readLe(const std::vector<uint8_t>& bytes, size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[at + i];
    return value;
}

} // namespace

int countDifferences(const Frame& a, const Frame& b, Box area, int tolerance,
                     const std::vector<Box>& excluded) {
    int count = 0;
    forEachDifference(a, b, area, tolerance, excluded, [&](int, int) { ++count; });
    return count;
}

Box differenceBounds(const Frame& a, const Frame& b, Box area, int tolerance,
                     const std::vector<Box>& excluded) {
    Box bounds{0, 0, 0, 0};
    bool any = false;
    forEachDifference(a, b, area, tolerance, excluded, [&](int x, int y) {
        if (!any)
            bounds = {x, y, x + 1, y + 1};
        any = true;
        bounds = {std::min(bounds.x0, x), std::min(bounds.y0, y), std::max(bounds.x1, x + 1),
                  std::max(bounds.y1, y + 1)};
    });
    return bounds;
}

bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgba) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return false;
    image.format = PNG_FORMAT_RGBA;
    rgba.assign(PNG_IMAGE_SIZE(image), 0);
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    width = int(image.width);
    height = int(image.height);
    return true;
}

bool writePng(const std::string& path, const Frame& frame) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(frame.width);
    image.height = png_uint_32(frame.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, frame.rgb.data(), 0, nullptr) != 0;
}

Frame readBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    Frame frame;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return frame;
    const uint32_t dataStart = readLe(bytes, 10, 4);
    const int width = int(int32_t(readLe(bytes, 18, 4)));
    const int rawHeight = int(int32_t(readLe(bytes, 22, 4)));
    const int bitsPerPixel = int(readLe(bytes, 28, 2));
    const uint32_t compression = readLe(bytes, 30, 4);
    const int height = std::abs(rawHeight);
    if (width <= 0 || height == 0 || (bitsPerPixel != 24 && bitsPerPixel != 32) ||
        (compression != 0 && compression != 3))
        return frame;
    const size_t stride = (size_t(width) * (bitsPerPixel / 8) + 3) & ~size_t(3);
    if (bytes.size() < dataStart + stride * height)
        return frame;
    frame.width = width;
    frame.height = height;
    frame.rgb.resize(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const int fileRow = rawHeight > 0 ? height - 1 - y : y; // BMP rows run bottom-up
        const uint8_t* row = &bytes[dataStart + stride * fileRow];
        for (int x = 0; x < width; ++x) {
            const uint8_t* bgr = row + size_t(x) * (bitsPerPixel / 8);
            uint8_t* out = frame.at(x, y);
            out[0] = bgr[2];
            out[1] = bgr[1];
            out[2] = bgr[0];
        }
    }
    return frame;
}

namespace {

// Lays an RGBA picture over frame with its top-left corner at (left, top).
bool layOver(Frame& frame, const std::string& path, int left, int top) {
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    if (!readPngRgba(path, w, h, rgba))
        return false;
    for (int y = std::max(0, -top); y < h && top + y < frame.height; ++y)
        for (int x = std::max(0, -left); x < w && left + x < frame.width; ++x) {
            const uint8_t* over = &rgba[(size_t(y) * w + x) * 4];
            uint8_t* out = frame.at(left + x, top + y);
            for (int c = 0; c < 3; ++c)
                out[c] = uint8_t((over[c] * over[3] + out[c] * (255 - over[3]) + 127) / 255);
        }
    return true;
}

} // namespace

Frame composeField(const std::string& mediaFolder, const std::vector<Layer>& layers) {
    Frame frame;
    frame.width = 640;
    frame.height = 480;
    frame.rgb.assign(640 * 480 * 3, 0);
    // The background is opaque, so laying it over black copies it.
    bool complete = layOver(frame, mediaFolder + "/Game/background.png", 0, 0);
    for (const Layer& layer : layers)
        complete =
            complete && layOver(frame, mediaFolder + "/Game/" + layer.picture, layer.x, layer.y);
    complete = complete && layOver(frame, mediaFolder + "/Game/border.png", 0, 0);
    return complete ? frame : Frame{};
}
