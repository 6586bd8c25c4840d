#pragma once
#include "images/dib_image.h"

#include <string>

// Writes a saved picture: save type 1 as a BMP file, 2 to 4 as a progressive JPEG at
// quality 100, 90 or 75. The file is written under a temporary name in the same folder
// and renamed, so an interrupted save never leaves a broken picture under `path` and an
// older file there stays whole until the new one is complete. Returns 1 on success, 0
// for another save type, a picture that cannot be encoded, or a failed write.
int WritePictureFile(const std::string& path, const CDibImage& image, int saveType);
