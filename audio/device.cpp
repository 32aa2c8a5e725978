// The audio driver and the device. SDL 1.2 (classic and sdl12-compat alike)
// starts the driver SDL_AUDIODRIVER names; without a name it probes, and ALSA
// prints its errors on a machine without a sound card, so the game names one
// itself. Both runtimes know the sound server's driver as "pulse" (SDL2 takes
// it for its "pulseaudio"), ALSA's as "alsa" and the silent one as "dummy".
#include "audio/device.h"

#include "audio/mixer.h"
#include "audio/sound_file.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fnmatch.h>
#include <string>
#include <sys/stat.h>

namespace {

bool isSocket(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// A playback device is /dev/snd/pcmC<card>D<device>p; capture ones end in c.
bool hasPlaybackDevice(const char* folder) {
    DIR* dir = opendir(folder);
    if (!dir)
        return false;
    bool found = false;
    while (const dirent* entry = readdir(dir))
        found |= fnmatch("pcmC*D*p", entry->d_name, 0) == 0;
    closedir(dir);
    return found;
}

void fill(void*, Uint8* stream, int bytes) {
    mixSound(reinterpret_cast<int16_t*>(stream), bytes / int(2 * sizeof(int16_t)));
}

} // namespace

const char* pickAudioDriver(const char* runtimeFolder, const char* deviceFolder) {
    if (runtimeFolder && *runtimeFolder && isSocket(std::string(runtimeFolder) + "/pulse/native"))
        return "pulse";
    if (hasPlaybackDevice(deviceFolder))
        return "alsa";
    return "dummy";
}

void chooseAudioDriver() {
    setenv("SDL_AUDIODRIVER", pickAudioDriver(std::getenv("XDG_RUNTIME_DIR"), "/dev/snd"), 0);
}

bool openSoundDevice() {
    char driver[32] = "";
    if (!SDL_WasInit(SDL_INIT_AUDIO) || !SDL_AudioDriverName(driver, sizeof driver) ||
        std::strcmp(driver, "dummy") == 0)
        return false;
    SDL_AudioSpec wanted{};
    wanted.freq = SOUND_RATE;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = SOUND_BUFFER_FRAMES;
    wanted.callback = fill;
    // Without asking what was obtained, SDL converts to whatever the hardware
    // takes, so the mixer always writes this one format.
    return SDL_OpenAudio(&wanted, nullptr) == 0;
}
