#pragma once
#include "images/dib_image.h"

#include <cstddef>
#include <cstdint>
#include <string>

// TIFF decoding by scanline, for the layouts the program writes and meets:
//   8-bit grey            → 8-bit picture with a grey table
//   16-bit grey           → 16-bit picture (10-bit samples stored as [word & 3, word >> 2])
//   8-bit RGB             → 24-bit picture (B, G, R)
//   8-bit RGB with alpha  → 32-bit picture (B, G, R, A)
// Strips stored plain, LZW, Deflate or PackBits compressed. Tiled, planar-separate and
// palette files, other bit depths and files whose sizes do not add up fail.
// On failure `image` is unchanged when the file was refused before the picture was
// created, and empty when reading failed afterwards. `maxPixels` lets callers such as
// the fuzzers set a tighter size guard than the program-wide one.
int DecodeTiff(const std::string& path, CDibImage& image,
               std::int64_t maxPixels = CDibImage::kMaxPixels);
int DecodeTiff(const std::uint8_t* data, std::size_t size, CDibImage& image,
               std::int64_t maxPixels = CDibImage::kMaxPixels);
