#pragma once
#include "images/bitmap_header.h"
#include "platform/colorref.h"
#include "platform/int_rect.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Every picture of the program: bottom-up rows padded to 4 bytes, 24-bit pixels
// stored B, G, R, 8-bit pixels indexing a colour table (a linear grey ramp by default),
// 16-bit pixels a little-endian 10-bit intensity, 32-bit pixels B, G, R and a fourth byte.
//
// "Memory-only" images carry the same layout; the distinction is kept because
// copyFrom and the BMP reader treat drawable images differently from plain buffers.
class CDibImage {
public:
    // Largest picture accepted anywhere (width * height); guards every decoder.
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

    CDibImage() = default;
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;
    CDibImage(CDibImage&& other) noexcept;
    CDibImage& operator=(CDibImage&& other) noexcept;
    ~CDibImage() = default;

    // Each returns non-zero on success. New pixels are zero.
    int create(int width, int height, int bitCount);
    int createMemoryOnly(int width, int height, int bitCount);
    int createLike(const CDibImage& source);
    int copyFrom(const CDibImage& source);
    void destroy();

    // Copies sourceRect of source to (x, y) of this image, both in top-down picture
    // coordinates, clipped to both images; same bit count only (0 otherwise). The source
    // may be this image, overlapping regions included.
    int blitFrom(const CDibImage& source, const IntRect& sourceRect, int x, int y);
    int blitFrom(const CDibImage& source, int x = 0, int y = 0);
    // Solid fill; rect in top-down picture coordinates, clipped. An 8-bit image gets the
    // colour-table entry nearest to the colour, a 16-bit one the grey level as a 10-bit word.
    int fillRect(const IntRect& rect, COLORREF colour);
    int fillRect(COLORREF colour);

    void setGreyColourTable();
    // Copies count entries of table into entries first, first + 1, ... (cut at 256).
    void setColourTable(const RGBQUAD* table, int first, int count);
    const std::array<RGBQUAD, 256>& colourTable() const { return m_colours; }
    // Index of the colour-table entry nearest to colour (first of equals).
    int nearestColourIndex(COLORREF colour) const;

    bool isNull() const { return m_bits.empty(); }
    bool hasDc() const { return !isNull() && !m_memoryOnly; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int stride() const { return m_stride; }
    int bitCount() const { return m_bitCount; }
    int bytesPerPixel() const { return m_bitCount / 8; }
    std::size_t byteSize() const { return m_bits.size(); }
    const BITMAPINFOHEADER& header() const { return m_header; }

    std::uint8_t* bits() { return m_bits.empty() ? nullptr : m_bits.data(); }
    const std::uint8_t* bits() const { return m_bits.empty() ? nullptr : m_bits.data(); }
    // Row accessors do not check: the image must not be null and the row in range.
    // Memory row r (counted from the bottom of the picture).
    std::uint8_t* memoryRow(int r) { return m_bits.data() + static_cast<std::size_t>(r) * m_stride; }
    const std::uint8_t* memoryRow(int r) const {
        return m_bits.data() + static_cast<std::size_t>(r) * m_stride;
    }
    // Picture row y (counted from the top), the one drawing code wants.
    std::uint8_t* scanLine(int y) { return memoryRow(m_height - 1 - y); }
    const std::uint8_t* scanLine(int y) const { return memoryRow(m_height - 1 - y); }

    // Bytes per row padded to 4; 0 when width or bitCount is not positive or the row
    // would not fit an int.
    static int strideFor(int width, int bitCount);

private:
    int allocate(int width, int height, int bitCount, bool memoryOnly);

    BITMAPINFOHEADER m_header;
    std::vector<std::uint8_t> m_bits;
    std::array<RGBQUAD, 256> m_colours{};
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    int m_bitCount = 0;
    bool m_memoryOnly = false;
};
