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

// A run of bands walks these on every row.
struct Tables {
    const Lookup* lookup = nullptr;
    bool opaque = false; // every old value gives the colour: a plain fill
    std::uint8_t cb = 0, cg = 0, cr = 0;
    // The blend as arithmetic, for 4-byte pixels: old * keep / 100 + add per channel.
    std::uint16_t keep = 100;
    std::uint8_t addB = 0, addG = 0, addR = 0;

#if defined(__SSE2__)
    // The per-channel keep and add in 16-bit lanes for two pixels; the fourth byte of each
    // pixel goes through with keep 100 and add 0, which gives it back unchanged.
    __m128i keep16 = _mm_setzero_si128();
    __m128i add16 = _mm_setzero_si128();

    void prepareLanes() {
        const auto k = static_cast<short>(keep);
        keep16 = _mm_setr_epi16(k, k, k, 100, k, k, k, 100);
        add16 = _mm_setr_epi16(addB, addG, addR, 0, addB, addG, addR, 0);
    }

    // x / 100 is (x * 20972) >> 21 exactly for every x * keep (at most 25500) here.
    __m128i blendLanes(__m128i wide) const {
        const __m128i scaled = _mm_mulhi_epu16(_mm_mullo_epi16(wide, keep16), _mm_set1_epi16(20972));
        return _mm_add_epi16(_mm_srli_epi16(scaled, 5), add16);
    }

    // Four pixels a round, then two, then one: narrow bands (a cross line's columns) are
    // mostly tail, so the tail stays in the vector unit too.
    void span4(std::uint8_t* p, int count) const {
        const __m128i zero = _mm_setzero_si128();
        int i = 0;
        for (; i + 4 <= count; i += 4, p += 16) {
            const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i lo = blendLanes(_mm_unpacklo_epi8(in, zero));
            const __m128i hi = blendLanes(_mm_unpackhi_epi8(in, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(lo, hi));
        }
        if (i + 2 <= count) {
            const __m128i in = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
            const __m128i out = blendLanes(_mm_unpacklo_epi8(in, zero));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_packus_epi16(out, out));
            i += 2;
            p += 8;
        }
        if (i < count) {
            std::int32_t pixel;
            std::memcpy(&pixel, p, 4);
            const __m128i out = blendLanes(_mm_unpacklo_epi8(_mm_cvtsi32_si128(pixel), zero));
            pixel = _mm_cvtsi128_si32(_mm_packus_epi16(out, out));
            std::memcpy(p, &pixel, 4);
        }
    }
#else
    void prepareLanes() {}

    void span4(std::uint8_t* p, int count) const {
        for (int i = 0; i < count; ++i, p += 4) {
            p[0] = static_cast<std::uint8_t>(p[0] * keep / 100 + addB);
            p[1] = static_cast<std::uint8_t>(p[1] * keep / 100 + addG);
            p[2] = static_cast<std::uint8_t>(p[2] * keep / 100 + addR);
        }
    }
#endif

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
    t.prepareLanes();
    if (!lookup)
        return t;
    (*lookup)[0] = TableFor(GetBValue(colour), opacity);
    (*lookup)[1] = TableFor(GetGValue(colour), opacity);
    (*lookup)[2] = TableFor(GetRValue(colour), opacity);
    t.lookup = lookup;
    return t;
}

// The dash phase of successive rows, stepped without a division per row: a cross
// line's column is a thousand rows of a few pixels each.
struct RowDash {
    int phase = 0; // of the current row, 0 ... kDashPeriod - 1

    RowDash(int y, int origin) {
        long long p = (static_cast<long long>(y) - origin) % kDashPeriod;
        phase = static_cast<int>(p < 0 ? p + kDashPeriod : p);
    }
    bool drawn() const { return phase < kDashDrawn; }
    void next() { phase = phase + 1 == kDashPeriod ? 0 : phase + 1; }
};

// One row of a band, already cut to the rows; rows in the gaps of an AlongY dash are
// left out by the caller.
void BlendRow(const Tables& t, const PixelRows& rows, int y, const IntRect& r, BandDash dash,
              int dashOrigin) {
    const int step = rows.bytesPerPixel;
    std::uint8_t* line = rows.row(y);
    if (dash != BandDash::AlongX) {
        t.span(line + static_cast<std::ptrdiff_t>(r.left) * step, r.width(), step);
        return;
    }
    // Whole dashes at a time: from each column to the end of its dash; the phase is
    // worked out once per row.
    long long phase = (static_cast<long long>(r.left) - dashOrigin) % kDashPeriod;
    if (phase < 0)
        phase += kDashPeriod;
    int x = r.left;
    while (x < r.right) {
        if (phase >= kDashDrawn) {
            x += static_cast<int>(kDashPeriod - phase);
            phase = 0;
            continue;
        }
        const int end = static_cast<int>(std::min<long long>(r.right, x + (kDashDrawn - phase)));
        t.span(line + static_cast<std::ptrdiff_t>(x) * step, end - x, step);
        phase += end - x;
        x = end;
    }
}

struct Prepared {
    Tables tables;
    IntRect rect;
    BandDash dash;
    int dashOrigin;
    RowDash rowDash; // at the row being blended, once it is reached
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
    RowDash rowDash(r.top, dashOrigin);
    for (int y = r.top; y < r.bottom; ++y, rowDash.next()) {
        if (dash != BandDash::AlongY || rowDash.drawn())
            BlendRow(t, rows, y, r, dash, dashOrigin);
    }
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
        prepared.push_back({TablesFor(b.colour, b.opacity, lookup), r, b.dash, b.dashOrigin,
                            RowDash(r.top, b.dashOrigin)});
        top = std::min(top, r.top);
        bottom = std::max(bottom, r.bottom);
    }
    // Row by row through the picture, every band in its order on each row: each pixel
    // sees the bands in list order, as one band after the other would give, while the
    // picture is walked once from top to bottom.
    for (int y = top; y < bottom; ++y) {
        for (Prepared& p : prepared) {
            if (y < p.rect.top || y >= p.rect.bottom)
                continue;
            if (p.dash != BandDash::AlongY || p.rowDash.drawn())
                BlendRow(p.tables, rows, y, p.rect, p.dash, p.dashOrigin);
            p.rowDash.next();
        }
    }
}
