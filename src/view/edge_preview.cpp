#include "view/edge_preview.h"

#include "images/dib_image.h"
#include "images/grey_convert.h"
#include "settings/app_settings.h"

#include <cstdint>

namespace {

bool SameSize(const CDibImage& a, const CDibImage& b) {
    return a.width() == b.width() && a.height() == b.height();
}

// 255 where a byte of the 8-bit source is greater than the threshold.
void Threshold8(const CDibImage& source, CDibImage& preview, std::int64_t threshold) {
    for (int r = 0; r < source.height(); ++r) {
        const std::uint8_t* s = source.memoryRow(r);
        std::uint8_t* d = preview.memoryRow(r);
        for (int x = 0; x < source.width(); ++x)
            d[x] = s[x] > threshold ? 255 : 0;
    }
}

} // namespace

int MakeEdgePreview(const MagnetSettings& magnet, const CDibImage& edge, const CDibImage& display,
                    CDibImage& preview) {
    if (preview.isNull() || preview.bitCount() != 8)
        return 0;
    // TH comes from the settings file unchecked: 64-bit sums cannot overflow.
    const std::int64_t th = magnet.TH;
    if (magnet.Vector != 3) {
        if (edge.isNull() || edge.bitCount() != 8 || !SameSize(edge, preview))
            return 0;
        Threshold8(edge, preview, th);
        return 1;
    }
    if (display.isNull() || !SameSize(display, preview))
        return 0;
    if (display.bitCount() == 8) {
        Threshold8(display, preview, th);
        return 1;
    }
    if (display.bitCount() != 24 && display.bitCount() != 32)
        return 0;
    const int bytes = display.bytesPerPixel();
    const std::int64_t limit = th * 100;
    for (int r = 0; r < display.height(); ++r) {
        const std::uint8_t* s = display.memoryRow(r);
        std::uint8_t* d = preview.memoryRow(r);
        for (int x = 0; x < display.width(); ++x, s += bytes)
            d[x] = GreyWeightedSum(s[2], s[1], s[0]) > limit ? 255 : 0;
    }
    return 1;
}
