// Writes the frozen frame to the first free "screenshot%d.bmp". The picture
// goes to a private temporary file first and is linked under its final name
// only when every write, the flush and the close have succeeded, so a failure
// leaves nothing behind and an existing file is never replaced.
#include "overlay/screenshot.h"

#include "ui/theme.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int NAME_SIZE = 64;
constexpr int TEMP_ATTEMPTS = 100; // stale temporaries of an earlier run with our pid

// Creates a fresh temporary file in the working folder; -1 when none can be made.
int createTemporary(char* name, size_t size) {
    for (int attempt = 0; attempt < TEMP_ATTEMPTS; ++attempt) {
        std::snprintf(name, size, ".screenshot-%ld-%d.bmp.tmp", static_cast<long>(getpid()),
                      attempt);
        const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes the BMP through our own stream so that the flush and the close can
// be checked; SDL's writer does not look at either.
bool writeBmp(SDL_Surface* surface, int fd) {
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        return false;
    }
    bool ok = false;
    if (SDL_RWops* stream = SDL_RWFromFP(file, 0)) { // 0: the stream does not close the file
        ok = SDL_SaveBMP_RW(surface, stream, 0) == 0;
        SDL_FreeRW(stream);
    }
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

// Moves the temporary to `name` unless something stands there, for folders
// that do not take hard links.
int renameWithoutReplacing(const char* temporary, const char* name) {
    return renameat2(AT_FDCWD, temporary, AT_FDCWD, name, RENAME_NOREPLACE);
}

// Gives the finished temporary the first free number. A name is taken when
// anything at all stands there, a dangling link or an unreadable file
// included. link() refuses an existing name even if another writer took it a
// moment ago, so we then move on to the next number.
bool publish(const char* temporary) {
    char name[NAME_SIZE];
    for (int n = 1; n < INT_MAX; ++n) {
        std::snprintf(name, sizeof name, "screenshot%d.bmp", n);
        struct stat info;
        if (lstat(name, &info) == 0)
            continue;
        if (errno != ENOENT)
            return false; // cannot tell whether the name is free
        if (link(temporary, name) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP)
            return false;
        if (renameWithoutReplacing(temporary, name) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}
} // namespace

bool writeScreenshot(SDL_Surface* surface) {
    if (!surface)
        return false;
    char temporary[NAME_SIZE];
    const int fd = createTemporary(temporary, sizeof temporary);
    if (fd < 0)
        return false;
    const bool written = writeBmp(surface, fd) && publish(temporary);
    unlink(temporary);
    return written;
}

void saveScreenshot() {
    writeScreenshot(snapshotSurface); // a failed screenshot is skipped without a word
}
