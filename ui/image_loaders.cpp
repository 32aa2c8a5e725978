// The two picture loaders. Every failure (missing, truncated or foreign file,
// failed conversion) ends in an empty handle; only an oversized picture is
// reported, by the file reader.
#include "ui/image_loaders.h"

#include "ui/picture_file.h"

namespace {

// The picture at `path` converted by `convert` into the display's format.
SDL_Surface* loadConverted(const char* path, SDL_Surface* (*convert)(SDL_Surface*)) {
    SDL_Surface* loaded = readPictureFile(path);
    if (!loaded)
        return nullptr;
    SDL_Surface* converted = convert(loaded);
    SDL_FreeSurface(loaded);
    return converted;
}

} // namespace

SDL_Surface* loadAlphaImage(const char* path) {
    return loadConverted(path, SDL_DisplayFormatAlpha);
}

SDL_Surface* loadColorKeyedImage(const char* path) {
    SDL_Surface* converted = loadConverted(path, SDL_DisplayFormat);
    if (!converted)
        return nullptr;
    // Run-length encoded: SDL has no fast path for a keyed copy between 32-bit
    // surfaces and tests every pixel against the key; the encoded picture
    // copies its runs of kept pixels whole, for the same pixels on screen.
    SDL_SetColorKey(converted, SDL_SRCCOLORKEY | SDL_RLEACCEL,
                    SDL_MapRGB(converted->format, 0, 255, 255));
    return converted;
}
