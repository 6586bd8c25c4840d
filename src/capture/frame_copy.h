#pragma once
#include <cstddef>
#include <cstdint>

class CDibImage;

// A delivered frame: top-down rows of 3-byte B, G, R pixels.
struct FrameView {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0; // bytes present at data
    int width = 0;
    int height = 0;
    int stride = 0; // bytes from one row to the next
};

// Copies a top-down frame into a 24-bit bottom-up image: picture row y of the frame
// becomes picture row y of the image, so the frame's first row ends up in the image's
// last memory row. Copies no more rows than both have and no more bytes per row than
// both rows hold and the data present allows; the rest of the image keeps its pixels.
// Returns the number of rows copied (0 for a null or non-24-bit image or an empty frame).
int CopyFrameBottomUp(const FrameView& frame, CDibImage& image);
