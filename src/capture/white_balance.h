#pragma once
#include <cstdint>

class CDibImage;

// The one-shot channel-ratio measurement the register camera's automatic white
// balance asks for: set `request` to 1 and the next accepted frame is measured.
struct WhiteBalanceMeasure {
    std::int32_t request = 0;
    double ratioGR = 1.0;
    double ratioGB = 1.0;
};

// Adds `red` to the red and `blue` to the blue byte of every pixel of a 24-bit image,
// clamped to 0..255; green stays. Other bit counts are left alone.
void ApplyWhiteBalanceOffsets(CDibImage& image, std::int32_t red, std::int32_t blue);

// Sums the channels of every pixel (B, G, R at each pixel's first three bytes) and sets
// ratioGR = sumG / sumR and ratioGB = sumG / sumB. A channel that sums to zero keeps its
// ratio as it was (there is nothing to divide by). Clears the request. Returns false
// for an image with fewer than 24 bits per pixel, which is not measured.
bool MeasureWhiteBalance(const CDibImage& image, WhiteBalanceMeasure& measure);
