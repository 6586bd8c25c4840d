#include "images/pixel_convert.h"

#include <cstddef>

namespace {

struct Formats {
    int source;
    int dest;
};

Formats formatsOf(PixelConversion conversion) {
    switch (conversion) {
    case PixelConversion::Grey16ToGrey24:
        return {16, 24};
    case PixelConversion::Grey16ToGrey8:
        return {16, 8};
    case PixelConversion::TiffSamplesToWord16:
    case PixelConversion::Word16ToTiffSamples:
        return {16, 16};
    case PixelConversion::SwapRedBlue24:
        return {24, 24};
    case PixelConversion::SwapRedBlue32:
        return {32, 32};
    }
    return {0, 0};
}

inline unsigned wordAt(const std::uint8_t* p) {
    return p[0] | (unsigned{p[1]} << 8);
}

// Converts one row of `count` pixels. Every pixel is read completely before it is
// written, so an in-place call sees only its own unconverted input.
void convertRow(const std::uint8_t* from, std::uint8_t* to, int count, PixelConversion conversion) {
    switch (conversion) {
    case PixelConversion::Grey16ToGrey24:
        for (int i = 0; i < count; ++i, from += 2, to += 3) {
            const auto v = static_cast<std::uint8_t>(wordAt(from) >> 2);
            to[0] = to[1] = to[2] = v;
        }
        break;
    case PixelConversion::Grey16ToGrey8:
        for (int i = 0; i < count; ++i, from += 2, ++to)
            *to = static_cast<std::uint8_t>(wordAt(from) >> 2);
        break;
    case PixelConversion::TiffSamplesToWord16:
        for (int i = 0; i < count; ++i, from += 2, to += 2) {
            const unsigned word = (unsigned{from[1]} << 2) | (from[0] & 3u);
            to[0] = static_cast<std::uint8_t>(word & 0xFF);
            to[1] = static_cast<std::uint8_t>(word >> 8);
        }
        break;
    case PixelConversion::Word16ToTiffSamples:
        for (int i = 0; i < count; ++i, from += 2, to += 2) {
            const unsigned word = wordAt(from);
            to[0] = static_cast<std::uint8_t>(word & 3u);
            to[1] = static_cast<std::uint8_t>((word >> 2) & 0xFF);
        }
        break;
    case PixelConversion::SwapRedBlue24:
        SwapRedBlue(from, to, count, 3);
        break;
    case PixelConversion::SwapRedBlue32:
        SwapRedBlue(from, to, count, 4);
        break;
    }
}

} // namespace

void SwapRedBlue(const std::uint8_t* from, std::uint8_t* to, int count, int bytesPerPixel) {
    for (int i = 0; i < count; ++i, from += bytesPerPixel, to += bytesPerPixel) {
        const std::uint8_t first = from[0];
        const std::uint8_t second = from[1];
        const std::uint8_t third = from[2];
        to[0] = third;
        to[1] = second;
        to[2] = first;
        if (bytesPerPixel == 4)
            to[3] = from[3];
    }
}

int ConvertPixels(const CDibImage& source, CDibImage& dest, const IntRect& rect,
                  PixelConversion conversion) {
    const Formats formats = formatsOf(conversion);
    if (source.isNull() || dest.isNull() || source.bitCount() != formats.source ||
        dest.bitCount() != formats.dest)
        return 0;
    const IntRect r = rect.intersected({0, 0, source.width(), source.height()})
                          .intersected({0, 0, dest.width(), dest.height()});
    if (r.isEmpty())
        return 1;
    const std::size_t fromOffset = static_cast<std::size_t>(r.left) * source.bytesPerPixel();
    const std::size_t toOffset = static_cast<std::size_t>(r.left) * dest.bytesPerPixel();
    for (int y = r.top; y < r.bottom; ++y)
        convertRow(source.scanLine(y) + fromOffset, dest.scanLine(y) + toOffset, r.width(),
                   conversion);
    return 1;
}

int ConvertPixels(const CDibImage& source, CDibImage& dest, PixelConversion conversion) {
    return ConvertPixels(source, dest, {0, 0, source.width(), source.height()}, conversion);
}
