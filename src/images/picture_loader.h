#pragma once
#include "images/dib_image.h"
#include "images/load_image_file.h"

#include <string>

// Reads any picture Qt's image readers understand (GIF among them; the first frame of an
// animation) into a 24-bit upright image. Transparent parts come out black. Returns 1 on
// success; on failure `image` is left as it was. Pictures of more than
// CDibImage::kMaxPixels pixels are refused before they are decoded.
int LoadPictureWithQt(const std::string& path, CDibImage& image);

// Makes LoadImageFile use LoadPictureWithQt for the pictures its own decoders do not read.
inline void InstallPictureLoader() { SetPictureLoader(&LoadPictureWithQt); }
