// The headless display used by in-process tests.
#include "support/headless_display.h"

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
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    const int bytes = surface->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
    Uint32 raw = 0;
    for (int i = 0; i < bytes; ++i) // lowest byte first, as on the machines we run on
        raw |= Uint32(p[i]) << (8 * i);
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    Rgb c{};
    SDL_GetRGB(raw, surface->format, &c.r, &c.g, &c.b);
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
