// make_sounds: writes every sound effect the game plays, as 16-bit mono WAV
// files at 44.1 kHz, into the folder given on the command line (Media/Sound).
// Each is synthesised from a few partials and noise bursts; the output
// depends only on this code, so each run gives the same bytes.
//
// The effects are tuned to one another: the paddle hit is an A (440 Hz, the
// mixer raises it a semitone per half pixel per frame of ball speed), the
// wall hit the A an octave below, the goal chime falls through A minor
// (E, C, A), and all stay well under full scale so several can sound at once.
#include <cstdio>
#include <filesystem>
#include <string>

#include "sound_synth.h"

namespace {

// A marimba-like "tock": the tone, its octave, the bar's fourth partial that
// gives the mallet its wood, and a breath of noise for the strike.
Track makePaddleHit() {
    Track t = makeTrack(0.20);
    addPartial(t, 0, 440.0, 1.0, 0.0015, 0.060);
    addPartial(t, 0, 880.0, 0.22, 0.0015, 0.035);
    addPartial(t, 0, 1760.0, 0.16, 0.0010, 0.012);
    addNoiseBurst(t, 0, 0.010, 3200, 1.2, 0.9, 0.0025, 1);
    level(t, 0.36);
    return t;
}

// Softer and lower: the A below, rounder, with a dull knock.
Track makeWallHit() {
    Track t = makeTrack(0.14);
    addPartial(t, 0, 220.0, 1.0, 0.0020, 0.035);
    addPartial(t, 0, 440.0, 0.12, 0.0020, 0.020);
    addNoiseBurst(t, 0, 0.012, 700, 0.9, 0.8, 0.0030, 2);
    level(t, 0.20);
    return t;
}

// A small bell: a struck partial with its octave and two brighter, quickly
// dying ones a little off the harmonics, as a bell's are.
void addBell(Track& t, double start, double hz, double amplitude, double decay) {
    addPartial(t, start, hz, amplitude, 0.002, decay);
    addPartial(t, start, 2.0 * hz, 0.35 * amplitude, 0.002, 0.6 * decay);
    addPartial(t, start, 3.01 * hz, 0.12 * amplitude, 0.002, 0.3 * decay);
    addPartial(t, start, 4.2 * hz, 0.08 * amplitude, 0.001, 0.15 * decay);
}

// The falling chime: E5, C5, A4, the last let ring.
Track makeGoal() {
    Track t = makeTrack(1.0);
    addBell(t, 0.00, 659.26, 1.0, 0.14);
    addBell(t, 0.11, 523.25, 0.95, 0.16);
    addBell(t, 0.22, 440.00, 1.0, 0.20);
    level(t, 0.30);
    return t;
}

// A glassy tick for the glass buttons: short, high and soft.
Track makeClick() {
    Track t = makeTrack(0.035);
    addPartial(t, 0, 1975.5, 1.0, 0.0006, 0.0045);
    addPartial(t, 0, 3951.0, 0.3, 0.0004, 0.0025);
    addNoiseBurst(t, 0, 0.004, 6000, 1.0, 0.5, 0.0008, 3);
    level(t, 0.20);
    return t;
}

// A soft sweep over a twelfth with a breath of noise along it, for the
// overlay's slide: up when it opens, down when it closes.
Track makeSweep(bool up) {
    constexpr double LOW = 330.0, HIGH = 990.0, SECONDS = 0.34;
    const double from = up ? LOW : HIGH, to = up ? HIGH : LOW;
    Track t = makeTrack(SECONDS);
    addGlide(t, 0, SECONDS, from, to, 1.0);
    addGlide(t, 0, SECONDS, from * 1.003, to * 1.003, 0.6); // a slight chorus
    addGlide(t, 0, SECONDS, 2 * from, 2 * to, 0.12);
    addGlidingNoise(t, 0, SECONDS, 2 * from, 2 * to, 1.5, up ? 4 : 5);
    level(t, 0.15);
    return t;
}

// A shutter: the blades' crisp snap with a low knock under it, then the
// softer return.
Track makeShutter() {
    Track t = makeTrack(0.15);
    addNoiseBurst(t, 0.000, 0.030, 4200, 1.4, 1.0, 0.006, 6);
    addPartial(t, 0.000, 170.0, 0.45, 0.0008, 0.012);
    addNoiseBurst(t, 0.070, 0.040, 2600, 1.2, 0.7, 0.008, 7);
    addPartial(t, 0.070, 140.0, 0.25, 0.0008, 0.010);
    level(t, 0.30);
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds <Sound folder>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::pair<Track, const char*> sounds[] = {
        {makePaddleHit(), "paddle.wav"},  {makeWallHit(), "wall.wav"},
        {makeGoal(), "goal.wav"},         {makeClick(), "click.wav"},
        {makeSweep(true), "sweepup.wav"}, {makeSweep(false), "sweepdown.wav"},
        {makeShutter(), "shutter.wav"},
    };
    int failures = 0;
    for (const auto& [track, name] : sounds)
        if (!saveWav(track, (folder / name).string())) {
            std::fprintf(stderr, "make_sounds: could not write %s\n", (folder / name).c_str());
            ++failures;
        }
    return failures == 0 ? 0 : 1;
}
