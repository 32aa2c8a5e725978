// The headless display used by in-process tests.
#include "support/headless_display.h"

#include "ui/display.h"
#include "ui/pixel_access.h"
#include "ui/pixel_kernels.h"
#include "ui/theme.h"

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

SDL_Surface* useScreenLayout(int depth, Uint32 r, Uint32 g, Uint32 b, const SDL_Color* palette) {
    screen = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, depth, r, g, b, 0);
    if (depth == 8)
        SDL_SetColors(screen, const_cast<SDL_Color*>(palette), 0, 256);
    snapshotSurface = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
    backdropSurface = SDL_ConvertSurface(screen, screen->format, SDL_SWSURFACE);
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

void pushEvent(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP)
        event.button.button = SDL_BUTTON_LEFT;
    else
        event.key.keysym.sym = key;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
}

void tapKey(SDLKey key) {
    pushEvent(SDL_KEYDOWN, key);
    pushEvent(SDL_KEYUP, key);
}

void clickAt(int x, int y) {
    SDL_WarpMouse(Uint16(x), Uint16(y));
    pushEvent(SDL_MOUSEBUTTONDOWN);
    pushEvent(SDL_MOUSEBUTTONUP);
}

void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

void fillSurface(SDL_Surface* surface, Rgb colour) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, colour.r, colour.g, colour.b));
}

void fillWithNoise(SDL_Surface* surface, uint32_t seed) {
    SurfaceLock lock(surface);
    uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) {
            state = state * 1664525u + 1013904223u; // a plain linear congruential sequence
            const uint32_t v = state >> 8;
            writeRawPixel(surface, x, y,
                          SDL_MapRGBA(surface->format, Uint8(v), Uint8(v >> 8), Uint8(v >> 16),
                                      Uint8(state >> 3)));
        }
}

int differingPixels(SDL_Surface* a, SDL_Surface* b) {
    SurfaceLock lockA(a), lockB(b);
    int count = 0;
    for (int y = 0; y < a->h; ++y)
        for (int x = 0; x < a->w; ++x) {
            Rgb p, q;
            SDL_GetRGB(readRawPixel(a, x, y), a->format, &p.r, &p.g, &p.b);
            SDL_GetRGB(readRawPixel(b, x, y), b->format, &q.r, &q.g, &q.b);
            count += p != q;
        }
    return count;
}

bool classicSdl() {
    constexpr Uint8 FIRST_COMPAT_PATCH = 50;
    return SDL_Linked_Version()->patch < FIRST_COMPAT_PATCH;
}

SDL_Surface* makeSolidSurface(int w, int h, Rgb colour, bool alpha) {
    SDL_Surface* plain = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00,
                                              0x000000ff, 0xff000000);
    SDL_FillRect(plain, nullptr, SDL_MapRGBA(plain->format, colour.r, colour.g, colour.b, 255));
    SDL_Surface* converted = alpha ? SDL_DisplayFormatAlpha(plain) : SDL_DisplayFormat(plain);
    SDL_FreeSurface(plain);
    return converted;
}

bool runPixelKernelsIn(int64_t target) {
    if (!pixelKernelTargetRuns(target))
        return false;
    usePixelKernelTarget(target);
    EXPECT_STREQ(pixelKernelTargetInUse(), pixelKernelTargetName(target));
    return true;
}

std::string pixelTargetName(const ::testing::TestParamInfo<int64_t>& info) {
    return pixelKernelTargetName(info.param);
}

void HeadlessDisplayTest::SetUp() {
    ASSERT_NE(openHeadlessDisplay(32), nullptr) << SDL_GetError();
}
