// Direct access to raw pixel values. Every reader and writer of a surface's
// pixels holds a SurfaceLock and checks it first.
#pragma once

#include <SDL.h>

#include <cstdint>

// The raw value at `p` of a 1-, 2-, 3- (lowest byte first) or 4-byte pixel;
// other sizes read as 0 and write nothing.
uint32_t readRawValue(const uint8_t* p, int bytesPerPixel);
void writeRawValue(uint8_t* p, int bytesPerPixel, uint32_t value);

// The same at (x, y) of a surface.
uint32_t readRawPixel(const SDL_Surface* surface, int x, int y);
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
