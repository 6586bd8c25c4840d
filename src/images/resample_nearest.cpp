#include "images/resample_nearest.h"

#include "images/dib_image.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

namespace {

// Source index for each destination index, as the live picture has always sampled:
// single-precision ratio, truncated product, clamped.
int SourceIndex(int j, float ratio, int sourceSize) {
    const int index = static_cast<int>(static_cast<float>(j) * ratio);
    return std::clamp(index, 0, sourceSize - 1);
}

struct Copy1 {
    void operator()(const std::uint8_t* s, std::uint8_t* d) const { d[0] = s[0]; }
};
struct Copy3 {
    void operator()(const std::uint8_t* s, std::uint8_t* d) const {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    }
};
struct Palette8To24 {
    const std::array<std::array<std::uint8_t, 3>, 256>* table;
    void operator()(const std::uint8_t* s, std::uint8_t* d) const {
        const auto& bgr = (*table)[s[0]];
        d[0] = bgr[0];
        d[1] = bgr[1];
        d[2] = bgr[2];
    }
};
struct Grey16To24 {
    void operator()(const std::uint8_t* s, std::uint8_t* d) const {
        const auto grey = static_cast<std::uint8_t>((s[0] | (s[1] << 8)) >> 2);
        d[0] = d[1] = d[2] = grey;
    }
};

// Copy3 over a row: each pixel moved as one four-byte word, whose fourth byte lands on
// the next pixel and is overwritten by it. The first `wide` pixels go this way (their
// fourth source byte lies within the row, and they are not the row's last pixel); the
// rest three bytes at a time.
void CopyRow3(const std::uint8_t* in, std::uint8_t* d, const std::vector<int>& offsets, int wide) {
    const int n = static_cast<int>(offsets.size());
    int j = 0;
    for (; j < wide; ++j, d += 3)
        std::memcpy(d, in + offsets[static_cast<std::size_t>(j)], 4);
    for (; j < n; ++j, d += 3)
        Copy3{}(in + offsets[static_cast<std::size_t>(j)], d);
}

template <class PixelCopy>
void Resample(const CDibImage& source, int srcW, int srcH, CDibImage& destination,
              const IntRect& destRect, PixelCopy copy) {
    const int dstW = destRect.width();
    const int dstH = destRect.height();
    const int sbpp = source.bytesPerPixel();
    const int dbpp = destination.bytesPerPixel();
    // Only the columns and rows of destRect that fall inside the destination (in 64 bits:
    // destRect may lie far outside).
    using I64 = std::int64_t;
    const int jFirst = static_cast<int>(std::clamp<I64>(-I64{destRect.left}, 0, dstW));
    const int jEnd = static_cast<int>(std::clamp<I64>(destination.width() - I64{destRect.left}, 0, dstW));
    const int iFirst = static_cast<int>(std::clamp<I64>(-I64{destRect.top}, 0, dstH));
    const int iEnd = static_cast<int>(std::clamp<I64>(destination.height() - I64{destRect.top}, 0, dstH));
    if (jFirst >= jEnd || iFirst >= iEnd)
        return;

    // The column map is the same for every row; it lives on between calls so the
    // live picture path does not allocate once the size settles.
    thread_local std::vector<int> columnOffsets;
    columnOffsets.resize(static_cast<std::size_t>(jEnd - jFirst));
    const float columnRatio = static_cast<float>(srcW) / static_cast<float>(dstW);
    for (int j = jFirst; j < jEnd; ++j)
        columnOffsets[static_cast<std::size_t>(j - jFirst)] =
            SourceIndex(j, columnRatio, source.width()) * sbpp;

    // Offsets never decrease along the row: the pixels whose word stays inside the source
    // row come first.
    int wide = 0;
    if constexpr (std::is_same_v<PixelCopy, Copy3>) {
        const int rowBytes = source.width() * sbpp;
        wide = static_cast<int>(columnOffsets.size()) - 1;
        while (wide > 0 && columnOffsets[static_cast<std::size_t>(wide - 1)] + 4 > rowBytes)
            --wide;
    }

    const float rowRatio = static_cast<float>(srcH) / static_cast<float>(dstH);
    const std::size_t rowBytes = static_cast<std::size_t>(jEnd - jFirst) * dbpp;
    int previousSourceRow = -1;
    const std::uint8_t* previousRow = nullptr;
    for (int i = iFirst; i < iEnd; ++i) {
        const int sourceRow = SourceIndex(i, rowRatio, source.height());
        std::uint8_t* out = destination.scanLine(destRect.top + i) +
                            static_cast<std::size_t>(destRect.left + jFirst) * dbpp;
        if (sourceRow == previousSourceRow) {
            // Enlarging repeats rows: the row just written is the answer.
            std::memcpy(out, previousRow, rowBytes);
            continue;
        }
        const std::uint8_t* in = source.scanLine(sourceRow);
        if constexpr (std::is_same_v<PixelCopy, Copy3>) {
            CopyRow3(in, out, columnOffsets, wide);
        } else {
            std::uint8_t* d = out;
            for (const int offset : columnOffsets) {
                copy(in + offset, d);
                d += dbpp;
            }
        }
        previousSourceRow = sourceRow;
        previousRow = out;
    }
}

} // namespace

int ResampleNearest(const CDibImage& source, const IntRect& sourceRect, CDibImage& destination,
                    const IntRect& destRect) {
    if (source.isNull() || destination.isNull() || sourceRect.isEmpty() || destRect.isEmpty())
        return 0;
    // Sizes must fit an int for the index arithmetic.
    constexpr std::int64_t kIntMax = std::numeric_limits<int>::max();
    if (std::int64_t{sourceRect.right} - sourceRect.left > kIntMax ||
        std::int64_t{sourceRect.bottom} - sourceRect.top > kIntMax ||
        std::int64_t{destRect.right} - destRect.left > kIntMax ||
        std::int64_t{destRect.bottom} - destRect.top > kIntMax)
        return 0;
    // Reading the source while writing it would sample rows already overwritten.
    if (&source == &destination)
        return 0;
    const int srcW = sourceRect.width();
    const int srcH = sourceRect.height();
    const int from = source.bitCount();
    const int to = destination.bitCount();
    if (from == 24 && to == 24) {
        Resample(source, srcW, srcH, destination, destRect, Copy3{});
    } else if (from == 8 && to == 8) {
        Resample(source, srcW, srcH, destination, destRect, Copy1{});
    } else if (from == 8 && to == 24) {
        std::array<std::array<std::uint8_t, 3>, 256> table{};
        for (std::size_t k = 0; k < table.size(); ++k) {
            const RGBQUAD& e = source.colourTable()[k];
            table[k] = {e.rgbBlue, e.rgbGreen, e.rgbRed};
        }
        Resample(source, srcW, srcH, destination, destRect, Palette8To24{&table});
    } else if (from == 32 && to == 24) {
        Resample(source, srcW, srcH, destination, destRect, Copy3{});
    } else if (from == 16 && to == 24) {
        Resample(source, srcW, srcH, destination, destRect, Grey16To24{});
    } else {
        return 0;
    }
    return 1;
}
