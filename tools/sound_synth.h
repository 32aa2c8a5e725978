// Building blocks of make_sounds: a mono float track at 44.1 kHz, partials
// with their own decay, filtered noise bursts, glides, and the WAV writer.
// Everything is pure and repeatable: the same calls give the same samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int RATE = 44100;

struct Track {
    std::vector<float> samples; // -1..1 once levelled
};

// A silent track of `seconds`.
Track makeTrack(double seconds);

// A sine partial from `start` seconds: frequency `hz`, peak `amplitude`,
// a raised-cosine attack of `attack` seconds and an exponential decay with
// time constant `decay` seconds, cut where it has fallen below -80 dB.
void addPartial(Track& t, double start, double hz, double amplitude, double attack, double decay);

// A sine gliding exponentially from `fromHz` to `toHz` over `seconds` from
// `start`, shaped by a Hann window, so it swells in and out with no edge.
void addGlide(Track& t, double start, double seconds, double fromHz, double toHz, double amplitude);

// A burst of hash noise through a band-pass filter at `hz` (quality q), with
// a 0.5 ms attack and exponential decay `decay`, lasting `seconds`.
void addNoiseBurst(Track& t, double start, double seconds, double hz, double q, double amplitude,
                   double decay, uint32_t seed);

// The same noise following a glide's band, for a breath under a sweep.
void addGlidingNoise(Track& t, double start, double seconds, double fromHz, double toHz,
                     double amplitude, uint32_t seed);

// Scales the track so its largest sample is `peak`, then fades its last
// 5 ms to zero, so it can stop anywhere without a click.
void level(Track& t, double peak);

// Called by make_sounds: writes 16-bit mono PCM at RATE as a canonical WAV file.
bool saveWav(const Track& t, const std::string& path);
