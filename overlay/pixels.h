// Direct access to raw pixel values of a surface, for the overlay's picture
// work. The caller locks the surface where SDL_MUSTLOCK says so.
#pragma once

#include <SDL.h>

#include <cstdint>

// Reads the raw value at (x, y): 1, 2, 3 (lowest byte first) or 4 bytes; other
// sizes read as 0.
uint32_t readRawPixel(const SDL_Surface* surface, int x, int y);

// Writes a raw value at (x, y) the same way; other sizes write nothing.
void writeRawPixel(SDL_Surface* surface, int x, int y, uint32_t value);

// Locks a surface for the lifetime of the guard when SDL says it must.
class SurfaceLock {
  public:
    explicit SurfaceLock(SDL_Surface* surface);
    ~SurfaceLock();
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;
    bool ok() const { return ok_; } // false when the surface could not be locked

  private:
    SDL_Surface* surface_;
    bool locked_ = false;
    bool ok_ = true;
};
