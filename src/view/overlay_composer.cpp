#include "view/overlay_composer.h"

#include "settings/app_settings.h"
#include "calib/view_mapping.h"
#include "images/canvas.h"
#include "images/dib_image.h"
#include "view/overlay_layers.h"
#include "view/overlay_list.h"
#include "view/overlay_painter.h"
#include "platform/kernel_level.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

constexpr QRgb kBlack = 0xFF000000u;

// Source column or row for each area column or row; -1 where the area shows no pixel
// of the source.
void SourceIndexes(std::vector<int>& out, int areaSize, int sourceSize, const ViewMapping& view,
                   double offset) {
    out.resize(static_cast<std::size_t>(areaSize));
    if (view.fitted()) {
        const float ratio = static_cast<float>(sourceSize) / static_cast<float>(areaSize);
        for (int j = 0; j < areaSize; ++j)
            out[static_cast<std::size_t>(j)] =
                std::clamp(static_cast<int>(static_cast<float>(j) * ratio), 0, sourceSize - 1);
        return;
    }
    const double f = view.factor();
    for (int j = 0; j < areaSize; ++j) {
        const double s = std::floor(j / f - offset);
        out[static_cast<std::size_t>(j)] = s >= 0 && s < sourceSize ? static_cast<int>(s) : -1;
    }
}

// The columns of a 24-bit row the area shows: [first, end) have a source pixel (the
// mapping never decreases, so the black columns lie before and after), and of those the
// first `words` can be read as a four-byte word without passing the end of the row.
struct ShownColumns {
    int first = 0;
    int end = 0;
    int words = 0;
    bool contiguous = false; // source pixels side by side (x1): offsets step by 3
};

ShownColumns FindShownColumns(const std::vector<int>& offsets, int rowBytes) {
    ShownColumns s;
    const int n = static_cast<int>(offsets.size());
    while (s.first < n && offsets[static_cast<std::size_t>(s.first)] < 0)
        ++s.first;
    s.end = s.first;
    while (s.end < n && offsets[static_cast<std::size_t>(s.end)] >= 0)
        ++s.end;
    s.words = s.end;
    while (s.words > s.first && offsets[static_cast<std::size_t>(s.words - 1)] + 4 > rowBytes)
        --s.words;
    s.contiguous = true;
    for (int j = s.first + 1; j < s.end && s.contiguous; ++j)
        s.contiguous = offsets[static_cast<std::size_t>(j)] == offsets[static_cast<std::size_t>(j - 1)] + 3;
    return s;
}

// B, G, R in memory read as one little-endian word is 0x??RRGGBB: with the alpha byte set
// it is the QRgb.
static_assert(kBlack == 0xFF000000u);

[[gnu::always_inline]] inline QRgb WordPixel(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return kBlack | v;
}

[[gnu::always_inline]] inline void WordRowBody(const std::uint8_t* __restrict in,
                                               QRgb* __restrict out, const int* offsets, int n) {
    for (int j = 0; j < n; ++j)
        out[j] = WordPixel(in + offsets[j]);
}

using WordRowKernel = void (*)(const std::uint8_t* in, QRgb* out, const int* offsets, int n,
                               bool contiguous);

void WordRowBaseline(const std::uint8_t* in, QRgb* out, const int* offsets, int n, bool) {
    WordRowBody(in, out, offsets, n);
}

#ifdef MIRELTA_AVX2_KERNELS
// Side by side, eight pixels (24 bytes) become eight words by one byte shuffle per
// 128-bit lane; otherwise eight words are gathered at their offsets.
MIRELTA_TARGET_AVX2 void WordRowAvx2(const std::uint8_t* in, QRgb* out, const int* offsets, int n,
                                     bool contiguous) {
    const __m256i alpha = _mm256_set1_epi32(static_cast<int>(kBlack));
    int j = 0;
    if (contiguous) {
        // Lane 0 takes pixels 0-3 from bytes 0-11, lane 1 pixels 4-7 from bytes 12-23; the
        // loads reach 4 bytes further, which the word range allows for all but the last
        // pixels, done below.
        const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,
                                                0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
        const std::uint8_t* base = in + offsets[0];
        for (; j + 8 < n; j += 8) {
            const std::uint8_t* p = base + 3 * j;
            const __m256i bytes = _mm256_inserti128_si256(
                _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))),
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), 1);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + j),
                                _mm256_or_si256(_mm256_shuffle_epi8(bytes, spread), alpha));
        }
    } else {
        for (; j + 8 <= n; j += 8) {
            const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(offsets + j));
            const __m256i words =
                _mm256_i32gather_epi32(reinterpret_cast<const int*>(in), at, 1);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + j), _mm256_or_si256(words, alpha));
        }
    }
    WordRowBody(in, out + j, offsets + j, n - j);
}
#endif

WordRowKernel WordKernel() {
#ifdef MIRELTA_AVX2_KERNELS
    if (UseAvx2Kernels())
        return WordRowAvx2;
#endif
    return WordRowBaseline;
}

} // namespace

void DrawPictureStep(QImage& area, const CDibImage& source, const ViewMapping& view) {
    const int w = area.width();
    const int h = area.height();
    const int bits = source.bitCount();
    if (w <= 0 || h <= 0)
        return;
    if (source.isNull() || source.width() <= 0 || source.height() <= 0 || (bits != 24 && bits != 8)) {
        area.fill(kBlack);
        return;
    }
    thread_local std::vector<int> columns;
    thread_local std::vector<int> rows;
    SourceIndexes(columns, w, source.width(), view, view.m_Bai_X);
    SourceIndexes(rows, h, source.height(), view, view.m_Bai_Y);
    if (bits == 24)
        for (int& c : columns)
            if (c >= 0)
                c *= 3; // byte offsets within the row
    ShownColumns shown;
    if (bits == 24)
        shown = FindShownColumns(columns, source.width() * 3);
    const WordRowKernel wordRow = WordKernel();
    int previousRow = -2;
    const QRgb* previousOut = nullptr;
    for (int i = 0; i < h; ++i) {
        auto* out = reinterpret_cast<QRgb*>(area.scanLine(i));
        const int sr = rows[static_cast<std::size_t>(i)];
        if (sr == previousRow && previousOut) {
            // Magnified rows repeat: copy the row made just before.
            std::memcpy(out, previousOut, static_cast<std::size_t>(w) * sizeof(QRgb));
            previousOut = out;
            continue;
        }
        previousRow = sr;
        previousOut = out;
        if (sr < 0) {
            std::fill(out, out + w, kBlack);
            continue;
        }
        const std::uint8_t* in = source.scanLine(sr);
        if (bits == 24) {
            std::fill(out, out + shown.first, kBlack);
            wordRow(in, out + shown.first, columns.data() + shown.first, shown.words - shown.first,
                    shown.contiguous);
            for (int j = shown.words; j < shown.end; ++j) {
                const std::uint8_t* px = in + columns[static_cast<std::size_t>(j)];
                out[j] = kBlack | (QRgb{px[2]} << 16) | (QRgb{px[1]} << 8) | px[0];
            }
            std::fill(out + shown.end, out + w, kBlack);
        } else {
            for (int j = 0; j < w; ++j) {
                const int c = columns[static_cast<std::size_t>(j)];
                const QRgb v = c < 0 ? 0 : in[c];
                out[j] = kBlack | (v << 16) | (v << 8) | v;
            }
        }
    }
}

bool ComposePictureArea(QImage& buffer, const CDibImage& picture, const CDibImage* preview,
                        const ViewMapping& view, const ViewGeometry& geometry,
                        const OverlayInputs& in, OverlayList& scratch) {
    const int w = geometry.area.width();
    const int h = geometry.area.height();
    if (w <= 0 || h <= 0)
        return false;
    if (buffer.width() != w || buffer.height() != h || buffer.format() != QImage::Format_RGB32)
        buffer = QImage(w, h, QImage::Format_RGB32);
    if (buffer.isNull())
        return false;
    DrawPictureStep(buffer, preview ? *preview : picture, view);

    ViewGeometry local = geometry;
    local.area = {0, 0, w, h};
    const OverlayMapping map = OverlayMapping::ForView(view, local);
    scratch.clear();
    if (in.pictureLayer)
        in.pictureLayer(scratch, map);
    AppendOverlayLayers(scratch, map, in);
    if (scratch.items().empty() || !in.color)
        return true;
    QPainter painter(&buffer);
    PaintOverlay(painter, scratch, in.color->font);
    return true;
}

int DrawOverlayOntoImage(CDibImage& image, const OverlayInputs& in) {
    if (image.isNull() || image.bitCount() != 24 || !in.color)
        return 0;
    OverlayMapping map;
    map.imageWidth = image.width();
    map.imageHeight = image.height();
    OverlayInputs layers = in;
    layers.pictureLayer = nullptr;
    OverlayList list;
    AppendOverlayLayers(list, map, layers);
    if (list.items().empty())
        return 1;
    // Painted by the screen's own overlay code on the canvas's top-down view.
    Canvas canvas(image);
    QPainter* painter = canvas.painter();
    if (!painter)
        return 0;
    PaintOverlay(*painter, list, in.color->font);
    return 1;
}
