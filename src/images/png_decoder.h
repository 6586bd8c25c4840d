#pragma once
#include "images/dib_image.h"

#include <cstddef>
#include <cstdint>
#include <string>

// PNG decoding. Every kind of PNG is reduced to 8-bit RGB or RGBA (palettes and low
// bit depths expanded, 16-bit samples stripped, grey turned into RGB, transparency into
// alpha, gamma corrected for a 2.2 display); the result goes into a 24-bit picture
// (B, G, R) or, with alpha, a 32-bit picture (B, G, R, 255 − alpha). The first PNG row
// is the top picture row.
//
// Only one PNG is decoded at a time in the whole process. A file or buffer without the
// PNG signature fails without touching `image`; other failures leave it unchanged when
// they happen before the picture is created, empty afterwards. Errors reported by the
// library are printed to standard error. `maxPixels` lets callers such as the fuzzers set
// a tighter size guard than the program-wide one.
int DecodePng(const std::string& path, CDibImage& image,
              std::int64_t maxPixels = CDibImage::kMaxPixels);
int DecodePng(const std::uint8_t* data, std::size_t size, CDibImage& image,
              std::int64_t maxPixels = CDibImage::kMaxPixels);
