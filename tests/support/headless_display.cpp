// The headless display used by in-process tests.
#include "support/headless_display.h"

#include "overlay/pixels.h"
#include "ui/display.h"

#include <cstdlib>
#include <ostream>

SDL_Surface* openHeadlessDisplay(int depth) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return nullptr;
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, depth, SDL_DOUBLEBUF);
    return screen;
}

Rgb pixelAt(SDL_Surface* surface, int x, int y) {
    SurfaceLock lock(surface);
    Rgb c{};
    SDL_GetRGB(readRawPixel(surface, x, y), surface->format, &c.r, &c.g, &c.b);
    return c;
}

void pointAt(int x, int y, uint32_t leftButton) {
    mouseX = x;
    mouseY = y;
    mouseButtonStates[SDL_BUTTON_LEFT] = leftButton;
}

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

void fillSurface(SDL_Surface* surface, Rgb colour) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, colour.r, colour.g, colour.b));
}

SDL_Surface* makeSolidSurface(int w, int h, Rgb colour, bool alpha) {
    SDL_Surface* plain = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00,
                                              0x000000ff, 0xff000000);
    SDL_FillRect(plain, nullptr, SDL_MapRGBA(plain->format, colour.r, colour.g, colour.b, 255));
    SDL_Surface* converted = alpha ? SDL_DisplayFormatAlpha(plain) : SDL_DisplayFormat(plain);
    SDL_FreeSurface(plain);
    return converted;
}

void HeadlessDisplayTest::SetUp() {
    ASSERT_NE(openHeadlessDisplay(32), nullptr) << SDL_GetError();
}
