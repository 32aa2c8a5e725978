// The voices and their mix. The queue from the frame is a single-producer,
// single-consumer ring: the frame writes entries and then publishes the head,
// the audio thread reads them and then publishes the tail, so neither ever
// waits for the other. A silence is a generation count: starts posted before
// it are dropped and voices fade, whichever thread gets there first.
#include "audio/mixer.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

struct Voice {
    SoundStart start;
    uint64_t position = 0; // in the source, 16.16 fixed point
    uint32_t serial = 0;
    int fadeLeft = 0; // samples until a fading voice ends; 0 while it plays on
    bool active = false;
};

struct Posted {
    SoundStart start;
    uint32_t generation;
};

constexpr uint32_t QUEUE_SIZE = 64; // a power of two; a frame posts at most MAX_VOICES
Posted queue[QUEUE_SIZE];
std::atomic<uint32_t> queueHead{0}; // written by the frame
std::atomic<uint32_t> queueTail{0}; // written by the audio thread
std::atomic<uint32_t> silenceGeneration{0};
// The tail at which the mixer last found itself without voices, or NOT_IDLE.
constexpr uint64_t NOT_IDLE = ~uint64_t(0);
std::atomic<uint64_t> idleThrough{0};

// --- Audio thread only ---
Voice voices[MAX_VOICES];
uint32_t nextSerial = 0;
uint32_t heardGeneration = 0;
constexpr int MIX_CHUNK = 512; // frames mixed at a time, whatever the device asks for
float mixBuffer[2 * MIX_CHUNK];

// The limiter holds the sum under CEILING: a peak above it lowers the gain at
// once to just fit, and the gain recovers with a 60 ms time constant, so even
// a crowd of hits comes out as a loud, undistorted hit rather than a clipped one.
constexpr float CEILING = 30000.0f;
const float RELEASE = 1.0f - std::exp(-1.0f / (0.060f * SOUND_RATE));
float limiterGain = 1.0f;

void startVoice(const SoundStart& start) {
    const int slot = slotFor(voices, MAX_VOICES, start.priority);
    if (slot < 0 || !start.sound.data)
        return;
    voices[slot] = Voice{start, 0, nextSerial++, 0, true};
}

// Adds one voice to the mix, reading between samples by straight-line
// interpolation. It ends at its last sample or at the end of a fade.
void mixVoice(Voice& v, float* mix, int frames) {
    const int16_t* samples = v.start.sound.data;
    const uint32_t last = v.start.sound.length - 1;
    for (int i = 0; i < frames; i++) {
        const uint32_t index = uint32_t(v.position >> 16);
        if (index >= last) {
            v.active = false;
            return;
        }
        const float a = samples[index], b = samples[index + 1];
        float s = a + (b - a) * float(v.position & 0xFFFF) * (1.0f / 65536.0f);
        if (v.fadeLeft > 0) {
            s *= float(v.fadeLeft) / SILENCE_FADE;
            if (--v.fadeLeft == 0) {
                v.active = false;
                return;
            }
        }
        mix[2 * i] += s * v.start.gainLeft;
        mix[2 * i + 1] += s * v.start.gainRight;
        v.position += v.start.step;
    }
}

int16_t saturate(float x) {
    return int16_t(std::clamp(std::lrint(x), -32768L, 32767L));
}

void limit(const float* mix, int16_t* out, int frames) {
    for (int i = 0; i < frames; i++) {
        const float left = mix[2 * i], right = mix[2 * i + 1];
        const float peak = std::max(std::fabs(left), std::fabs(right));
        if (peak * limiterGain > CEILING)
            limiterGain = CEILING / peak;
        out[2 * i] = saturate(left * limiterGain);
        out[2 * i + 1] = saturate(right * limiterGain);
        limiterGain += (1.0f - limiterGain) * RELEASE;
    }
}

} // namespace

bool postSoundStart(const SoundStart& start) {
    const uint32_t head = queueHead.load(std::memory_order_relaxed);
    if (head - queueTail.load(std::memory_order_acquire) == QUEUE_SIZE)
        return false;
    queue[head % QUEUE_SIZE] = {start, silenceGeneration.load(std::memory_order_relaxed)};
    queueHead.store(head + 1, std::memory_order_release);
    return true;
}

void silenceMixer() {
    silenceGeneration.fetch_add(1, std::memory_order_release);
}

bool mixerIsIdle() {
    return idleThrough.load(std::memory_order_acquire) == queueHead.load(std::memory_order_relaxed);
}

void mixSound(int16_t* out, int frames) {
    // Silence
    const uint32_t generation = silenceGeneration.load(std::memory_order_acquire);
    if (generation != heardGeneration) {
        heardGeneration = generation;
        for (Voice& v : voices)
            if (v.active && v.fadeLeft == 0)
                v.fadeLeft = SILENCE_FADE;
    }
    // Starts
    const uint32_t head = queueHead.load(std::memory_order_acquire);
    uint32_t tail = queueTail.load(std::memory_order_relaxed);
    for (; tail != head; tail++)
        if (queue[tail % QUEUE_SIZE].generation == generation)
            startVoice(queue[tail % QUEUE_SIZE].start);
    queueTail.store(tail, std::memory_order_release);
    // Mix
    for (int done = 0; done < frames; done += MIX_CHUNK) {
        const int n = std::min(MIX_CHUNK, frames - done);
        std::fill(mixBuffer, mixBuffer + 2 * n, 0.0f);
        for (Voice& v : voices)
            if (v.active)
                mixVoice(v, mixBuffer, n);
        limit(mixBuffer, out + 2 * done, n);
    }
    const bool sounding =
        std::any_of(voices, voices + MAX_VOICES, [](const Voice& v) { return v.active; });
    idleThrough.store(sounding ? NOT_IDLE : tail, std::memory_order_release);
}
