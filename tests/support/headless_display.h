// Opens SDL's dummy video driver with a true-colour 640x480 screen, so that
// tests can draw into `screen` and read back the pixels without a window.
#pragma once

#include "input/input.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// Sets up SDL with the dummy drivers and a 640x480 display of `depth` bits
// (32 unless a test wants the 8-bit palettized display); assigns `screen`.
SDL_Surface* openHeadlessDisplay(int depth = 32);

// Points `screen` at a new 640x480 software surface of `depth` bits with the
// given colour masks (at 8 bits: the 256 colours of `palette`), and the
// overlay's work surfaces at copies of it, as a display of that layout would
// have them.
SDL_Surface* useScreenLayout(int depth, Uint32 r, Uint32 g, Uint32 b, const SDL_Color* palette);

// Reads the pixel at (x, y) of a surface as 8-bit R, G, B (locks if needed).
struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};
Rgb pixelAt(SDL_Surface* surface, int x, int y);
void PrintTo(const Rgb& c, std::ostream* os);

// Fills the whole surface with one colour.
void fillSurface(SDL_Surface* surface, Rgb colour);

// Fills every pixel with a colour (and alpha, where the surface has one) drawn
// from a fixed sequence of its own for each seed.
void fillWithNoise(SDL_Surface* surface, uint32_t seed);

// How many pixels of two surfaces of one size differ in colour (formats may differ).
int differingPixels(SDL_Surface* a, SDL_Surface* b);

// True on classic SDL 1.2; sdl12-compat reports versions from 1.2.50 on.
bool classicSdl();

// A surface in the display's format, filled with one colour; with alpha it
// carries per-pixel alpha like the pictures the alpha loader returns.
SDL_Surface* makeSolidSurface(int w, int h, Rgb colour, bool alpha = false);

// Puts the pointer at (x, y) in the input snapshot with the left button in
// `leftButton` (KEY_PRESSED clicks), as updateInput would have left them.
void pointAt(int x, int y, uint32_t leftButton);

// Queues an event of `type` (a key's, or the left button's) as SDL would.
void pushEvent(Uint8 type, SDLKey key = SDLK_UNKNOWN);
// A press and its release, queued together as a quick tap or click sends
// them; the click where the pointer is warped to.
void tapKey(SDLKey key);
void clickAt(int x, int y);

// Runs the pixel loops only in `target` for the rest of the test, checking
// that its build is the one that runs; false, changing nothing, where this
// processor lacks it (the test then skips). Parameterized tests run over
// pixelKernelTargets() and name their cases with pixelTargetName.
bool runPixelKernelsIn(int64_t target);
std::string pixelTargetName(const ::testing::TestParamInfo<int64_t>& info);

// Fixture: a fresh headless 32-bit display for every test.
class HeadlessDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override;
};
