#pragma once
#include "images/dib_image.h"

#include <string>

// Reads a picture file into `image`, choosing the decoder by the extension
// (compared without case): .bmp, .jpg/.jpeg, .png, .tif/.tiff; .gif goes to the
// installed picture loader. Returns 1 on success, 0 on failure (unknown extension,
// unreadable or corrupt file); a failure never leaves a half-filled image behind.
int LoadImageFile(const std::string& path, CDibImage& image);

// The loader for pictures the program's own decoders do not read (GIF); the
// rendering library installs one backed by Qt's image readers.
using PictureLoader = int (*)(const std::string& path, CDibImage& image);
void SetPictureLoader(PictureLoader loader);
