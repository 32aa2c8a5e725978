// The arena's background and border. Whatever the background leaves under
// the border's opaque pixels is covered again in the same frame, so it need
// not be drawn there; the border decides where that is, measured once on the
// screen's own format, so the screen ends up exactly as with whole blits.
#include "game/arena.h"

#include "game/world.h"
#include "ui/display.h"
#include "ui/pixel_access.h"

SDL_Rect fieldOpening = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

namespace {

// Probe colours: a blit whose result depends on what lies beneath gives
// different pixels over at least two of them.
constexpr Uint8 PROBE_GREYS[] = {0, 128, 255};

// The border blitted over a screen-format surface filled with one grey.
SDL_Surface* borderOver(Uint8 grey) {
    SDL_Surface* probe = SDL_DisplayFormat(screen);
    if (!probe)
        return nullptr;
    SDL_FillRect(probe, nullptr, SDL_MapRGB(probe->format, grey, grey, grey));
    SDL_BlitSurface(borderImage, nullptr, probe, nullptr);
    return probe;
}

// Widens `box` (x0, y0, x1, y1, half-open) to every pixel where a and b
// differ. Each row is scanned from both ends to its first difference. False
// when the pixels cannot be read.
bool widenToDifferences(SDL_Surface* a, SDL_Surface* b, int box[4]) {
    SurfaceLock lockA(a), lockB(b);
    if (!lockA.ok() || !lockB.ok())
        return false;
    const int bytesPerPixel = a->format->BytesPerPixel;
    const int rowBytes = a->w * bytesPerPixel;
    for (int y = 0; y < a->h; ++y) {
        const Uint8* rowA = static_cast<const Uint8*>(a->pixels) + y * a->pitch;
        const Uint8* rowB = static_cast<const Uint8*>(b->pixels) + y * b->pitch;
        int first = 0, last = rowBytes - 1;
        while (first < rowBytes && rowA[first] == rowB[first])
            ++first;
        if (first == rowBytes)
            continue;
        while (rowA[last] == rowB[last])
            --last;
        box[0] = SDL_min(box[0], first / bytesPerPixel);
        box[1] = SDL_min(box[1], y);
        box[2] = SDL_max(box[2], last / bytesPerPixel + 1);
        box[3] = SDL_max(box[3], y + 1);
    }
    return true;
}

} // namespace

void measureFieldOpening() {
    fieldOpening = {0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    if (!screen || !borderImage)
        return;
    SDL_Surface* probes[3] = {};
    bool measured = true;
    for (int i = 0; i < 3; ++i)
        measured = (probes[i] = borderOver(PROBE_GREYS[i])) != nullptr && measured;
    int box[4] = {screen->w, screen->h, 0, 0};
    measured = measured && widenToDifferences(probes[0], probes[1], box) &&
               widenToDifferences(probes[1], probes[2], box);
    // Unmeasured, the background is drawn whole; a border that hides
    // everything leaves nothing to draw.
    if (measured && box[2] > box[0] && box[3] > box[1])
        fieldOpening = {Sint16(box[0]), Sint16(box[1]), Uint16(box[2] - box[0]),
                        Uint16(box[3] - box[1])};
    else if (measured)
        fieldOpening = {0, 0, 0, 0};
    for (SDL_Surface* probe : probes)
        SDL_FreeSurface(probe);
}

void drawBackground() {
    SDL_Rect source = fieldOpening;
    SDL_Rect destination = fieldOpening;
    SDL_BlitSurface(backgroundImage, &source, screen, &destination);
}

void drawBorder() {
    SDL_BlitSurface(borderImage, nullptr, screen, nullptr);
}
