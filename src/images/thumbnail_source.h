#pragma once
#include "images/dib_image.h"

#include <string>

// Reads a picture file for making its thumbnail, as LoadImageFile does, with two
// differences: JPEG files are decoded at a reduced scale that still gives at least
// minWidth x minHeight pixels (much faster; a thumbnail needs no more), and 16-bit
// pictures come back as 24-bit grey pictures of the same size. Returns 1 on success;
// on failure `image` is unchanged.
int LoadThumbnailSource(const std::string& path, CDibImage& image, int minWidth, int minHeight);
