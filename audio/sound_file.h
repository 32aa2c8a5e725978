// Reading a sound file: only a regular file in the one layout and format the
// mixer plays, and of a sensible length, is read.
#pragma once

#include <cstdint>

// --- What the mixer plays ------------------------------------------------------
constexpr int SOUND_RATE = 44100;                   // samples per second, sounds and output alike
constexpr long MAX_SOUND_SAMPLES = 2L * SOUND_RATE; // effects are short; two seconds is plenty

struct SoundSamples {
    const int16_t* data = nullptr; // mono, native byte order; null when the file failed
    uint32_t length = 0;           // samples
};

// Reads the WAV file at `path` relative to the folder `folder` (a descriptor,
// or AT_FDCWD). Gives an empty SoundSamples for anything but a regular file
// with the canonical 44-byte header of 16-bit mono PCM at 44.1 kHz and all of
// its at most MAX_SOUND_SAMPLES samples, and for a failed read; says nothing.
// Called by startSound.
SoundSamples readSoundFile(int folder, const char* path);
