#pragma once
#include "platform/colorref.h"
#include "platform/int_rect.h"

#include <cstddef>
#include <cstdint>
#include <span>

class CDibImage;

// Pixels stored B, G, R (3 bytes, or 4 with a fourth byte left alone), seen top-down:
// a 24-bit CDibImage and the composed picture area (32-bit) alike.
struct PixelRows {
    std::uint8_t* top = nullptr; // first byte of picture row 0
    std::ptrdiff_t stride =
        0; // bytes from a picture row to the one below (negative when bottom-up)
    int bytesPerPixel = 3;
    int width = 0;
    int height = 0;

    bool isNull() const { return top == nullptr || width <= 0 || height <= 0; }
    std::uint8_t* row(int y) const { return top + static_cast<std::ptrdiff_t>(y) * stride; }
    // A 24 or 32-bit image; other bit counts give null rows.
    static PixelRows Of(CDibImage& image);
};

// Dashes: 18 pixels drawn, then 6 left out, along one axis, counted from an origin.
enum class BandDash { None, AlongX, AlongY };
constexpr int kDashDrawn = 18;
constexpr int kDashPeriod = 24;

// True when column (or row) `index` of a dashed line is drawn, `origin` being the
// first drawn one.
constexpr bool DashDrawn(long long index, long long origin) {
    long long phase = (index - origin) % kDashPeriod;
    if (phase < 0)
        phase += kDashPeriod;
    return phase < kDashDrawn;
}

// One blended channel: old * (100 - opacity) / 100 + opacity * colour / 100, each term
// rounded down on its own, the sum kept within 0 ... 255. Opacity is taken as 0 ... 100.
constexpr int BlendChannel(int old, int colour, int opacity) {
    const int d = opacity < 0 ? 0 : (opacity > 100 ? 100 : opacity);
    const int v = old * (100 - d) / 100 + d * colour / 100;
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Blends every pixel of `rect` (cut to the rows) with `colour` at `opacity` percent;
// with a dash, the columns (AlongX) or rows (AlongY) in the gaps of the pattern that
// starts at dashOrigin are left alone.
void BlendBand(const PixelRows& rows, const IntRect& rect, COLORREF colour, int opacity,
               BandDash dash = BandDash::None, int dashOrigin = 0);

// One band for BlendBands.
struct PixelBand {
    IntRect rect;
    COLORREF colour = 0;
    int opacity = 100;
    BandDash dash = BandDash::None;
    int dashOrigin = 0;
};

// The same as BlendBand on each band in order, done row by row over the picture.
void BlendBands(const PixelRows& rows, std::span<const PixelBand> bands);
