// Writes the frozen frame to the first free "screenshot%d.bmp". The picture
// goes to a private temporary file first and is linked under its final name
// only when every write, the flush and the close have succeeded, so a failure
// leaves nothing behind and an existing file is never replaced. Folders that
// take neither links nor no-replace renames get a copy in a file created
// under the final name, removed again if the copy fails. The player is told
// the file's name, or why there is none.
#include "overlay/screenshot.h"

#include "audio/sound.h"
#include "overlay/save_message.h"
#include "ui/theme.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int NAME_SIZE = 64;
constexpr int TEMP_ATTEMPTS = 100; // stale temporaries of an earlier run with our pid
constexpr const char* TEMP_FORMAT = ".screenshot-%ld-%d.bmp.tmp"; // process id, attempt
constexpr int COPY_CHUNK = 65536;

// Removes the temporaries that a game killed in the middle of a save left
// behind: those of processes that no longer run, and our own (none of ours
// is being written now). Another game may be saving into this folder, so
// the temporaries of living processes stay.
void clearLeftovers() {
    DIR* folder = opendir(".");
    if (!folder)
        return;
    while (const dirent* entry = readdir(folder)) {
        long pid = 0;
        int attempt = 0;
        char ours[NAME_SIZE];
        if (std::sscanf(entry->d_name, ".screenshot-%ld-%d.bmp.tmp", &pid, &attempt) != 2 ||
            pid <= 0)
            continue;
        std::snprintf(ours, sizeof ours, TEMP_FORMAT, pid, attempt);
        if (std::strcmp(ours, entry->d_name) != 0) // exactly our naming, nothing like it
            continue;
        if (pid == getpid() || (kill(pid_t(pid), 0) != 0 && errno == ESRCH))
            unlinkat(dirfd(folder), entry->d_name, 0);
    }
    closedir(folder);
}

// Creates a fresh temporary file in the working folder; -1 when none can be made.
int createTemporary(char* name, size_t size) {
    for (int attempt = 0; attempt < TEMP_ATTEMPTS; ++attempt) {
        std::snprintf(name, size, TEMP_FORMAT, static_cast<long>(getpid()), attempt);
        const int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// errno after a step that failed; EIO where the step left none.
int failure() {
    return errno ? errno : EIO;
}

// Writes the BMP through our own stream so that the flush and the close can
// be checked; SDL's writer does not look at either. 0, or the errno of the
// first step that failed.
int writeBmp(SDL_Surface* surface, int fd) {
    FILE* file = fdopen(fd, "wb");
    if (!file) {
        const int error = errno;
        close(fd);
        return error;
    }
    int error = 0;
    const auto step = [&](bool ok) {
        if (!ok && !error)
            error = failure();
        errno = 0;
    };
    errno = 0;
    SDL_RWops* stream = SDL_RWFromFP(file, 0); // 0: the stream does not close the file
    step(stream && SDL_SaveBMP_RW(surface, stream, 0) == 0);
    if (stream)
        SDL_FreeRW(stream);
    step(std::fflush(file) == 0);
    step(fsync(fileno(file)) == 0);
    step(std::fclose(file) == 0);
    return error;
}

// Moves the temporary to `name` unless something stands there, for folders
// that do not take hard links.
int renameWithoutReplacing(const char* temporary, const char* name) {
    return renameat2(AT_FDCWD, temporary, AT_FDCWD, name, RENAME_NOREPLACE);
}

// How file systems say they do not do an operation at all (network and FUSE
// mounts), as opposed to a real failure.
bool unsupported(int error) {
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS ||
           error == EINVAL;
}

bool writeAll(int fd, const char* bytes, ssize_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, bytes, size_t(size));
        if (written <= 0)
            return false;
        bytes += written;
        size -= written;
    }
    return true;
}

// Copies the finished temporary into `name`, which is created here and so
// never an existing file; a failed copy removes it again. 0, EEXIST when the
// name is taken, or the errno of the step that failed.
int copyIntoNewFile(const char* temporary, const char* name) {
    const int out = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0)
        return errno;
    const int in = open(temporary, O_RDONLY | O_CLOEXEC);
    int error = in < 0 ? errno : 0;
    static char chunk[COPY_CHUNK];
    for (ssize_t got = 0; !error && (got = read(in, chunk, sizeof chunk)) != 0;)
        if (got < 0 || !writeAll(out, chunk, got))
            error = failure();
    if (in >= 0)
        close(in);
    if (fsync(out) != 0 && !error)
        error = errno;
    if (close(out) != 0 && !error)
        error = errno;
    if (error)
        unlink(name);
    return error;
}

// Puts the temporary under `name` in the first way the folder allows: a hard
// link, a no-replace rename, or a copy into a file created under that name.
// Each refuses a name that exists, even one taken by another writer a moment
// ago. 0, EEXIST when the name is taken, or the errno of the failure.
int place(const char* temporary, const char* name) {
    if (link(temporary, name) == 0)
        return 0;
    if (!unsupported(errno))
        return errno;
    if (renameWithoutReplacing(temporary, name) == 0)
        return 0;
    if (!unsupported(errno))
        return errno;
    return copyIntoNewFile(temporary, name);
}

// Gives the finished temporary the first free number. A name is taken when
// anything at all stands there, a dangling link or an unreadable file
// included.
ScreenshotResult publish(const char* temporary) {
    char name[NAME_SIZE];
    for (int n = 1; n < INT_MAX; ++n) {
        std::snprintf(name, sizeof name, "screenshot%d.bmp", n);
        struct stat info;
        if (lstat(name, &info) == 0)
            continue;
        if (errno != ENOENT)
            return {0, errno}; // cannot tell whether the name is free
        const int error = place(temporary, name);
        if (error != EEXIST)
            return {error ? 0 : n, error};
    }
    return {0, EEXIST};
}
} // namespace

ScreenshotResult writeScreenshot(SDL_Surface* surface) {
    if (!surface)
        return {0, EINVAL};
    clearLeftovers();
    char temporary[NAME_SIZE];
    const int fd = createTemporary(temporary, sizeof temporary);
    if (fd < 0)
        return {0, errno};
    const int error = writeBmp(surface, fd);
    const ScreenshotResult result = error ? ScreenshotResult{0, error} : publish(temporary);
    unlink(temporary);
    return result;
}

ScreenshotResult saveScreenshot() {
    const ScreenshotResult result = writeScreenshot(snapshotSurface);
    showSaveMessage(result);
    if (result.saved())
        playSound(SOUND_SHUTTER);
    return result;
}
