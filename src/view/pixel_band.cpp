#include "view/pixel_band.h"

#include "images/dib_image.h"

#include <algorithm>
#include <array>

PixelRows PixelRows::Of(CDibImage& image) {
    if (image.isNull() || (image.bitCount() != 24 && image.bitCount() != 32))
        return {};
    PixelRows rows;
    rows.top = image.scanLine(0);
    rows.stride = -static_cast<std::ptrdiff_t>(image.stride());
    rows.bytesPerPixel = image.bytesPerPixel();
    rows.width = image.width();
    rows.height = image.height();
    return rows;
}

namespace {

// The blend of every old value of one channel, so that a pixel costs three lookups.
using ChannelTable = std::array<std::uint8_t, 256>;

ChannelTable TableFor(int colour, int opacity) {
    ChannelTable t{};
    for (int v = 0; v < 256; ++v)
        t[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(BlendChannel(v, colour, opacity));
    return t;
}

struct Tables {
    ChannelTable b, g, r;
    bool opaque = false; // every old value gives the colour: a plain fill
    std::uint8_t cb = 0, cg = 0, cr = 0;

    void span(std::uint8_t* p, int count, int step) const {
        if (opaque) {
            for (int k = 0; k < count; ++k, p += step) {
                p[0] = cb;
                p[1] = cg;
                p[2] = cr;
            }
            return;
        }
        for (int k = 0; k < count; ++k, p += step) {
            p[0] = b[p[0]];
            p[1] = g[p[1]];
            p[2] = r[p[2]];
        }
    }
};

Tables TablesFor(COLORREF colour, int opacity) {
    Tables t;
    if (opacity >= 100) {
        t.opaque = true;
        t.cb = static_cast<std::uint8_t>(GetBValue(colour));
        t.cg = static_cast<std::uint8_t>(GetGValue(colour));
        t.cr = static_cast<std::uint8_t>(GetRValue(colour));
        return t;
    }
    t.b = TableFor(GetBValue(colour), opacity);
    t.g = TableFor(GetGValue(colour), opacity);
    t.r = TableFor(GetRValue(colour), opacity);
    return t;
}

} // namespace

void BlendBand(const PixelRows& rows, const IntRect& rect, COLORREF colour, int opacity,
               BandDash dash, int dashOrigin) {
    if (rows.isNull() || opacity <= 0)
        return;
    const IntRect r = rect.intersected({0, 0, rows.width, rows.height});
    if (r.isEmpty())
        return;
    const Tables t = TablesFor(colour, opacity);
    const int step = rows.bytesPerPixel;
    for (int y = r.top; y < r.bottom; ++y) {
        if (dash == BandDash::AlongY && !DashDrawn(y, dashOrigin))
            continue;
        std::uint8_t* line = rows.row(y);
        if (dash != BandDash::AlongX) {
            t.span(line + static_cast<std::ptrdiff_t>(r.left) * step, r.width(), step);
            continue;
        }
        // Whole dashes at a time: from each column to the end of its dash.
        int x = r.left;
        while (x < r.right) {
            long long phase = (static_cast<long long>(x) - dashOrigin) % kDashPeriod;
            if (phase < 0)
                phase += kDashPeriod;
            if (phase >= kDashDrawn) {
                x += static_cast<int>(kDashPeriod - phase);
                continue;
            }
            const int end = static_cast<int>(std::min<long long>(r.right, x + (kDashDrawn - phase)));
            t.span(line + static_cast<std::ptrdiff_t>(x) * step, end - x, step);
            x = end;
        }
    }
}
