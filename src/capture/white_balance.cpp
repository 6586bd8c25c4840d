#include "capture/white_balance.h"

#include "images/dib_image.h"

#include "platform/kernel_level.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// The offset as the byte added and the byte taken away with saturation: one of the two
// is 0, and an offset beyond +/-255 saturates every value anyway.
struct SaturatingOffset {
    std::uint8_t add = 0;
    std::uint8_t sub = 0;
};

SaturatingOffset Split(std::int32_t offset) {
    SaturatingOffset s;
    if (offset > 0)
        s.add = static_cast<std::uint8_t>(offset > 255 ? 255 : offset);
    else if (offset < 0)
        s.sub = static_cast<std::uint8_t>(offset < -255 ? 255 : -offset);
    return s;
}

// The per-byte pattern of one pixel (B, G, R) repeated over `n` bytes, n a multiple of 3.
template <int N> struct Pattern {
    std::uint8_t add[N];
    std::uint8_t sub[N];
    Pattern(SaturatingOffset blue, SaturatingOffset red) {
        for (int i = 0; i < N; i += 3) {
            add[i] = blue.add, add[i + 1] = 0, add[i + 2] = red.add;
            sub[i] = blue.sub, sub[i + 1] = 0, sub[i + 2] = red.sub;
        }
    }
};

inline std::uint8_t Saturate(std::uint8_t v, std::uint8_t add, std::uint8_t sub) {
    const int up = v + add;
    const int clipped = up > 255 ? 255 : up;
    return static_cast<std::uint8_t>(clipped > sub ? clipped - sub : 0);
}

// Bytes [done, bytes) of a row, one at a time; `done` is a multiple of 3.
void OffsetRowTail(std::uint8_t* p, int done, int bytes, const Pattern<3>& pixel) {
    for (int i = done; i < bytes; ++i)
        p[i] = Saturate(p[i], pixel.add[i % 3], pixel.sub[i % 3]);
}

using OffsetRowKernel = void (*)(std::uint8_t* row, int bytes, SaturatingOffset blue,
                                 SaturatingOffset red);

#if defined(__SSE2__)
// 48 bytes (16 pixels) at a time: three vectors whose pattern repeats every three.
void OffsetRowBaseline(std::uint8_t* row, int bytes, SaturatingOffset blue, SaturatingOffset red) {
    const Pattern<48> pattern(blue, red);
    __m128i add[3], sub[3];
    for (int k = 0; k < 3; ++k) {
        add[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern.add + 16 * k));
        sub[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pattern.sub + 16 * k));
    }
    int i = 0;
    for (; i + 48 <= bytes; i += 48)
        for (int k = 0; k < 3; ++k) {
            auto* v = reinterpret_cast<__m128i*>(row + i + 16 * k);
            _mm_storeu_si128(v, _mm_subs_epu8(_mm_adds_epu8(_mm_loadu_si128(v), add[k]), sub[k]));
        }
    OffsetRowTail(row, i, bytes, Pattern<3>(blue, red));
}
#else
void OffsetRowBaseline(std::uint8_t* row, int bytes, SaturatingOffset blue, SaturatingOffset red) {
    OffsetRowTail(row, 0, bytes, Pattern<3>(blue, red));
}
#endif

#ifdef MIRELTA_AVX2_KERNELS
// 96 bytes (32 pixels) at a time.
MIRELTA_TARGET_AVX2 void OffsetRowAvx2(std::uint8_t* row, int bytes, SaturatingOffset blue,
                                       SaturatingOffset red) {
    const Pattern<96> pattern(blue, red);
    __m256i add[3], sub[3];
    for (int k = 0; k < 3; ++k) {
        add[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern.add + 32 * k));
        sub[k] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pattern.sub + 32 * k));
    }
    int i = 0;
    for (; i + 96 <= bytes; i += 96)
        for (int k = 0; k < 3; ++k) {
            auto* v = reinterpret_cast<__m256i*>(row + i + 32 * k);
            _mm256_storeu_si256(
                v, _mm256_subs_epu8(_mm256_adds_epu8(_mm256_loadu_si256(v), add[k]), sub[k]));
        }
    OffsetRowTail(row, i, bytes, Pattern<3>(blue, red));
}
#endif

OffsetRowKernel OffsetKernel() {
#ifdef MIRELTA_AVX2_KERNELS
    if (UseAvx2Kernels())
        return OffsetRowAvx2;
#endif
    return OffsetRowBaseline;
}

} // namespace

void ApplyWhiteBalanceOffsets(CDibImage& image, std::int32_t red, std::int32_t blue) {
    if (image.isNull() || image.bitCount() != 24)
        return;
    const SaturatingOffset r = Split(red), b = Split(blue);
    if (r.add == 0 && r.sub == 0 && b.add == 0 && b.sub == 0)
        return;
    const OffsetRowKernel kernel = OffsetKernel();
    const int bytes = image.width() * 3;
    for (int row = image.height() - 1; row >= 0; --row)
        kernel(image.memoryRow(row), bytes, b, r);
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
