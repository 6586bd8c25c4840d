#include "view/pixel_band.h"

#include "images/dib_image.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
        t[static_cast<std::size_t>(v)] =
            static_cast<std::uint8_t>(BlendChannel(v, colour, opacity));
    return t;
}

// The three lookup tables of a 3-byte picture (blue, green, red).
using Lookup = std::array<ChannelTable, 3>;

// Kept small: a run of bands walks them on every row.
struct Tables {
    const Lookup* lookup = nullptr;
    bool opaque = false; // every old value gives the colour: a plain fill
    std::uint8_t cb = 0, cg = 0, cr = 0;
    // The blend as arithmetic, for 4-byte pixels: old * keep / 100 + add per channel.
    std::uint16_t keep = 100;
    std::uint8_t addB = 0, addG = 0, addR = 0;

    // Four pixels at a time in 16-bit lanes; the fourth byte of each pixel goes through
    // with keep 100 and add 0, which gives it back unchanged.
    void span4(std::uint8_t* p, int count) const {
        using U8x8 = std::uint8_t __attribute__((vector_size(8)));
        using U16x8 = std::uint16_t __attribute__((vector_size(16)));
        const U16x8 k = {keep, keep, keep, 100, keep, keep, keep, 100};
        const U16x8 add = {addB, addG, addR, 0, addB, addG, addR, 0};
        int i = 0;
#if defined(__SSE2__)
        // 16 bytes a round; x / 100 is (x * 20972) >> 21 exactly for every x * keep
        // (at most 25500) that occurs here.
        const __m128i zero = _mm_setzero_si128();
        const __m128i k16 = _mm_setr_epi16(static_cast<short>(keep), static_cast<short>(keep),
                                           static_cast<short>(keep), 100, static_cast<short>(keep),
                                           static_cast<short>(keep), static_cast<short>(keep), 100);
        const __m128i add16 = _mm_setr_epi16(addB, addG, addR, 0, addB, addG, addR, 0);
        const __m128i magic = _mm_set1_epi16(20972);
        for (; i + 4 <= count; i += 4, p += 16) {
            const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i lo = _mm_mullo_epi16(_mm_unpacklo_epi8(in, zero), k16);
            __m128i hi = _mm_mullo_epi16(_mm_unpackhi_epi8(in, zero), k16);
            lo = _mm_add_epi16(_mm_srli_epi16(_mm_mulhi_epu16(lo, magic), 5), add16);
            hi = _mm_add_epi16(_mm_srli_epi16(_mm_mulhi_epu16(hi, magic), 5), add16);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(lo, hi));
        }
#endif
        for (; i + 2 <= count; i += 2, p += 8) {
            U8x8 in;
            std::memcpy(&in, p, sizeof in);
            const U16x8 wide = __builtin_convertvector(in, U16x8);
            const U8x8 out = __builtin_convertvector(wide * k / 100 + add, U8x8);
            std::memcpy(p, &out, sizeof out);
        }
        for (; i < count; ++i, p += 4) {
            p[0] = static_cast<std::uint8_t>(p[0] * keep / 100 + addB);
            p[1] = static_cast<std::uint8_t>(p[1] * keep / 100 + addG);
            p[2] = static_cast<std::uint8_t>(p[2] * keep / 100 + addR);
        }
    }

    void span(std::uint8_t* p, int count, int step) const {
        if (step == 4 && !opaque) {
            span4(p, count);
            return;
        }
        if (opaque) {
            for (int k = 0; k < count; ++k, p += step) {
                p[0] = cb;
                p[1] = cg;
                p[2] = cr;
            }
            return;
        }
        const ChannelTable& b = (*lookup)[0];
        const ChannelTable& g = (*lookup)[1];
        const ChannelTable& r = (*lookup)[2];
        for (int k = 0; k < count; ++k, p += step) {
            p[0] = b[p[0]];
            p[1] = g[p[1]];
            p[2] = r[p[2]];
        }
    }
};

// `lookup` receives the tables for 3-byte pixels; null for 4-byte ones, which need none.
Tables TablesFor(COLORREF colour, int opacity, Lookup* lookup) {
    Tables t;
    if (opacity >= 100) {
        t.opaque = true;
        t.cb = static_cast<std::uint8_t>(GetBValue(colour));
        t.cg = static_cast<std::uint8_t>(GetGValue(colour));
        t.cr = static_cast<std::uint8_t>(GetRValue(colour));
        return t;
    }
    t.keep = static_cast<std::uint16_t>(100 - opacity);
    t.addB = static_cast<std::uint8_t>(opacity * GetBValue(colour) / 100);
    t.addG = static_cast<std::uint8_t>(opacity * GetGValue(colour) / 100);
    t.addR = static_cast<std::uint8_t>(opacity * GetRValue(colour) / 100);
    if (!lookup)
        return t;
    (*lookup)[0] = TableFor(GetBValue(colour), opacity);
    (*lookup)[1] = TableFor(GetGValue(colour), opacity);
    (*lookup)[2] = TableFor(GetRValue(colour), opacity);
    t.lookup = lookup;
    return t;
}

// One row of a band, already cut to the rows.
void BlendRow(const Tables& t, const PixelRows& rows, int y, const IntRect& r, BandDash dash,
              int dashOrigin) {
    if (dash == BandDash::AlongY && !DashDrawn(y, dashOrigin))
        return;
    const int step = rows.bytesPerPixel;
    std::uint8_t* line = rows.row(y);
    if (dash != BandDash::AlongX) {
        t.span(line + static_cast<std::ptrdiff_t>(r.left) * step, r.width(), step);
        return;
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

struct Prepared {
    Tables tables;
    IntRect rect;
    BandDash dash;
    int dashOrigin;
};

} // namespace

void BlendBand(const PixelRows& rows, const IntRect& rect, COLORREF colour, int opacity,
               BandDash dash, int dashOrigin) {
    if (rows.isNull() || opacity <= 0)
        return;
    const IntRect r = rect.intersected({0, 0, rows.width, rows.height});
    if (r.isEmpty())
        return;
    Lookup lookup;
    const Tables t = TablesFor(colour, opacity, rows.bytesPerPixel != 4 ? &lookup : nullptr);
    for (int y = r.top; y < r.bottom; ++y)
        BlendRow(t, rows, y, r, dash, dashOrigin);
}

void BlendBands(const PixelRows& rows, std::span<const PixelBand> bands) {
    if (rows.isNull())
        return;
    std::vector<Prepared> prepared;
    prepared.reserve(bands.size());
    std::vector<Lookup> lookups(rows.bytesPerPixel != 4 ? bands.size() : 0);
    int top = rows.height;
    int bottom = 0;
    for (const PixelBand& b : bands) {
        const IntRect r = b.rect.intersected({0, 0, rows.width, rows.height});
        if (b.opacity <= 0 || r.isEmpty())
            continue;
        Lookup* lookup = lookups.empty() ? nullptr : &lookups[prepared.size()];
        prepared.push_back({TablesFor(b.colour, b.opacity, lookup), r, b.dash, b.dashOrigin});
        top = std::min(top, r.top);
        bottom = std::max(bottom, r.bottom);
    }
    // Row by row through the picture, every band in its order on each row: each pixel
    // sees the bands in list order, as one band after the other would give, while the
    // picture is walked once from top to bottom.
    for (int y = top; y < bottom; ++y) {
        for (const Prepared& p : prepared) {
            if (y >= p.rect.top && y < p.rect.bottom)
                BlendRow(p.tables, rows, y, p.rect, p.dash, p.dashOrigin);
        }
    }
}
