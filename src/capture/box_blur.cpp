#include "capture/box_blur.h"

#include <algorithm>
#include <cstddef>

namespace {

// One pass along a line of `count` samples `step` bytes apart: each becomes the mean of
// the 2 r + 1 around it, from a running sum.
void BlurLine(std::uint8_t* line, int count, std::ptrdiff_t step, int r, std::vector<int>& copy) {
    copy.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        copy[static_cast<std::size_t>(i)] = line[i * step];
    const auto at = [&](int i) { return copy[static_cast<std::size_t>(std::clamp(i, 0, count - 1))]; };
    const int n = 2 * r + 1;
    int sum = 0;
    for (int i = -r; i <= r; ++i)
        sum += at(i);
    for (int i = 0; i < count; ++i) {
        line[i * step] = static_cast<std::uint8_t>((sum + n / 2) / n);
        sum += at(i + r + 1) - at(i - r);
    }
}

} // namespace

void BoxBlurBgr(std::vector<std::uint8_t>& pixels, int width, int height, int radius) {
    if (radius <= 0 || width <= 0 || height <= 0 ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3)
        return;
    const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(width) * 3;
    std::vector<int> copy;
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < height; ++y)
            for (int c = 0; c < 3; ++c)
                BlurLine(pixels.data() + y * rowBytes + c, width, 3, radius, copy);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                BlurLine(pixels.data() + x * 3 + c, height, rowBytes, radius, copy);
    }
}
