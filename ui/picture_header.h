// What a picture file's header declares, checked before anything decodes it:
// the decoders trust these fields, and a few bytes can declare gigabytes of
// pixels or a layout that crashes them.
#pragma once

#include "ui/display.h"

#include <cstddef>
#include <string>

// --- Largest picture accepted --------------------------------------------------
// The widest sheet is the 1536x96 pointer strip, the largest picture the
// 640x480 field; these bounds leave room for bigger artwork while refusing
// the multi-gigabyte pictures a small compressed file can declare.
constexpr long MAX_PICTURE_SIDE = 4096;
constexpr long MAX_PICTURE_PIXELS = 4L * SCREEN_WIDTH * SCREEN_HEIGHT;

// Enough of a file's start for every header this checks.
constexpr size_t PICTURE_HEADER_BYTES = 54;

enum class HeaderVerdict {
    USABLE,  // a PNG or BMP the loaders can decode within the bounds above
    FOREIGN, // not a PNG or BMP, or too short to tell: fails quietly
    REFUSED, // a PNG or BMP declaring what the game does not load
};

// Checks the first `size` bytes of a file. On REFUSED, `problem` says what
// the header declares, such as "257 bits per pixel". Called by the picture
// file reader before decoding.
HeaderVerdict checkPictureHeader(const unsigned char* header, size_t size, std::string& problem);
