// Sound effects as the game asks for them: a frame plays effects by name,
// panned by where they happen, and at its end hands them to the mixer; `m`
// mutes everything. Without a sound device all of it costs a test and a return.
#pragma once

// --- Mute ---------------------------------------------------------------------
extern bool soundMuted; // toggled by m, from the next frame on; never saved

enum SoundEffect {
    SOUND_PADDLE,     // a ball off a paddle; pitched up by its speed
    SOUND_WALL,       // a ball off a wall: softer and lower
    SOUND_GOAL,       // a falling chime, on the side that conceded
    SOUND_CLICK,      // a themed button clicked
    SOUND_SWEEP_UP,   // the overlay starts to open
    SOUND_SWEEP_DOWN, // the overlay starts to close
    SOUND_SHUTTER,    // a screenshot saved
    SOUND_COUNT
};

// Loads the sounds from `mediaFolder` (a descriptor of the folder holding
// Media/, or AT_FDCWD) and opens the sound device. A sound that fails to load
// stays silent; without a device every effect does. Called once by start-up
// after SDL_Init, before the first frame.
void startSound(int mediaFolder);

constexpr int MAX_PITCH_SEMITONES = 24; // two octaves

// The pan of a sound made at window x: -0.8 at the left edge, 0.8 at the
// right, never wholly in one ear.
double panForX(double x);

// Plays `effect` from the end of this frame, panned by `pan` (-1 left to 1
// right) and raised by `semitones` (0 to MAX_PITCH_SEMITONES). Of a frame's
// effects at most 16 are kept, by importance and then the most recent; the
// same sound at the same pitch more than once in a frame plays once, louder.
// Called by the units that make sounds, during the frame.
void playSound(SoundEffect effect, double pan = 0.0, int semitones = 0);

// Plays the rising sweep when `open` turns true and the falling one when it
// turns false. Called once per frame by the overlay with overlayOpen.
void soundOverlayState(bool open);

// The m toggle, then this frame's effects to the mixer; pauses the device
// once nothing sounds and resumes it for the next effect. Called once per
// frame by the frame pass, after the overlay.
void updateSound();
