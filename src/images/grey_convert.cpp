#include "images/grey_convert.h"

#include "images/dib_image.h"

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

// One row; the byte counts are template arguments so the compiler unrolls the pixel.
template <int SrcBytes, int DstBytes>
void GreyRow(const std::uint8_t* src, std::uint8_t* dst, int columns) {
    for (int x = 0; x < columns; ++x, src += SrcBytes, dst += DstBytes) {
        const auto grey = static_cast<std::uint8_t>(GreyLevel(src[2], src[1], src[0]));
        dst[0] = grey;
        if constexpr (DstBytes >= 3) {
            dst[1] = grey;
            dst[2] = grey;
        }
    }
}

template <int SrcBytes>
void GreyRows(const IMAGE_DESCRIPTOR& s, const IMAGE_DESCRIPTOR& d, int rows, int columns) {
    for (int i = 0; i < rows; ++i) {
        const std::uint8_t* src = PixelAt(s, s.left, s.top + i);
        std::uint8_t* dst = PixelAt(d, d.left, d.top + i);
        switch (d.bitCount) {
        case 8: GreyRow<SrcBytes, 1>(src, dst, columns); break;
        case 24: GreyRow<SrcBytes, 3>(src, dst, columns); break;
        default: GreyRow<SrcBytes, 4>(src, dst, columns); break;
        }
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
    if (source->bitCount == 24)
        GreyRows<3>(*source, *destination, rows, columns);
    else
        GreyRows<4>(*source, *destination, rows, columns);
    return kFilterOk;
}

int ToGrey8(const CDibImage& source, CDibImage& destination) {
    const IMAGE_DESCRIPTOR s = DescribeImage(source);
    const IMAGE_DESCRIPTOR d = DescribeImage(destination);
    return ToGrey8(&s, &d);
}
