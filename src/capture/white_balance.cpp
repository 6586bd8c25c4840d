#include "capture/white_balance.h"

#include "images/dib_image.h"

#include <array>

namespace {

std::array<std::uint8_t, 256> OffsetTable(std::int32_t offset) {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
        const std::int64_t shifted = std::int64_t{v} + offset;
        table[v] = static_cast<std::uint8_t>(shifted < 0 ? 0 : shifted > 255 ? 255 : shifted);
    }
    return table;
}

} // namespace

void ApplyWhiteBalanceOffsets(CDibImage& image, std::int32_t red, std::int32_t blue) {
    if (image.isNull() || image.bitCount() != 24)
        return;
    const auto redTable = OffsetTable(red);
    const auto blueTable = OffsetTable(blue);
    const int width = image.width();
    for (int r = image.height() - 1; r >= 0; --r) {
        std::uint8_t* p = image.memoryRow(r);
        for (int x = 0; x < width; ++x, p += 3) {
            p[0] = blueTable[p[0]];
            p[2] = redTable[p[2]];
        }
    }
}

bool MeasureWhiteBalance(const CDibImage& image, WhiteBalanceMeasure& measure) {
    measure.request = 0;
    if (image.isNull() || image.bitCount() < 24)
        return false;
    const int step = image.bytesPerPixel();
    std::uint64_t sumB = 0, sumG = 0, sumR = 0;
    for (int r = 0; r < image.height(); ++r) {
        const std::uint8_t* p = image.memoryRow(r);
        for (int x = 0; x < image.width(); ++x, p += step) {
            sumB += p[0];
            sumG += p[1];
            sumR += p[2];
        }
    }
    if (sumR != 0)
        measure.ratioGR = static_cast<double>(sumG) / static_cast<double>(sumR);
    if (sumB != 0)
        measure.ratioGB = static_cast<double>(sumG) / static_cast<double>(sumB);
    return true;
}
