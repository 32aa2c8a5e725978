// Opens pictures without trusting the file system: a FIFO or device in place
// of a picture would block start-up or feed it without end, so the file is
// opened without blocking and checked on that same descriptor; and its header
// is read before decoding, so a tiny file declaring a huge size never gets
// to allocate it.
#include "ui/picture_file.h"

#include "ui/media_folder.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// PNG: signature, then the IHDR chunk with big-endian width and height at 16
// and 20. BMP: "BM", the info header's size at 14, then the size at 18.
constexpr unsigned char PNG_SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr int HEADER_BYTES = 26;
constexpr long BMP_CORE_HEADER = 12; // the old header with 16-bit sizes

long bigEndian32(const unsigned char* p) {
    return long(p[0]) << 24 | long(p[1]) << 16 | long(p[2]) << 8 | long(p[3]);
}
long littleEndian(const unsigned char* p, int bytes) {
    long value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// The width and height the header declares; false for anything but PNG and BMP.
bool declaredSize(const unsigned char* header, long& width, long& height) {
    if (std::memcmp(header, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0 &&
        std::memcmp(header + 12, "IHDR", 4) == 0) {
        width = bigEndian32(header + 16);
        height = bigEndian32(header + 20);
        return true;
    }
    if (header[0] != 'B' || header[1] != 'M')
        return false;
    if (littleEndian(header + 14, 4) == BMP_CORE_HEADER) {
        width = littleEndian(header + 18, 2);
        height = littleEndian(header + 20, 2);
    } else {
        width = int32_t(littleEndian(header + 18, 4));
        height = std::labs(int32_t(littleEndian(header + 22, 4))); // negative: rows top-down
    }
    return true;
}

bool fitsTheGame(long width, long height) {
    return width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE &&
           width * height <= MAX_PICTURE_PIXELS;
}

// True when fd is a regular file whose header declares an acceptable size.
bool acceptable(int fd, const char* path) {
    struct stat info;
    unsigned char header[HEADER_BYTES];
    long width = 0, height = 0;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        pread(fd, header, sizeof header, 0) != ssize_t(sizeof header) ||
        !declaredSize(header, width, height))
        return false;
    if (fitsTheGame(width, height))
        return true;
    std::fprintf(stderr,
                 "rored: %s declares %ldx%ld pixels, far more than the game shows; not loaded\n",
                 path, width, height);
    return false;
}

} // namespace

SDL_Surface* readPictureFile(const char* path) {
    const int fd = openat(mediaParent, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    FILE* file = acceptable(fd, path) ? fdopen(fd, "rb") : nullptr;
    if (!file) {
        close(fd);
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromFP(file, 1); // 1: closing the stream closes the file
    if (!stream) {
        std::fclose(file);
        return nullptr;
    }
    return IMG_Load_RW(stream, 1);
}
