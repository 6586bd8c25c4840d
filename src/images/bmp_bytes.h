#pragma once
#include "images/dib_image.h"

#include <string>

// A complete BMP file of a 24-bit picture in memory: the 14-byte file header (offset 54),
// the picture's 40-byte header, the rows as held (bottom-up, padded to 4 bytes).
// Empty for a null picture, one that is not 24-bit, or one too big for a BMP file.
std::string Bmp24FileBytes(const CDibImage& picture);
