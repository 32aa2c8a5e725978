// Opens sounds without trusting the file system, as the pictures are opened:
// without blocking (a FIFO in place of a sound must not stall start-up) and
// checked on that same descriptor. Only the canonical layout the generator
// writes is read: a 44-byte header, then the samples. SDL's WAV reader is not
// used: the two SDL 1.2 runtimes disagree on a truncated file (classic SDL
// refuses it, SDL2 plays what is there), and this layout needs no parsing.
#include "audio/sound_file.h"

#include <SDL.h>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// "RIFF" size "WAVE", the 16-byte "fmt " chunk (format tag 1 = PCM at 20,
// channels at 22, rate at 24, bits per sample at 34), then "data" and its
// size at 36 and 40.
constexpr int HEADER_BYTES = 44;

uint32_t littleEndian(const unsigned char* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

// The number of samples the file holds, or 0 when it is not a regular file
// of the one layout and format the mixer plays, with all its samples there.
uint32_t playableSamples(int fd) {
    struct stat info;
    unsigned char h[HEADER_BYTES];
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        pread(fd, h, sizeof h, 0) != ssize_t(sizeof h))
        return 0;
    const bool layout = std::memcmp(h, "RIFF", 4) == 0 && std::memcmp(h + 8, "WAVEfmt ", 8) == 0 &&
                        littleEndian(h + 16, 4) == 16 && std::memcmp(h + 36, "data", 4) == 0;
    const bool format = littleEndian(h + 20, 2) == 1 && littleEndian(h + 22, 2) == 1 &&
                        littleEndian(h + 24, 4) == SOUND_RATE && littleEndian(h + 34, 2) == 16;
    const uint32_t samples = littleEndian(h + 40, 4) / 2;
    if (!layout || !format || samples == 0 || samples > MAX_SOUND_SAMPLES ||
        info.st_size < HEADER_BYTES + 2 * off_t(samples))
        return 0;
    return samples;
}

} // namespace

SoundSamples readSoundFile(int folder, const char* path) {
    const int fd = openat(folder, path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const uint32_t samples = playableSamples(fd);
    int16_t* data = samples ? new int16_t[samples] : nullptr; // kept until exit
    const ssize_t bytes = ssize_t(2 * samples);
    if (data && pread(fd, data, bytes, HEADER_BYTES) != bytes) {
        delete[] data;
        data = nullptr;
    }
    close(fd);
    if (!data)
        return {};
    for (uint32_t i = 0; i < samples; i++)
        data[i] = int16_t(SDL_SwapLE16(uint16_t(data[i])));
    return {data, samples};
}
