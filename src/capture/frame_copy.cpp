#include "capture/frame_copy.h"

#include "images/dib_image.h"

#include <algorithm>
#include <cstring>

int CopyFrameBottomUp(const FrameView& frame, CDibImage& image) {
    if (image.isNull() || image.bitCount() != 24 || !frame.data || frame.width <= 0 ||
        frame.height <= 0 || frame.stride <= 0)
        return 0;
    const std::size_t stride = static_cast<std::size_t>(frame.stride);
    const std::size_t rowBytes =
        std::min({static_cast<std::size_t>(frame.width) * 3, stride,
                  static_cast<std::size_t>(image.width()) * 3});
    // Rows whose bytes are all present: the last one may lack the padding after it.
    std::size_t rowsPresent = 0;
    if (frame.size >= rowBytes)
        rowsPresent = (frame.size - rowBytes) / stride + 1;
    const int rows = static_cast<int>(std::min<std::size_t>(
        {rowsPresent, static_cast<std::size_t>(frame.height), static_cast<std::size_t>(image.height())}));
    for (int y = 0; y < rows; ++y)
        std::memcpy(image.scanLine(y), frame.data + static_cast<std::size_t>(y) * stride, rowBytes);
    return rows;
}
