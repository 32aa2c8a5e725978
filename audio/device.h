// The sound device: which of SDL's audio drivers to use, and the one device
// opened at start-up, paused whenever nothing sounds.
#pragma once

// Chooses the audio driver SDL_Init will start, unless the user set
// SDL_AUDIODRIVER: the desktop's sound server when its socket is in
// `runtimeFolder` (XDG_RUNTIME_DIR; PulseAudio, or PipeWire's PulseAudio
// socket), else ALSA when `deviceFolder` (/dev/snd) has a playback device,
// else SDL's silent driver, so that a machine without sound prints nothing.
const char* pickAudioDriver(const char* runtimeFolder, const char* deviceFolder);
// Sets SDL_AUDIODRIVER to pickAudioDriver's choice for this machine unless
// the user set it. Called by start-up before SDL_Init.
void chooseAudioDriver();

// Opens the device, paused, in signed 16-bit stereo at 44.1 kHz with buffers
// of SOUND_BUFFER_FRAMES, its callback the mixer, unless the audio driver is SDL's
// silent one or did not start. False, without a word, when there is none.
// Called once by startSound.
bool openSoundDevice();

// 23 ms, the most that keeps a hit within about two frames of the frame that
// made it. No less: SDL 1.2 keeps its audio thread writing silence while the
// device is paused, a wake-up per buffer, and at 512 frames the idle title
// screen paid for twice as many of them.
constexpr int SOUND_BUFFER_FRAMES = 1024;
