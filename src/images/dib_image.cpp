#include "images/dib_image.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

CDibImage::CDibImage(CDibImage&& other) noexcept { *this = std::move(other); }

CDibImage& CDibImage::operator=(CDibImage&& other) noexcept {
    if (this != &other) {
        m_header = other.m_header;
        m_bits = std::move(other.m_bits);
        m_colours = other.m_colours;
        m_width = other.m_width;
        m_height = other.m_height;
        m_stride = other.m_stride;
        m_bitCount = other.m_bitCount;
        m_memoryOnly = other.m_memoryOnly;
        other.destroy();
    }
    return *this;
}

static bool supportedBitCount(int bitCount) {
    return bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

int CDibImage::allocate(int width, int height, int bitCount, bool memoryOnly) {
    if (width <= 0 || height <= 0 || bitCount <= 0)
        return 0;
    if (!supportedBitCount(bitCount))
        return 0;
    if (std::int64_t{width} * height > kMaxPixels)
        return 0;
    const int stride = strideFor(width, bitCount);
    std::vector<std::uint8_t> bits;
    try {
        bits.assign(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    destroy();
    m_bits = std::move(bits);
    m_width = width;
    m_height = height;
    m_stride = stride;
    m_bitCount = bitCount;
    m_memoryOnly = memoryOnly;
    m_header = BITMAPINFOHEADER{};
    m_header.biWidth = width;
    m_header.biHeight = height;
    m_header.biBitCount = static_cast<std::uint16_t>(bitCount);
    if (bitCount == 8)
        setGreyColourTable();
    return 1;
}

int CDibImage::create(int width, int height, int bitCount) {
    return allocate(width, height, bitCount, false);
}

int CDibImage::createMemoryOnly(int width, int height, int bitCount) {
    return allocate(width, height, bitCount, true);
}

int CDibImage::createLike(const CDibImage& source) {
    if (source.isNull())
        return 0;
    const auto colours = source.m_colours;
    if (!create(source.m_width, source.m_height, source.m_bitCount))
        return 0;
    if (m_bitCount == 8)
        m_colours = colours;
    return 1;
}

int CDibImage::copyFrom(const CDibImage& source) {
    if (&source == this)
        return isNull() ? 0 : 1;
    if (source.isNull())
        return 0;
    if (!allocate(source.m_width, source.m_height, source.m_bitCount, source.m_memoryOnly))
        return 0;
    m_colours = source.m_colours;
    std::memcpy(m_bits.data(), source.m_bits.data(), m_bits.size());
    return 1;
}

void CDibImage::destroy() {
    std::vector<std::uint8_t>().swap(m_bits);
    m_header = BITMAPINFOHEADER{};
    m_colours = {};
    m_width = m_height = m_stride = m_bitCount = 0;
    m_memoryOnly = false;
}

int CDibImage::blitFrom(const CDibImage& source, const IntRect& sourceRect, int x, int y) {
    if (isNull() || source.isNull() || source.m_bitCount != m_bitCount)
        return 0;
    // Clip the source rectangle to the source, then the destination to this image.
    IntRect src = sourceRect.intersected({0, 0, source.m_width, source.m_height});
    if (src.isEmpty())
        return 1;
    x += src.left - sourceRect.left;
    y += src.top - sourceRect.top;
    IntRect dst = IntRect{x, y, x + src.width(), y + src.height()}.intersected(
        {0, 0, m_width, m_height});
    if (dst.isEmpty())
        return 1;
    const int sx = src.left + (dst.left - x);
    const int sy = src.top + (dst.top - y);
    const int bpp = bytesPerPixel();
    const std::size_t rowBytes = static_cast<std::size_t>(dst.width()) * bpp;
    for (int row = 0; row < dst.height(); ++row) {
        const std::uint8_t* from = source.scanLine(sy + row) + static_cast<std::size_t>(sx) * bpp;
        std::uint8_t* to = scanLine(dst.top + row) + static_cast<std::size_t>(dst.left) * bpp;
        std::memmove(to, from, rowBytes);
    }
    return 1;
}

int CDibImage::blitFrom(const CDibImage& source, int x, int y) {
    return blitFrom(source, {0, 0, source.m_width, source.m_height}, x, y);
}

int CDibImage::fillRect(const IntRect& rect, COLORREF colour) {
    if (isNull())
        return 0;
    const IntRect r = rect.intersected({0, 0, m_width, m_height});
    if (r.isEmpty())
        return 1;
    std::uint8_t pixel[4] = {static_cast<std::uint8_t>(GetBValue(colour)),
                             static_cast<std::uint8_t>(GetGValue(colour)),
                             static_cast<std::uint8_t>(GetRValue(colour)), 0};
    int bpp = bytesPerPixel();
    if (m_bitCount == 8) {
        // Nearest grey of the colour, like a solid brush on a grey DIB.
        pixel[0] = static_cast<std::uint8_t>(
            (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100);
    } else if (m_bitCount == 16) {
        const int grey =
            (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
        const int word = grey << 2;
        pixel[0] = static_cast<std::uint8_t>(word & 0xFF);
        pixel[1] = static_cast<std::uint8_t>(word >> 8);
    }
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint8_t* p = scanLine(y) + static_cast<std::size_t>(r.left) * bpp;
        for (int x = r.left; x < r.right; ++x, p += bpp)
            std::memcpy(p, pixel, static_cast<std::size_t>(bpp));
    }
    return 1;
}

int CDibImage::fillRect(COLORREF colour) { return fillRect({0, 0, m_width, m_height}, colour); }

void CDibImage::setGreyColourTable() {
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        m_colours[static_cast<std::size_t>(i)] = RGBQUAD{v, v, v, 0};
    }
}

void CDibImage::setColourTable(const RGBQUAD* table, int first, int count) {
    if (!table || first < 0 || count <= 0 || first >= 256)
        return;
    count = std::min(count, 256 - first);
    std::copy(table, table + count, m_colours.begin() + first);
}
