#pragma once
#include <cstdint>
#include <vector>

// A box blur of `radius` pixels, horizontally then vertically, run twice: a soft,
// even spread like a lens slightly out of focus. `pixels` are top-down B, G, R rows of
// width x 3 bytes without padding; pixels beyond the edges count as the edge pixel.
// A radius of 0 or less, or a size that does not match, leaves them unchanged.
void BoxBlurBgr(std::vector<std::uint8_t>& pixels, int width, int height, int radius);
