// Reading a picture file for the two loaders: only a regular file, and only
// one whose header declares a size the game can use, is handed to SDL_image.
#pragma once

#include "ui/display.h"

#include <SDL.h>

// --- Largest picture accepted --------------------------------------------------
// The widest sheet is the 1536x96 pointer strip, the largest picture the
// 640x480 field; these bounds leave room for bigger artwork while refusing
// the multi-gigabyte pictures a small compressed file can declare.
constexpr long MAX_PICTURE_SIDE = 4096;
constexpr long MAX_PICTURE_PIXELS = 4L * SCREEN_WIDTH * SCREEN_HEIGHT;

// Decodes the PNG or BMP at `path` (relative to mediaParent). Gives nullptr
// for anything that is not a regular file, for other formats, for a failed
// decode, and for a declared size beyond the bounds above, which it also
// reports in one line on standard error. Called by loadAlphaImage and
// loadColorKeyedImage.
SDL_Surface* readPictureFile(const char* path);
