// The frame's side of sound: the effects' files and importance, a frame's
// starts gathered and merged, and the device paused while nothing sounds.
// Everything here runs on the main thread and never waits for the audio one.
#include "audio/sound.h"

#include "audio/device.h"
#include "audio/mixer.h"
#include "input/input.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

bool soundMuted = false;

namespace {

struct Effect {
    const char* file;
    int priority; // wall hits give way first, then paddle hits; the rest never to them
};
constexpr Effect EFFECTS[SOUND_COUNT] = {
    {"Media/Sound/paddle.wav", 1},  {"Media/Sound/wall.wav", 0},
    {"Media/Sound/goal.wav", 2},    {"Media/Sound/click.wav", 2},
    {"Media/Sound/sweepup.wav", 2}, {"Media/Sound/sweepdown.wav", 2},
    {"Media/Sound/shutter.wav", 2},
};

SoundSamples sounds[SOUND_COUNT];
bool soundOn = false;     // a device is open and has not been lost
bool devicePaused = true; // SDL opens it paused

// This frame's starts, at most one per voice.
struct PendingStart {
    SoundStart start;
    uint32_t serial = 0;
    bool active = false;
};
PendingStart pending[MAX_VOICES];
uint32_t nextSerial = 0;

// The same sound started twice in one frame starts at the same sample: the
// two add up to one voice with the summed gains, held to this much on a side.
constexpr float MERGED_GAIN_LIMIT = 1.5f;

// 2^(n/12) in 16.16 fixed point: the reading step n semitones up.
uint32_t pitchSteps[MAX_PITCH_SEMITONES + 1];

void merge(SoundStart& into, const SoundStart& more) {
    const float left = into.gainLeft + more.gainLeft, right = into.gainRight + more.gainRight;
    const float over = std::max({left, right, MERGED_GAIN_LIMIT}) / MERGED_GAIN_LIMIT;
    into.gainLeft = left / over;
    into.gainRight = right / over;
}

void postPending() {
    bool posted = false;
    for (PendingStart& p : pending) {
        if (p.active)
            posted |= postSoundStart(p.start);
        p.active = false;
    }
    if (posted && devicePaused) {
        SDL_PauseAudio(0);
        devicePaused = false;
    } else if (!posted && !devicePaused && mixerIsIdle()) {
        SDL_PauseAudio(1);
        devicePaused = true;
    }
}

} // namespace

double panForX(double x) {
    constexpr double MIDDLE_X = 320; // of the 640-pixel window
    constexpr double WIDTH = 0.8;
    return std::clamp((x - MIDDLE_X) / MIDDLE_X, -1.0, 1.0) * WIDTH;
}

void startSound(int mediaFolder) {
    soundOn = openSoundDevice();
    if (!soundOn)
        return;
    for (int n = 0; n <= MAX_PITCH_SEMITONES; n++)
        pitchSteps[n] = uint32_t(std::lround(65536.0 * std::exp2(n / 12.0)));
    for (int i = 0; i < SOUND_COUNT; i++)
        sounds[i] = readSoundFile(mediaFolder, EFFECTS[i].file);
}

void playSound(SoundEffect effect, double pan, int semitones) {
    if (!soundOn || soundMuted || !sounds[effect].data)
        return;
    SoundStart start;
    start.sound = sounds[effect];
    start.step = pitchSteps[std::clamp(semitones, 0, MAX_PITCH_SEMITONES)];
    // Equal power: the sum of the squared gains is 1 wherever the sound stands.
    const float side = std::clamp(float(pan), -1.0f, 1.0f);
    start.gainLeft = std::sqrt((1 - side) / 2);
    start.gainRight = std::sqrt((1 + side) / 2);
    start.priority = EFFECTS[effect].priority;

    for (PendingStart& p : pending)
        if (p.active && p.start.sound.data == start.sound.data && p.start.step == start.step) {
            merge(p.start, start);
            p.serial = nextSerial++; // it is now as recent as its latest part
            return;
        }
    const int slot = slotFor(pending, MAX_VOICES, start.priority);
    if (slot >= 0)
        pending[slot] = {start, nextSerial++, true};
}

void soundOverlayState(bool open) {
    static bool wasOpen = false;
    if (open != wasOpen)
        playSound(open ? SOUND_SWEEP_UP : SOUND_SWEEP_DOWN);
    wasOpen = open;
}

void updateSound() {
    if (wasPressed(keyStates[SDLK_m])) {
        soundMuted = !soundMuted;
        if (soundMuted) {
            for (PendingStart& p : pending)
                p.active = false;
            silenceMixer();
        }
    }
    if (!soundOn)
        return;
    // A device lost while playing (its server gone, a write failed) stops for
    // good: the game goes on silent.
    if (SDL_GetAudioStatus() == SDL_AUDIO_STOPPED) {
        soundOn = false;
        return;
    }
    postPending();
}
