#pragma once
#include "images/dib_image.h"

#include <cstddef>
#include <cstdint>
#include <string>

// BMP files: "BM", a 40-byte info header or one of its longer versions (52, 56, 108,
// 124 bytes), an optional colour table, uncompressed rows of 1, 4, 8, 16, 24 or 32 bits
// (16 and 32 bits also with colour masks). Compressed (RLE) files are refused.
//
// An empty `image` is created from the file: 1, 4 and 8-bit files become 8-bit pictures
// keeping the file's colour table, 16 and 24-bit files 24-bit pictures, 32-bit files
// 32-bit pictures. Files stored top-down (negative height) cannot be read into an empty
// image. A non-empty `image` keeps its size and format: the file is drawn onto it at
// the top-left corner, clipped, its pixels converted to the picture's format.
// Returns 1 on success; on failure `image` is unchanged.
// The program writes only 24-bit BMP files (Bmp24FileBytes in images/bmp_bytes.h).
int ReadBmp(const std::string& path, CDibImage& image);
int ReadBmp(const std::uint8_t* data, std::size_t size, CDibImage& image);

