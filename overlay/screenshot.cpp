// Writes the frozen frame to the first free "screenshot%d.bmp". The picture
// goes to a private temporary file first and is linked under its final name
// only when every write, the flush and the close have succeeded, so a failure
// leaves nothing behind and an existing file is never replaced. Folders that
// take neither links nor no-replace renames get a copy in a file created
// under the final name, removed again if the copy fails.
#include "overlay/screenshot.h"

#include "audio/sound.h"
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

enum class Outcome { DONE, NAME_TAKEN, FAILED };

// Copies the finished temporary into `name`, which is created here and so
// never an existing file; a failed copy removes it again.
Outcome copyIntoNewFile(const char* temporary, const char* name) {
    const int out = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0)
        return errno == EEXIST ? Outcome::NAME_TAKEN : Outcome::FAILED;
    const int in = open(temporary, O_RDONLY | O_CLOEXEC);
    bool ok = in >= 0;
    static char chunk[COPY_CHUNK];
    for (ssize_t got = 0; ok && (got = read(in, chunk, sizeof chunk)) != 0;)
        ok = got > 0 && writeAll(out, chunk, got);
    if (in >= 0)
        close(in);
    ok = fsync(out) == 0 && ok;
    ok = close(out) == 0 && ok;
    if (!ok)
        unlink(name);
    return ok ? Outcome::DONE : Outcome::FAILED;
}

// What a refused link or rename that the folder does support means.
Outcome refusal() {
    return errno == EEXIST ? Outcome::NAME_TAKEN : Outcome::FAILED;
}

// Puts the temporary under `name` in the first way the folder allows: a hard
// link, a no-replace rename, or a copy into a file created under that name.
// Each refuses a name that exists, even one taken by another writer a moment ago.
Outcome place(const char* temporary, const char* name) {
    if (link(temporary, name) == 0)
        return Outcome::DONE;
    if (!unsupported(errno))
        return refusal();
    if (renameWithoutReplacing(temporary, name) == 0)
        return Outcome::DONE;
    if (!unsupported(errno))
        return refusal();
    return copyIntoNewFile(temporary, name);
}

// Gives the finished temporary the first free number. A name is taken when
// anything at all stands there, a dangling link or an unreadable file
// included.
bool publish(const char* temporary) {
    char name[NAME_SIZE];
    for (int n = 1; n < INT_MAX; ++n) {
        std::snprintf(name, sizeof name, "screenshot%d.bmp", n);
        struct stat info;
        if (lstat(name, &info) == 0)
            continue;
        if (errno != ENOENT)
            return false; // cannot tell whether the name is free
        const Outcome outcome = place(temporary, name);
        if (outcome != Outcome::NAME_TAKEN)
            return outcome == Outcome::DONE;
    }
    return false;
}
} // namespace

bool writeScreenshot(SDL_Surface* surface) {
    if (!surface)
        return false;
    clearLeftovers();
    char temporary[NAME_SIZE];
    const int fd = createTemporary(temporary, sizeof temporary);
    if (fd < 0)
        return false;
    const bool written = writeBmp(surface, fd) && publish(temporary);
    unlink(temporary);
    return written;
}

void saveScreenshot() {
    if (writeScreenshot(snapshotSurface)) // a failed screenshot is skipped without a word
        playSound(SOUND_SHUTTER);
}
