#include "images/grey_convert.h"

#include "images/dib_image.h"
#include "platform/kernel_level.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

// Memory address of picture row y (counted from the top) at column x.
std::uint8_t* PixelAt(const IMAGE_DESCRIPTOR& d, int x, int y) {
    const std::size_t memoryRow = static_cast<std::size_t>(d.height - 1 - y);
    return d.bits + memoryRow * static_cast<std::size_t>(d.stride) +
           static_cast<std::size_t>(x) * (d.bitCount / 8);
}

// One row; the byte counts are template arguments so the compiler unrolls the pixel. The
// weighted sum fits 16 bits, which lets the division by 100 become vector code, exact in
// any form the compiler picks.
template <int SrcBytes, int DstBytes>
[[gnu::always_inline]] inline void GreyRowBody(const std::uint8_t* __restrict src,
                                               std::uint8_t* __restrict dst, int columns) {
    for (int x = 0; x < columns; ++x) {
        const std::uint8_t* s = src + x * SrcBytes;
        const auto sum = static_cast<std::uint16_t>(GreyWeightedSum(s[2], s[1], s[0]));
        const auto grey = static_cast<std::uint8_t>(sum / 100);
        std::uint8_t* d = dst + x * DstBytes;
        d[0] = grey;
        if constexpr (DstBytes >= 3) {
            d[1] = grey;
            d[2] = grey;
        }
    }
}

using GreyRowKernel = void (*)(const std::uint8_t* src, std::uint8_t* dst, int columns);

template <int SrcBytes, int DstBytes>
void GreyRowBaseline(const std::uint8_t* src, std::uint8_t* dst, int columns) {
    GreyRowBody<SrcBytes, DstBytes>(src, dst, columns);
}

#ifdef MIRELTA_AVX2_KERNELS
template <int SrcBytes, int DstBytes>
MIRELTA_TARGET_AVX2 void GreyRowAvx2(const std::uint8_t* src, std::uint8_t* dst, int columns) {
    GreyRowBody<SrcBytes, DstBytes>(src, dst, columns);
}
#endif

template <int SrcBytes, int DstBytes> GreyRowKernel GreyKernel() {
#ifdef MIRELTA_AVX2_KERNELS
    if (UseAvx2Kernels())
        return GreyRowAvx2<SrcBytes, DstBytes>;
#endif
    return GreyRowBaseline<SrcBytes, DstBytes>;
}

template <int SrcBytes> GreyRowKernel GreyKernelTo(int dstBitCount) {
    switch (dstBitCount) {
    case 8: return GreyKernel<SrcBytes, 1>();
    case 24: return GreyKernel<SrcBytes, 3>();
    default: return GreyKernel<SrcBytes, 4>();
    }
}

template <int SrcBytes, int DstBytes>
void GreyRowOverlapping(const std::uint8_t* src, std::uint8_t* dst, int columns) {
    for (int x = 0; x < columns; ++x, src += SrcBytes, dst += DstBytes) {
        const auto grey = static_cast<std::uint8_t>(GreyLevel(src[2], src[1], src[0]));
        dst[0] = grey;
        if constexpr (DstBytes >= 3) {
            dst[1] = grey;
            dst[2] = grey;
        }
    }
}

template <int SrcBytes> GreyRowKernel GreyKernelOverlapping(int dstBitCount) {
    switch (dstBitCount) {
    case 8: return GreyRowOverlapping<SrcBytes, 1>;
    case 24: return GreyRowOverlapping<SrcBytes, 3>;
    default: return GreyRowOverlapping<SrcBytes, 4>;
    }
}

void GreyRows(const IMAGE_DESCRIPTOR& s, const IMAGE_DESCRIPTOR& d, int rows, int columns) {
    // Rows of one image converted in place overlap their source: pixel by pixel then,
    // each read before its own bytes are written.
    const bool sameMemory = s.bits == d.bits;
    const GreyRowKernel kernel =
        sameMemory ? (s.bitCount == 24 ? GreyKernelOverlapping<3>(d.bitCount)
                                       : GreyKernelOverlapping<4>(d.bitCount))
                   : (s.bitCount == 24 ? GreyKernelTo<3>(d.bitCount) : GreyKernelTo<4>(d.bitCount));
    for (int i = 0; i < rows; ++i) {
        const std::uint8_t* src = PixelAt(s, s.left, s.top + i);
        std::uint8_t* dst = PixelAt(d, d.left, d.top + i);
        kernel(src, dst, columns);
    }
}

} // namespace

int ToGrey8(const IMAGE_DESCRIPTOR* source, const IMAGE_DESCRIPTOR* destination) {
    if (const int r = ValidateImageDescriptor(source, {24, 32}); r != kFilterOk)
        return r;
    if (const int r = ValidateImageDescriptor(destination, {8, 24, 32}); r != kFilterOk)
        return r;
    const int rows = std::min(source->bottom - source->top, destination->bottom - destination->top);
    const int columns =
        std::min(source->right - source->left, destination->right - destination->left);
    GreyRows(*source, *destination, rows, columns);
    return kFilterOk;
}

int ToGrey8(const CDibImage& source, CDibImage& destination) {
    const IMAGE_DESCRIPTOR s = DescribeImage(source);
    const IMAGE_DESCRIPTOR d = DescribeImage(destination);
    return ToGrey8(&s, &d);
}
