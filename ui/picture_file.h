// Reading a picture file for the two loaders: only a regular file, and only
// one whose header declares a size the game can use, is handed to SDL_image.
#pragma once

#include <SDL.h>

// Decodes the PNG or BMP at `path` (relative to mediaParent). Gives nullptr
// for anything that is not a regular file, for other formats, for a failed
// decode, and for a header checkPictureHeader refuses, which it also reports
// in one line on standard error. Called by loadAlphaImage and
// loadColorKeyedImage.
SDL_Surface* readPictureFile(const char* path);
