// The mixer: up to MAX_VOICES mono sounds at once, each read at its own pitch
// and panned with its own gains, summed into signed 16-bit stereo under a
// limiter. The frame posts starts through a queue that never blocks; the
// audio thread drains it and mixes, touching only memory set up beforehand.
#pragma once

#include "audio/sound_file.h"

#include <cstdint>

constexpr int MAX_VOICES = 16;
constexpr int SILENCE_FADE = 256; // samples (5.8 ms) over which a silenced voice fades out

// One sound to start: what to read, how fast, how loud on each side. When
// voices run out, the lowest priority and then the oldest start give way.
struct SoundStart {
    SoundSamples sound;
    uint32_t step = 0x10000; // source samples per output sample, 16.16 fixed point
    float gainLeft = 0, gainRight = 0;
    int priority = 0;
};

// The slot a new sound of `priority` takes among `count` slots: a free one,
// else the oldest of the lowest priority no higher than its own; -1 when every
// slot holds something more important. Slots have `active`, a SoundStart
// `start` and a `serial` (larger is newer). Used for the voices and for a
// frame's starts.
template <typename Slot> int slotFor(const Slot* slots, int count, int priority) {
    int chosen = -1;
    for (int i = 0; i < count; i++) {
        const Slot& s = slots[i];
        if (!s.active)
            return i;
        if (s.start.priority > priority)
            continue;
        const int chosenPriority = chosen < 0 ? 0 : slots[chosen].start.priority;
        if (chosen < 0 || s.start.priority < chosenPriority ||
            (s.start.priority == chosenPriority && s.serial < slots[chosen].serial))
            chosen = i;
    }
    return chosen;
}

// --- The frame's side: none of these waits for the audio thread ---------------
// Queues a start for the next mix; false when the queue is full (the mixer
// has stopped draining it), and the start is dropped.
bool postSoundStart(const SoundStart& start);
// Every voice sounding or queued fades out within SILENCE_FADE samples of the
// next mix; starts posted afterwards play.
void silenceMixer();
// True once the mixer has taken every start posted and has no voice left:
// what it would mix now is silence.
bool mixerIsIdle();

// --- The audio thread's side ------------------------------------------------------
// Writes `frames` stereo frames (left, right interleaved) of everything
// sounding, after starting what was posted. Called by the device's callback,
// and directly by tests and benchmarks.
void mixSound(int16_t* out, int frames);
