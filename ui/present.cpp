// The present step: one scaled row per game row, copied down k - 1 times.
// Each pixel is copied as raw bytes, so no colour can change on the way.
#include "ui/present.h"

#include "ui/display.h"
#include "ui/window.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

struct Pixel24 { // three bytes, copied as they stand
    uint8_t bytes[3];
};

// Writes `count` source pixels k times each. Built for the usual k as a
// constant, so the compiler unrolls the copies and packs them into vectors.
template <typename Pixel, int K>
void scaleRow(const uint8_t* from, uint8_t* to, int count, int k = K) {
    const Pixel* s = reinterpret_cast<const Pixel*>(from);
    Pixel* d = reinterpret_cast<Pixel*>(to);
    for (int x = 0; x < count; ++x, d += k)
        for (int i = 0; i < k; ++i)
            d[i] = s[x];
}

template <typename Pixel> void scaleRowBy(const uint8_t* from, uint8_t* to, int count, int k) {
    switch (k) {
    case 2:
        return scaleRow<Pixel, 2>(from, to, count);
    case 3:
        return scaleRow<Pixel, 3>(from, to, count);
    case 4:
        return scaleRow<Pixel, 4>(from, to, count);
    default:
        return scaleRow<Pixel, 0>(from, to, count, k);
    }
}

void scaleRowOfSize(int bytesPerPixel, const uint8_t* from, uint8_t* to, int count, int k) {
    switch (bytesPerPixel) {
    case 1:
        return scaleRowBy<uint8_t>(from, to, count, k);
    case 2:
        return scaleRowBy<uint16_t>(from, to, count, k);
    case 3:
        return scaleRowBy<Pixel24>(from, to, count, k);
    default:
        return scaleRowBy<uint32_t>(from, to, count, k);
    }
}

// The part of the game that shows in the window: game columns x0..x1 and
// rows y0..y1 (half-open). Only at k = 1 can it be less than the whole game.
struct Visible {
    int x0, y0, x1, y1;
};
Visible visiblePart(const SDL_Surface* window, int k, int left, int top) {
    return {std::max(0, -left), std::max(0, -top), std::min(SCREEN_WIDTH, (window->w - left) / k),
            std::min(SCREEN_HEIGHT, (window->h - top) / k)};
}

} // namespace

void scaleIntoWindow(const SDL_Surface* game, SDL_Surface* window, int k, int left, int top) {
    const Visible v = visiblePart(window, k, left, top);
    if (v.x1 <= v.x0 || v.y1 <= v.y0)
        return;
    const int bytes = game->format->BytesPerPixel;
    const int count = v.x1 - v.x0, rowBytes = count * k * bytes;
    const uint8_t* from =
        static_cast<const uint8_t*>(game->pixels) + v.y0 * game->pitch + v.x0 * bytes;
    uint8_t* to = static_cast<uint8_t*>(window->pixels) + (top + v.y0 * k) * window->pitch +
                  (left + v.x0 * k) * bytes;
    for (int y = v.y0; y < v.y1; ++y, from += game->pitch) {
        uint8_t* first = to;
        if (k == 1)
            std::memcpy(first, from, rowBytes);
        else
            scaleRowOfSize(bytes, from, first, count, k);
        to += window->pitch;
        for (int copy = 1; copy < k; ++copy, to += window->pitch)
            std::memcpy(to, first, rowBytes);
    }
}

void presentFrame() {
    if (!windowSurface || screen == windowSurface) {
        SDL_Flip(screen); // the game is the window: as it always was
        return;
    }
    if (windowHidden)
        return;
    // A page-flipping window alternates two buffers, each with its own margins.
    if (windowSurface->flags & SDL_DOUBLEBUF)
        SDL_FillRect(windowSurface, nullptr, SDL_MapRGB(windowSurface->format, 0, 0, 0));
    if (SDL_LockSurface(windowSurface) != 0)
        return;
    SDL_LockSurface(screen);
    scaleIntoWindow(screen, windowSurface, gameScale, gameLeft, gameTop);
    SDL_UnlockSurface(screen);
    SDL_UnlockSurface(windowSurface);
    // The whole window: sdl12-compat shows a part of it only a frame later.
    SDL_Flip(windowSurface);
}
