// The synthesis behind make_sounds: additive partials, band-passed noise and
// glides, summed into a float track and written as 16-bit PCM.
#include "sound_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double PI = 3.14159265358979323846;

// Hash noise in [-1, 1): the same seed and index give the same value.
double noise(uint32_t i, uint32_t seed) {
    uint32_t h = i * 0x9E3779B1u ^ seed * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h / 2147483648.0 - 1.0;
}

// A band-pass biquad (constant peak gain), retuned as it runs for glides.
struct BandPass {
    double b0 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    void tune(double hz, double q) {
        const double w = 2 * PI * hz / RATE, alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
        b0 = alpha / a0;
        b2 = -alpha / a0;
        a1 = -2 * std::cos(w) / a0;
        a2 = (1 - alpha) / a0;
    }
    double run(double x) {
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

int sampleAt(double seconds) {
    return int(std::lround(seconds * RATE));
}

double attackShape(double t, double attack) {
    return t >= attack ? 1.0 : 0.5 - 0.5 * std::cos(PI * t / attack);
}

void addNoise(Track& t, double start, double seconds, double fromHz, double toHz, double q,
              double amplitude, double attack, double decay, double window, uint32_t seed) {
    BandPass filter;
    const int first = sampleAt(start), count = sampleAt(seconds);
    for (int i = 0; i < count && first + i < int(t.samples.size()); i++) {
        const double time = double(i) / RATE, along = double(i) / count;
        filter.tune(fromHz * std::pow(toHz / fromHz, along), q);
        double envelope = attackShape(time, attack) * std::exp(-time / decay);
        if (window > 0)
            envelope *= std::sin(PI * along);
        t.samples[first + i] += float(amplitude * envelope * filter.run(noise(i, seed)));
    }
}

} // namespace

Track makeTrack(double seconds) {
    return Track{std::vector<float>(sampleAt(seconds), 0.0f)};
}

void addPartial(Track& t, double start, double hz, double amplitude, double attack, double decay) {
    const int first = sampleAt(start);
    const int count = std::min(sampleAt(decay * std::log(1e4)), int(t.samples.size()) - first);
    for (int i = 0; i < count; i++) {
        const double time = double(i) / RATE;
        t.samples[first + i] += float(amplitude * attackShape(time, attack) *
                                      std::exp(-time / decay) * std::sin(2 * PI * hz * time));
    }
}

void addGlide(Track& t, double start, double seconds, double fromHz, double toHz,
              double amplitude) {
    const int first = sampleAt(start), count = sampleAt(seconds);
    double phase = 0;
    for (int i = 0; i < count && first + i < int(t.samples.size()); i++) {
        const double along = double(i) / count;
        const double window = std::pow(std::sin(PI * along), 2.0);
        t.samples[first + i] += float(amplitude * window * std::sin(phase));
        phase += 2 * PI * fromHz * std::pow(toHz / fromHz, along) / RATE;
    }
}

void addNoiseBurst(Track& t, double start, double seconds, double hz, double q, double amplitude,
                   double decay, uint32_t seed) {
    addNoise(t, start, seconds, hz, hz, q, amplitude, 0.0005, decay, 0, seed);
}

void addGlidingNoise(Track& t, double start, double seconds, double fromHz, double toHz,
                     double amplitude, uint32_t seed) {
    addNoise(t, start, seconds, fromHz, toHz, 4.0, amplitude, 0.0005, 1e9, 1, seed);
}

void level(Track& t, double peak) {
    float largest = 0;
    for (float s : t.samples)
        largest = std::max(largest, std::fabs(s));
    const int fade = std::min(sampleAt(0.005), int(t.samples.size()));
    for (size_t i = 0; i < t.samples.size(); i++) {
        const size_t fromEnd = t.samples.size() - 1 - i;
        const double tail = fromEnd < size_t(fade) ? double(fromEnd) / fade : 1.0;
        t.samples[i] = float(t.samples[i] * peak / largest * tail);
    }
}

bool saveWav(const Track& t, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const uint32_t dataBytes = uint32_t(t.samples.size() * 2);
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; i++)
            std::fputc(int(value >> (8 * i) & 0xFF), file);
    };
    std::fputs("RIFF", file);
    put(36 + dataBytes, 4);
    std::fputs("WAVEfmt ", file);
    put(16, 4);       // the format chunk's size
    put(1, 2);        // PCM
    put(1, 2);        // mono
    put(RATE, 4);     // samples per second
    put(RATE * 2, 4); // bytes per second
    put(2, 2);        // bytes per sample
    put(16, 2);       // bits per sample
    std::fputs("data", file);
    put(dataBytes, 4);
    for (float s : t.samples)
        put(uint32_t(int16_t(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f))), 2);
    const bool written = !std::ferror(file);
    return std::fclose(file) == 0 && written;
}
