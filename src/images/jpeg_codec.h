#pragma once
#include "images/dib_image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// JPEG decoding into 24-bit pictures (B, G, R, bottom-up). Colour, greyscale (grey
// copied into B, G and R) and CMYK/YCCK files are read. `maxPixels` lets callers such
// as the fuzzers set a tighter size guard than the program-wide one.
// On failure `image` is unchanged when the file was refused before the picture was
// created, and empty when decoding failed afterwards.
int DecodeJpeg(const std::string& path, CDibImage& image,
               std::int64_t maxPixels = CDibImage::kMaxPixels);
int DecodeJpeg(const std::uint8_t* data, std::size_t size, CDibImage& image,
               std::int64_t maxPixels = CDibImage::kMaxPixels);

// Decodes at the smallest of the decoder's reduced scales (1/8, 2/8, ... 8/8 of the
// picture's size) that still gives at least minWidth x minHeight pixels, or at full size
// when the picture is smaller. Much faster than a full decode for pictures that are only
// shown small (thumbnails). Same results and failures as DecodeJpeg otherwise.
int DecodeJpegReduced(const std::string& path, CDibImage& image, int minWidth, int minHeight);

// The JPEG quality of a save type: 2 → 100, 3 → 90, 4 → 75; 0 for any other type.
int JpegQualityForSaveType(int saveType);

// Encodes `image` as a progressive JPEG at `quality` (1 to 100): 8-bit pictures become
// greyscale files, 24-bit pictures colour files, 16-bit pictures are reduced to 8 bits
// first; other bit counts fail. Pictures are saved to files through WritePictureFile
// (images/picture_file_writer.h). Returns 1 on success; `out` is unchanged on failure.
int EncodeJpeg(const CDibImage& image, int quality, std::vector<std::uint8_t>& out);
