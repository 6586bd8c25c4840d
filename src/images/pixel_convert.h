#pragma once
#include "images/dib_image.h"
#include "platform/int_rect.h"

#include <cstdint>

// Pixel conversions between pictures of different layouts. Each copies a rectangle
// of the source into the same place of the destination; source and destination may
// be the same picture (the in-place TIFF and byte-order conversions use that).
enum class PixelConversion {
    Grey16ToGrey24,      // 16 → 24 bits: B = G = R = word >> 2
    Grey16ToGrey8,       // 16 → 8 bits: word >> 2
    TiffSamplesToWord16, // 16 → 16 bits: file bytes [word & 3, word >> 2] → memory word
    Word16ToTiffSamples, // 16 → 16 bits: memory word → file bytes [word & 3, word >> 2]
    SwapRedBlue24,       // 24 → 24 bits: R, G, B ↔ B, G, R
    SwapRedBlue32,       // 32 → 32 bits: R, G, B, A ↔ B, G, R, A
};

// `rect` is in picture coordinates (top row 0, right and bottom exclusive) and is
// clipped against both pictures; an empty intersection converts nothing and succeeds.
// Returns 0 when a picture is empty or its bit count does not suit the conversion.
int ConvertPixels(const CDibImage& source, CDibImage& dest, const IntRect& rect,
                  PixelConversion conversion);
// The whole of the smaller picture.
int ConvertPixels(const CDibImage& source, CDibImage& dest, PixelConversion conversion);

// Exchanges the first and third byte of `count` pixels of `bytesPerPixel` (3 or 4) bytes;
// `from` and `to` may be the same row.
void SwapRedBlue(const std::uint8_t* from, std::uint8_t* to, int count, int bytesPerPixel);
