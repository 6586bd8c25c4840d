#include "view/edge_image.h"

#include "images/dib_image.h"
#include "images/grey_convert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// The rule, written so that the compiler can turn it into vector code: the magnitude in
// single precision (exactly rounded in scalar and vector code alike), cut at 255 and
// truncated. Pixels of the wrong grey level for the polarity are 0; the range of grey
// values kept is lo...hi.
[[gnu::always_inline]] inline void EdgeRowBody(const std::uint8_t* __restrict below,
                                               const std::uint8_t* __restrict centre,
                                               const std::uint8_t* __restrict above,
                                               std::uint8_t* __restrict out, int width,
                                               int polarity) {
    const int lo = polarity > 0 ? 128 : 0;
    const int hi = polarity < 0 ? 128 : 255;
    for (int x = 1; x < width - 1; ++x) {
        const int gx = (below[x + 1] + 2 * centre[x + 1] + above[x + 1]) -
                       (below[x - 1] + 2 * centre[x - 1] + above[x - 1]);
        const int gy = (above[x - 1] + 2 * above[x] + above[x + 1]) -
                       (below[x - 1] + 2 * below[x] + below[x + 1]);
        float m = std::sqrt(static_cast<float>(gx * gx + gy * gy));
        m = std::min(m, 255.0f);
        const int c = centre[x];
        const int v = static_cast<int>(m);
        out[x] = static_cast<std::uint8_t>(c >= lo && c <= hi ? v : 0);
    }
}

void EdgeRowPlain(const std::uint8_t* below, const std::uint8_t* centre, const std::uint8_t* above,
                  std::uint8_t* out, int width, int polarity) {
    EdgeRowBody(below, centre, above, out, width, polarity);
}

#if defined(__x86_64__) || defined(__i386__)
#define MIRELTA_EDGE_AVX2 1

[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Load16(const std::uint8_t* p) {
    return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Eight (gx, gy) pairs to eight magnitudes, cut at 255 and truncated.
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i Magnitude8(__m256i pairs, __m256 limit) {
    const __m256 m = _mm256_sqrt_ps(_mm256_cvtepi32_ps(_mm256_madd_epi16(pairs, pairs)));
    return _mm256_cvttps_epi32(_mm256_min_ps(m, limit));
}

// Sixteen pixels at a time: the Sobel sums fit 16 bits, and one multiply-add of the
// interleaved sums gives gx * gx + gy * gy in 32 bits exactly. The square root and the
// truncation are the same single-precision operations as in the plain loop.
[[gnu::target("avx2")]] void EdgeRowAvx2(const std::uint8_t* below, const std::uint8_t* centre,
                                         const std::uint8_t* above, std::uint8_t* out, int width,
                                         int polarity) {
    const __m256i lo = _mm256_set1_epi16(static_cast<short>(polarity > 0 ? 128 : 0));
    const __m256i hi = _mm256_set1_epi16(static_cast<short>(polarity < 0 ? 128 : 255));
    const __m256 limit = _mm256_set1_ps(255.0f);
    int x = 1;
    for (; x + 16 <= width - 1; x += 16) {
        const __m256i bl = Load16(below + x - 1), bc = Load16(below + x),
                      br = Load16(below + x + 1);
        const __m256i cl = Load16(centre + x - 1), cc = Load16(centre + x),
                      cr = Load16(centre + x + 1);
        const __m256i al = Load16(above + x - 1), ac = Load16(above + x),
                      ar = Load16(above + x + 1);
        const __m256i right = _mm256_add_epi16(_mm256_add_epi16(br, ar), _mm256_add_epi16(cr, cr));
        const __m256i left = _mm256_add_epi16(_mm256_add_epi16(bl, al), _mm256_add_epi16(cl, cl));
        const __m256i up = _mm256_add_epi16(_mm256_add_epi16(al, ar), _mm256_add_epi16(ac, ac));
        const __m256i down = _mm256_add_epi16(_mm256_add_epi16(bl, br), _mm256_add_epi16(bc, bc));
        const __m256i gx = _mm256_sub_epi16(right, left);
        const __m256i gy = _mm256_sub_epi16(up, down);
        // Per 128-bit lane: pixels 0-3 and 8-11 in the first, 4-7 and 12-15 in the second;
        // the pack below puts them back in order.
        const __m256i p0 = _mm256_unpacklo_epi16(gx, gy);
        const __m256i p1 = _mm256_unpackhi_epi16(gx, gy);
        __m256i v = _mm256_packs_epi32(Magnitude8(p0, limit), Magnitude8(p1, limit));
        const __m256i keep = _mm256_andnot_si256(
            _mm256_or_si256(_mm256_cmpgt_epi16(lo, cc), _mm256_cmpgt_epi16(cc, hi)),
            _mm256_set1_epi16(-1));
        v = _mm256_and_si256(v, keep);
        const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packus_epi16(v, v), 0x08);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm256_castsi256_si128(bytes));
    }
    // The last columns, fewer than sixteen.
    if (x < width - 1)
        EdgeRowBody(below + x - 1, centre + x - 1, above + x - 1, out + x - 1, width - x + 1,
                    polarity);
}

bool HasAvx2() {
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

EdgeRowKernel BestKernel() {
#ifdef MIRELTA_EDGE_AVX2
    if (HasAvx2())
        return EdgeRowAvx2;
#endif
    return EdgeRowPlain;
}

// ToGrey8 over the whole picture (by the widest kernel the processor runs).
void GreyCopy(const CDibImage& display, CDibImage& grey) { ToGrey8(display, grey); }

bool IsGrey8Like(const CDibImage& image, const CDibImage& like) {
    return !image.isNull() && image.bitCount() == 8 && image.width() == like.width() &&
           image.height() == like.height();
}

} // namespace

int EdgePolarity(int vector) {
    switch (vector) {
    case 1:
        return 1;
    case 2:
        return -1;
    default:
        return 0;
    }
}

std::vector<EdgeKernelInfo> AvailableEdgeKernels() {
    std::vector<EdgeKernelInfo> kernels;
#ifdef MIRELTA_EDGE_AVX2
    if (HasAvx2())
        kernels.push_back({"avx2", EdgeRowAvx2});
#endif
    kernels.push_back({"default", EdgeRowPlain});
    return kernels;
}

int EdgeImageFromGrey(const CDibImage& grey, CDibImage& edge, int polarity, EdgeRowKernel kernel) {
    if (grey.isNull() || grey.bitCount() != 8 || !IsGrey8Like(edge, grey) || !kernel)
        return 0;
    const int w = grey.width(), h = grey.height();
    // The border is never computed; it is 0 whatever the image held before.
    std::memset(edge.memoryRow(0), 0, static_cast<std::size_t>(w));
    std::memset(edge.memoryRow(h - 1), 0, static_cast<std::size_t>(w));
    for (int r = 1; r < h - 1; ++r) {
        std::uint8_t* out = edge.memoryRow(r);
        out[0] = 0;
        if (w > 1)
            out[w - 1] = 0;
        kernel(grey.memoryRow(r - 1), grey.memoryRow(r), grey.memoryRow(r + 1), out, w, polarity);
    }
    return 1;
}

int EdgeImageFromGrey(const CDibImage& grey, CDibImage& edge, int polarity) {
    return EdgeImageFromGrey(grey, edge, polarity, BestKernel());
}

int ComputeEdgeImage(const CDibImage& display, CDibImage& grey, CDibImage& edge, int vector) {
    if (display.isNull() || !IsGrey8Like(grey, display) || !IsGrey8Like(edge, display))
        return 0;
    switch (display.bitCount()) {
    case 8:
        // Already grey: the magnitude is taken from it directly.
        return EdgeImageFromGrey(display, edge, EdgePolarity(vector));
    case 24:
    case 32:
        GreyCopy(display, grey);
        return EdgeImageFromGrey(grey, edge, EdgePolarity(vector));
    default:
        return 0;
    }
}
