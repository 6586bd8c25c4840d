#include "images/dib_image.h"

#include <algorithm>
#include <cstring>
#include <limits>
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

int CDibImage::strideFor(int width, int bitCount) {
    if (width <= 0 || bitCount <= 0)
        return 0;
    const std::int64_t stride = (std::int64_t{width} * (bitCount / 8) + 3) & ~std::int64_t{3};
    if (stride > std::numeric_limits<int>::max())
        return 0;
    return static_cast<int>(stride);
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
    if (stride == 0)
        return 0;
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
    // Clip in 64 bits: callers pass positions far outside the picture (scrolled views).
    using I64 = std::int64_t;
    const I64 srcLeft = std::max<I64>(sourceRect.left, 0);
    const I64 srcTop = std::max<I64>(sourceRect.top, 0);
    const I64 srcRight = std::min<I64>(sourceRect.right, source.m_width);
    const I64 srcBottom = std::min<I64>(sourceRect.bottom, source.m_height);
    if (srcRight <= srcLeft || srcBottom <= srcTop)
        return 1;
    // Where the clipped source's top-left corner lands in this image.
    const I64 toX = I64{x} + (srcLeft - sourceRect.left);
    const I64 toY = I64{y} + (srcTop - sourceRect.top);
    const I64 dstLeft = std::max<I64>(toX, 0);
    const I64 dstTop = std::max<I64>(toY, 0);
    const I64 dstRight = std::min<I64>(toX + (srcRight - srcLeft), m_width);
    const I64 dstBottom = std::min<I64>(toY + (srcBottom - srcTop), m_height);
    if (dstRight <= dstLeft || dstBottom <= dstTop)
        return 1;
    const int sx = static_cast<int>(srcLeft + (dstLeft - toX));
    const int sy = static_cast<int>(srcTop + (dstTop - toY));
    const int dx = static_cast<int>(dstLeft);
    const int dy = static_cast<int>(dstTop);
    const int rows = static_cast<int>(dstBottom - dstTop);
    const int bpp = bytesPerPixel();
    const std::size_t rowBytes = static_cast<std::size_t>(dstRight - dstLeft) * bpp;
    auto copyRow = [&](int row) {
        const std::uint8_t* from = source.scanLine(sy + row) + static_cast<std::size_t>(sx) * bpp;
        std::uint8_t* to = scanLine(dy + row) + static_cast<std::size_t>(dx) * bpp;
        std::memmove(to, from, rowBytes);
    };
    // Within one image, moving picture rows down must start at the bottom so that no
    // source row is overwritten before it is read.
    if (&source == this && dy > sy) {
        for (int row = rows - 1; row >= 0; --row)
            copyRow(row);
    } else {
        for (int row = 0; row < rows; ++row)
            copyRow(row);
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
    const int bpp = bytesPerPixel();
    if (m_bitCount == 8) {
        // A solid brush on a palette image paints the nearest table colour.
        pixel[0] = static_cast<std::uint8_t>(nearestColourIndex(colour));
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

int CDibImage::nearestColourIndex(COLORREF colour) const {
    const int r = GetRValue(colour);
    const int g = GetGValue(colour);
    const int b = GetBValue(colour);
    int best = 0;
    int bestDistance = 3 * 255 * 255 + 1;
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD& e = m_colours[static_cast<std::size_t>(i)];
        const int dr = e.rgbRed - r;
        const int dg = e.rgbGreen - g;
        const int db = e.rgbBlue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void CDibImage::setColourTable(const RGBQUAD* table, int first, int count) {
    if (!table || first < 0 || count <= 0 || first >= 256)
        return;
    count = std::min(count, 256 - first);
    std::copy(table, table + count, m_colours.begin() + first);
}
