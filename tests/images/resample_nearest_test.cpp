#include "images/resample_nearest.h"

#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// 24-bit pixels that name their own picture position (x < 4096, y < 4096).
void PaintPositions(CDibImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            std::uint8_t* p = image.scanLine(y) + x * image.bytesPerPixel();
            p[0] = static_cast<std::uint8_t>(x & 0xFF);
            p[1] = static_cast<std::uint8_t>((x >> 8) | ((y >> 8) << 4));
            p[2] = static_cast<std::uint8_t>(y & 0xFF);
        }
}

std::pair<int, int> PositionAt(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + x * 3;
    return {p[0] | ((p[1] & 0x0F) << 8), p[2] | ((p[1] >> 4) << 8)};
}

std::vector<int> SampledColumns(int sourceWidth, int destWidth) {
    CDibImage source;
    CDibImage destination;
    source.create(sourceWidth, 1, 24);
    destination.create(destWidth, 1, 24);
    PaintPositions(source);
    EXPECT_EQ(ResampleNearest(source, {0, 0, sourceWidth, 1}, destination, {0, 0, destWidth, 1}), 1);
    std::vector<int> columns;
    for (int j = 0; j < destWidth; ++j)
        columns.push_back(PositionAt(destination, j, 0).first);
    return columns;
}

std::vector<int> SampledRows(int sourceHeight, int destHeight) {
    CDibImage source;
    CDibImage destination;
    source.create(1, sourceHeight, 24);
    destination.create(1, destHeight, 24);
    PaintPositions(source);
    EXPECT_EQ(ResampleNearest(source, {0, 0, 1, sourceHeight}, destination, {0, 0, 1, destHeight}), 1);
    std::vector<int> rows;
    for (int i = 0; i < destHeight; ++i)
        rows.push_back(PositionAt(destination, 0, i).second);
    return rows;
}

TEST(ResampleNearest, IndexRuleForColumnsAndPictureRows) {
    EXPECT_EQ(SampledColumns(4, 3), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SampledColumns(3, 4), (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(SampledColumns(5, 2), (std::vector<int>{0, 2}));
    EXPECT_EQ(SampledColumns(2, 5), (std::vector<int>{0, 0, 0, 1, 1}));
    EXPECT_EQ(SampledColumns(3, 3), (std::vector<int>{0, 1, 2}));
    // Rows count from the top of the picture.
    EXPECT_EQ(SampledRows(4, 3), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SampledRows(3, 4), (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(SampledRows(7, 2), (std::vector<int>{0, 3}));
}

TEST(ResampleNearest, ThumbnailOfAFullFrame) {
    CDibImage frame;
    CDibImage thumb;
    ASSERT_TRUE(frame.create(1280, 1024, 24));
    ASSERT_TRUE(thumb.create(140, 105, 24));
    PaintPositions(frame);
    ASSERT_EQ(ResampleNearest(frame, {0, 0, 1280, 1024}, thumb, {0, 0, 140, 105}), 1);
    // 1280 / 140 = 9.142857 and 1024 / 105 = 9.752381.
    EXPECT_EQ(PositionAt(thumb, 0, 0), std::make_pair(0, 0));
    EXPECT_EQ(PositionAt(thumb, 139, 0), std::make_pair(1270, 0));
    EXPECT_EQ(PositionAt(thumb, 0, 104), std::make_pair(0, 1014));
    EXPECT_EQ(PositionAt(thumb, 139, 104), std::make_pair(1270, 1014));
    EXPECT_EQ(PositionAt(thumb, 70, 52), std::make_pair(640, 507));
}

TEST(ResampleNearest, EnlargingRepeatsRowsAndColumns) {
    CDibImage source;
    CDibImage destination;
    ASSERT_TRUE(source.create(3, 3, 24));
    ASSERT_TRUE(destination.create(9, 9, 24));
    PaintPositions(source);
    ASSERT_EQ(ResampleNearest(source, {0, 0, 3, 3}, destination, {0, 0, 9, 9}), 1);
    for (int i = 0; i < 9; ++i)
        for (int j = 0; j < 9; ++j)
            ASSERT_EQ(PositionAt(destination, j, i), std::make_pair(j / 3, i / 3)) << j << "," << i;
}

TEST(ResampleNearest, RectanglesGiveSizesAndThePlaceToWrite) {
    CDibImage source;
    ASSERT_TRUE(source.create(8, 8, 24));
    PaintPositions(source);
    {
        // The source rectangle supplies the sampled size; sampling starts at the top-left.
        CDibImage destination;
        ASSERT_TRUE(destination.create(2, 2, 24));
        ASSERT_EQ(ResampleNearest(source, {4, 4, 8, 8}, destination, {0, 0, 2, 2}), 1);
        EXPECT_EQ(PositionAt(destination, 1, 1), std::make_pair(2, 2));
    }
    {
        // Written from the destination rectangle's corner; the rest stays.
        CDibImage destination;
        ASSERT_TRUE(destination.create(6, 5, 24));
        destination.fillRect(RGB(0xEE, 0xEE, 0xEE));
        ASSERT_EQ(ResampleNearest(source, {0, 0, 8, 8}, destination, {2, 1, 6, 5}), 1);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 6; ++x) {
                if (x >= 2 && y >= 1)
                    EXPECT_EQ(PositionAt(destination, x, y), std::make_pair((x - 2) * 2, (y - 1) * 2));
                else
                    EXPECT_EQ(destination.scanLine(y)[x * 3], 0xEE) << x << "," << y;
            }
    }
    {
        // A destination rectangle reaching outside is clipped; the scale stays that of the
        // whole rectangle.
        CDibImage destination;
        ASSERT_TRUE(destination.create(4, 4, 24));
        ASSERT_EQ(ResampleNearest(source, {0, 0, 8, 8}, destination, {-2, -3, 6, 5}), 1);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(PositionAt(destination, x, y), std::make_pair(x + 2, y + 3));
        ASSERT_EQ(ResampleNearest(source, {0, 0, 8, 8}, destination, {2, 2, 10, 10}), 1);
        EXPECT_EQ(PositionAt(destination, 3, 3), std::make_pair(1, 1));
        // Entirely outside: nothing to do, nothing written.
        EXPECT_EQ(ResampleNearest(source, {0, 0, 8, 8}, destination, {4, 0, 8, 4}), 1);
        EXPECT_EQ(ResampleNearest(source, {0, 0, 8, 8}, destination, {INT_MIN / 2, 0, -1, 4}), 1);
        EXPECT_EQ(PositionAt(destination, 3, 3), std::make_pair(1, 1));
    }
    {
        // A source rectangle larger than the image is clamped to its last pixel.
        CDibImage destination;
        ASSERT_TRUE(destination.create(5, 1, 24));
        ASSERT_EQ(ResampleNearest(source, {0, 0, 20, 1}, destination, {0, 0, 5, 1}), 1);
        EXPECT_EQ(PositionAt(destination, 1, 0).first, 4);
        EXPECT_EQ(PositionAt(destination, 2, 0).first, 7);
        EXPECT_EQ(PositionAt(destination, 4, 0).first, 7);
    }
}

TEST(ResampleNearest, OtherBitCounts) {
    CDibImage grey;
    ASSERT_TRUE(grey.create(4, 2, 8));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            grey.scanLine(y)[x] = static_cast<std::uint8_t>(10 * x + 100 * y + 1);
    {
        CDibImage out;
        ASSERT_TRUE(out.create(2, 2, 8));
        ASSERT_EQ(ResampleNearest(grey, {0, 0, 4, 2}, out, {0, 0, 2, 2}), 1);
        EXPECT_EQ(out.scanLine(0)[1], 21);
        EXPECT_EQ(out.scanLine(1)[0], 101);
    }
    {
        CDibImage out;
        ASSERT_TRUE(out.create(4, 2, 24));
        ASSERT_EQ(ResampleNearest(grey, {0, 0, 4, 2}, out, {0, 0, 4, 2}), 1);
        const std::uint8_t* p = out.scanLine(1) + 3 * 3;
        EXPECT_EQ(p[0], 131);
        EXPECT_EQ(p[1], 131);
        EXPECT_EQ(p[2], 131);
        // An image with a palette of its own shows the palette's colours.
        const RGBQUAD orange{0, 128, 255, 0};
        grey.setColourTable(&orange, 131, 1);
        ASSERT_EQ(ResampleNearest(grey, {0, 0, 4, 2}, out, {0, 0, 4, 2}), 1);
        EXPECT_EQ(p[0], 0);
        EXPECT_EQ(p[1], 128);
        EXPECT_EQ(p[2], 255);
    }
    {
        CDibImage wide;
        CDibImage out;
        ASSERT_TRUE(wide.create(2, 1, 32));
        ASSERT_TRUE(out.create(2, 1, 24));
        const std::uint8_t pixels[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        std::memcpy(wide.bits(), pixels, 8);
        ASSERT_EQ(ResampleNearest(wide, {0, 0, 2, 1}, out, {0, 0, 2, 1}), 1);
        const std::uint8_t want[6] = {1, 2, 3, 5, 6, 7};
        EXPECT_EQ(0, std::memcmp(out.bits(), want, 6));
    }
    {
        CDibImage ten;
        CDibImage out;
        ASSERT_TRUE(ten.create(1, 1, 16));
        ASSERT_TRUE(out.create(1, 1, 24));
        ten.bits()[0] = 0xFF; // word 1023
        ten.bits()[1] = 0x03;
        ASSERT_EQ(ResampleNearest(ten, {0, 0, 1, 1}, out, {0, 0, 1, 1}), 1);
        EXPECT_EQ(out.bits()[0], 255);
        EXPECT_EQ(out.bits()[2], 255);
    }
}

TEST(ResampleNearest, RefusesWhatItCannotDo) {
    struct Case {
        int from, to;
    };
    for (const Case c : {Case{24, 8}, Case{24, 32}, Case{32, 32}, Case{8, 16}, Case{16, 16}}) {
        CDibImage source;
        CDibImage destination;
        ASSERT_TRUE(source.create(3, 3, c.from));
        ASSERT_TRUE(destination.create(3, 3, c.to));
        source.fillRect(0xFFFFFF);
        EXPECT_EQ(ResampleNearest(source, {0, 0, 3, 3}, destination, {0, 0, 3, 3}), 0)
            << c.from << " -> " << c.to;
        EXPECT_EQ(destination.bits()[0], 0);
    }
    CDibImage a;
    CDibImage b;
    ASSERT_TRUE(a.create(3, 3, 24));
    EXPECT_EQ(ResampleNearest(a, {0, 0, 3, 3}, b, {0, 0, 3, 3}), 0);
    EXPECT_EQ(ResampleNearest(b, {0, 0, 3, 3}, a, {0, 0, 3, 3}), 0);
    ASSERT_TRUE(b.create(3, 3, 24));
    EXPECT_EQ(ResampleNearest(a, {0, 0, 0, 3}, b, {0, 0, 3, 3}), 0);
    EXPECT_EQ(ResampleNearest(a, {0, 0, 3, 3}, b, {1, 1, 1, 3}), 0);
    EXPECT_EQ(ResampleNearest(a, {0, 0, 3, 3}, a, {0, 0, 2, 2}), 0);
    EXPECT_EQ(ResampleNearest(a, {INT_MIN, 0, INT_MAX, 3}, b, {0, 0, 3, 3}), 0);
}

} // namespace

// Pixels moved a word at a time must still give exactly the sampled bytes, leave the
// destination's row padding alone, and never read past the source (its top row is the
// last in memory; ASan watches that).
TEST(ResampleNearest, WordMovesGiveTheSampledBytesAndTouchNoPadding) {
    const int sizes[][2] = {{1, 1}, {1, 5}, {3, 2}, {4, 4}, {5, 17}, {17, 5}, {33, 64}, {64, 33}};
    for (const int from : {24, 32})
        for (const auto& sw : sizes)
            for (const auto& dw : sizes) {
                SCOPED_TRACE(testing::Message() << from << " bits, " << sw[0] << "x" << sw[1]
                                                << " -> " << dw[0] << "x" << dw[1]);
                CDibImage source, destination, before;
                ASSERT_TRUE(source.create(sw[0], sw[1], from));
                ASSERT_TRUE(destination.create(dw[0], dw[1], 24));
                for (std::size_t i = 0; i < source.byteSize(); ++i)
                    source.bits()[i] = static_cast<std::uint8_t>(i * 29 + 3);
                for (std::size_t i = 0; i < destination.byteSize(); ++i)
                    destination.bits()[i] = static_cast<std::uint8_t>(0xC3 ^ i);
                before.copyFrom(destination);
                ASSERT_EQ(ResampleNearest(source, {0, 0, sw[0], sw[1]}, destination,
                                          {0, 0, dw[0], dw[1]}),
                          1);
                const float rx = static_cast<float>(sw[0]) / static_cast<float>(dw[0]);
                const float ry = static_cast<float>(sw[1]) / static_cast<float>(dw[1]);
                for (int i = 0; i < dw[1]; ++i) {
                    const int si = std::min(static_cast<int>(static_cast<float>(i) * ry), sw[1] - 1);
                    const std::uint8_t* out = destination.scanLine(i);
                    for (int j = 0; j < dw[0]; ++j) {
                        const int sj = std::min(static_cast<int>(static_cast<float>(j) * rx), sw[0] - 1);
                        const std::uint8_t* in = source.scanLine(si) + sj * (from / 8);
                        ASSERT_EQ(std::memcmp(out + 3 * j, in, 3), 0) << j << "," << i;
                    }
                    const std::uint8_t* old = before.scanLine(i);
                    for (int k = 3 * dw[0]; k < destination.stride(); ++k)
                        ASSERT_EQ(out[k], old[k]) << "padding of row " << i;
                }
            }
}
