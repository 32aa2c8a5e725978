// Opens pictures without trusting the file system: a FIFO or device in place
// of a picture would block start-up or feed it without end, so the file is
// opened without blocking and checked on that same descriptor; and its header
// is read before decoding, so a tiny file declaring a huge size never gets
// to allocate it.
#include "ui/picture_file.h"

#include "ui/media_folder.h"
#include "ui/picture_header.h"

#include <SDL_image.h>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// True when fd is a regular file whose header the game can decode.
bool acceptable(int fd, const char* path) {
    struct stat info;
    unsigned char header[PICTURE_HEADER_BYTES];
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    const ssize_t got = pread(fd, header, sizeof header, 0);
    std::string problem;
    const HeaderVerdict verdict = checkPictureHeader(header, got > 0 ? size_t(got) : 0, problem);
    if (verdict == HeaderVerdict::REFUSED)
        std::fprintf(stderr, "rored: %s declares %s; not loaded\n", path, problem.c_str());
    return verdict == HeaderVerdict::USABLE;
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
