// Raw pixel access: one value per pixel, read and written at the surface's
// own size, and a guard that locks a surface only when SDL says its pixels
// may not be touched otherwise.
#include "ui/pixel_access.h"

#include <cstring>

uint32_t readRawValue(const uint8_t* p, int bytesPerPixel) {
    switch (bytesPerPixel) {
    case 1:
        return *p;
    case 2: {
        uint16_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case 3: // lowest byte first
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    case 4: {
        uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    default:
        return 0;
    }
}

void writeRawValue(uint8_t* p, int bytesPerPixel, uint32_t value) {
    switch (bytesPerPixel) {
    case 1:
        *p = uint8_t(value);
        break;
    case 2: {
        const uint16_t v = uint16_t(value);
        std::memcpy(p, &v, sizeof v);
        break;
    }
    case 3:
        p[0] = uint8_t(value);
        p[1] = uint8_t(value >> 8);
        p[2] = uint8_t(value >> 16);
        break;
    case 4:
        std::memcpy(p, &value, sizeof value);
        break;
    default:
        break;
    }
}

uint32_t readRawPixel(const SDL_Surface* surface, int x, int y) {
    const int bytes = surface->format->BytesPerPixel;
    return readRawValue(
        static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * bytes, bytes);
}

void writeRawPixel(SDL_Surface* surface, int x, int y, uint32_t value) {
    const int bytes = surface->format->BytesPerPixel;
    writeRawValue(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch + x * bytes, bytes,
                  value);
}

SurfaceLock::SurfaceLock(SDL_Surface* surface) : surface_(surface) {
    if (!surface_) {
        ok_ = false;
        return;
    }
    if (SDL_MUSTLOCK(surface_)) {
        locked_ = SDL_LockSurface(surface_) == 0;
        ok_ = locked_;
    }
    if (!surface_->pixels)
        ok_ = false;
}

SurfaceLock::~SurfaceLock() {
    if (locked_)
        SDL_UnlockSurface(surface_);
}
