#include "view/edge_image.h"

#include "images/dib_image.h"
#include "images/grey_convert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
[[gnu::target("avx2")]] void EdgeRowAvx2(const std::uint8_t* below, const std::uint8_t* centre,
                                         const std::uint8_t* above, std::uint8_t* out, int width,
                                         int polarity) {
    EdgeRowBody(below, centre, above, out, width, polarity);
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

bool IsGrey8Like(const CDibImage& image, const CDibImage& like) {
    return !image.isNull() && image.bitCount() == 8 && image.width() == like.width() &&
           image.height() == like.height();
}

} // namespace

int EdgePolarity(int vector) {
    switch (vector) {
    case 1: return 1;
    case 2: return -1;
    default: return 0;
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
        if (ToGrey8(display, grey) != 0)
            return 0;
        return EdgeImageFromGrey(grey, edge, EdgePolarity(vector));
    default: return 0;
    }
}
