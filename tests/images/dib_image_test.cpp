#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

// Gives every pixel of a 24-bit image its own value: B = column, G = picture row, R = tag.
void Paint(CDibImage& image, int tag) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            std::uint8_t* p = image.scanLine(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(tag);
        }
}

std::vector<std::uint8_t> Bytes(const CDibImage& image) {
    return {image.bits(), image.bits() + image.byteSize()};
}

TEST(DibImage, CreateFailuresLeaveTheImageUntouched) {
    struct Case {
        int width, height, bitCount;
    };
    const Case cases[] = {
        {0, 480, 24},  {640, 0, 24},  {640, 480, 0},     {-5, 480, 24},
        {640, -1, 24}, {640, 480, 1}, {640, 480, 4},     {640, 480, 12},
        {640, 480, -24}, {640, 480, 48}, {1 << 15, 1 << 14, 24}, {INT_MAX, INT_MAX, 8},
    };
    CDibImage image;
    ASSERT_TRUE(image.create(3, 2, 24));
    Paint(image, 7);
    const auto before = Bytes(image);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " x " << c.bitCount);
        EXPECT_EQ(image.create(c.width, c.height, c.bitCount), 0);
        EXPECT_EQ(image.createMemoryOnly(c.width, c.height, c.bitCount), 0);
        EXPECT_EQ(image.width(), 3);
        EXPECT_EQ(image.height(), 2);
        EXPECT_EQ(image.bitCount(), 24);
        EXPECT_TRUE(image.hasDc());
        EXPECT_EQ(Bytes(image), before);
    }
}

TEST(DibImage, StrideIsRowBytesPaddedToFour) {
    struct Case {
        int width, height, bitCount, stride;
    };
    const Case cases[] = {
        {641, 480, 24, 1924}, {640, 480, 24, 1920}, {1, 1, 8, 4},  {5, 2, 8, 8},
        {3, 1, 16, 8},        {1, 3, 24, 4},        {5, 1, 32, 20}, {1 << 14, 1 << 14, 8, 1 << 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " x " << c.bitCount);
        CDibImage image;
        ASSERT_TRUE(image.create(c.width, c.height, c.bitCount));
        EXPECT_EQ(image.stride(), c.stride);
        EXPECT_EQ(CDibImage::strideFor(c.width, c.bitCount), c.stride);
        EXPECT_EQ(image.byteSize(), static_cast<std::size_t>(c.stride) * c.height);
        const BITMAPINFOHEADER& h = image.header();
        EXPECT_EQ(h.biSize, 40u);
        EXPECT_EQ(h.biWidth, c.width);
        EXPECT_EQ(h.biHeight, c.height);
        EXPECT_EQ(h.biPlanes, 1);
        EXPECT_EQ(h.biBitCount, c.bitCount);
        EXPECT_EQ(h.biCompression, 0u);
    }
    EXPECT_EQ(CDibImage::strideFor(0, 24), 0);
    EXPECT_EQ(CDibImage::strideFor(INT_MAX, 32), 0);
}

TEST(DibImage, NewPixelsAreZeroAndRowsAreBottomUp) {
    CDibImage image;
    ASSERT_TRUE(image.create(7, 5, 24));
    for (const std::uint8_t b : Bytes(image))
        ASSERT_EQ(b, 0);
    EXPECT_EQ(image.scanLine(0), image.bits() + 4 * image.stride());
    EXPECT_EQ(image.scanLine(4), image.bits());
    EXPECT_EQ(image.memoryRow(1), image.bits() + image.stride());
}

TEST(DibImage, EightBitImagesGetTheLinearGreyTable) {
    CDibImage image;
    ASSERT_TRUE(image.create(4, 4, 8));
    for (int i = 0; i < 256; ++i) {
        const RGBQUAD& e = image.colourTable()[static_cast<std::size_t>(i)];
        ASSERT_EQ(e.rgbRed, i);
        ASSERT_EQ(e.rgbGreen, i);
        ASSERT_EQ(e.rgbBlue, i);
        ASSERT_EQ(e.rgbReserved, 0);
    }
    // A partial table replaces only its entries; entries past 255 are cut off.
    const RGBQUAD red[3] = {{0, 0, 255, 0}, {0, 0, 254, 0}, {0, 0, 253, 0}};
    image.setColourTable(red, 254, 3);
    EXPECT_EQ(image.colourTable()[253].rgbRed, 253);
    EXPECT_EQ(image.colourTable()[253].rgbBlue, 253);
    EXPECT_EQ(image.colourTable()[254].rgbRed, 255);
    EXPECT_EQ(image.colourTable()[254].rgbBlue, 0);
    EXPECT_EQ(image.colourTable()[255].rgbRed, 254);
    // createLike copies the table of an 8-bit source but not its pixels.
    image.memoryRow(0)[0] = 99;
    CDibImage like;
    ASSERT_TRUE(like.createLike(image));
    EXPECT_EQ(like.colourTable()[254].rgbRed, 255);
    EXPECT_EQ(like.colourTable()[254].rgbBlue, 0);
    EXPECT_EQ(like.memoryRow(0)[0], 0);
}

TEST(DibImage, CopyFromKeepsKindPixelsAndTable) {
    for (const bool memoryOnly : {false, true}) {
        SCOPED_TRACE(memoryOnly ? "memory-only" : "drawable");
        CDibImage source;
        ASSERT_TRUE(memoryOnly ? source.createMemoryOnly(5, 3, 8) : source.create(5, 3, 8));
        const RGBQUAD green{0, 200, 0, 0};
        source.setColourTable(&green, 9, 1);
        for (std::size_t i = 0; i < source.byteSize(); ++i)
            source.bits()[i] = static_cast<std::uint8_t>(i * 7 + 1);
        CDibImage copy;
        ASSERT_TRUE(copy.create(2, 2, 24));
        ASSERT_TRUE(copy.copyFrom(source));
        EXPECT_EQ(copy.hasDc(), !memoryOnly);
        EXPECT_EQ(copy.width(), 5);
        EXPECT_EQ(copy.height(), 3);
        EXPECT_EQ(copy.bitCount(), 8);
        EXPECT_EQ(copy.stride(), 8);
        EXPECT_EQ(Bytes(copy), Bytes(source));
        EXPECT_EQ(copy.colourTable()[9].rgbGreen, 200);
        EXPECT_EQ(copy.colourTable()[9].rgbRed, 0);
    }
}

TEST(DibImage, CopyFromNothingFailsAndKeepsTheImage) {
    CDibImage image;
    ASSERT_TRUE(image.create(3, 3, 24));
    Paint(image, 1);
    const auto before = Bytes(image);
    const CDibImage empty;
    EXPECT_EQ(image.copyFrom(empty), 0);
    EXPECT_EQ(Bytes(image), before);
    EXPECT_EQ(image.copyFrom(image), 1);
    EXPECT_EQ(Bytes(image), before);
}

TEST(DibImage, DestroyAndMoveLeaveAnEmptyImage) {
    CDibImage a;
    ASSERT_TRUE(a.create(4, 3, 24));
    Paint(a, 3);
    const auto bytes = Bytes(a);
    CDibImage b(std::move(a));
    EXPECT_TRUE(a.isNull());
    EXPECT_EQ(a.bits(), nullptr);
    EXPECT_EQ(a.width(), 0);
    EXPECT_EQ(Bytes(b), bytes);
    b.destroy();
    EXPECT_TRUE(b.isNull());
    EXPECT_EQ(b.width() + b.height() + b.stride() + b.bitCount(), 0);
    EXPECT_EQ(b.header().biSize, 40u);
    EXPECT_EQ(b.header().biWidth, 0);
}

// What a blit must do, pixel by pixel: destination (X, Y) takes source
// (X - x + rect.left, Y - y + rect.top) when that lies in the rectangle and the source.
void ExpectBlit(const CDibImage& before, const CDibImage& source, const IntRect& rect, int x,
                int y, const CDibImage& after) {
    for (int Y = 0; Y < after.height(); ++Y)
        for (int X = 0; X < after.width(); ++X) {
            const long long sx = static_cast<long long>(X) - x + rect.left;
            const long long sy = static_cast<long long>(Y) - y + rect.top;
            const bool inside = sx >= rect.left && sx < rect.right && sy >= rect.top &&
                                sy < rect.bottom && sx >= 0 && sx < source.width() && sy >= 0 &&
                                sy < source.height();
            const std::uint8_t* want = inside ? source.scanLine(static_cast<int>(sy)) + sx * 3
                                              : before.scanLine(Y) + X * 3;
            const std::uint8_t* got = after.scanLine(Y) + X * 3;
            ASSERT_TRUE(got[0] == want[0] && got[1] == want[1] && got[2] == want[2])
                << "at " << X << "," << Y;
        }
}

TEST(DibImage, BlitFromClipsAtEveryEdge) {
    struct Case {
        IntRect rect;
        int x, y;
    };
    const Case cases[] = {
        {{0, 0, 4, 3}, 0, 0},     {{0, 0, 4, 3}, 3, 2},      {{0, 0, 4, 3}, -2, -1},
        {{0, 0, 4, 3}, 4, 3},     {{0, 0, 4, 3}, -4, 0},     {{1, 1, 3, 2}, 2, 3},
        {{-2, -1, 9, 9}, 0, 0},   {{-2, -1, 9, 9}, 1, 1},    {{2, 1, 9, 9}, -1, -1},
        {{3, 2, 1, 1}, 0, 0},     {{0, 0, 4, 3}, INT_MAX, 0}, {{0, 0, 4, 3}, INT_MIN, INT_MIN},
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, 0},         {{0, 0, 4, 3}, 1, -2},
    };
    CDibImage source;
    ASSERT_TRUE(source.create(4, 3, 24));
    Paint(source, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rect " << c.rect.left << "," << c.rect.top << ","
                                        << c.rect.right << "," << c.rect.bottom << " at " << c.x
                                        << "," << c.y);
        CDibImage before;
        ASSERT_TRUE(before.create(6, 5, 24));
        Paint(before, 100);
        CDibImage after;
        ASSERT_TRUE(after.copyFrom(before));
        EXPECT_EQ(after.blitFrom(source, c.rect, c.x, c.y), 1);
        ExpectBlit(before, source, c.rect, c.x, c.y, after);
    }
}

TEST(DibImage, BlitWithinOneImageHandlesOverlap) {
    struct Case {
        IntRect rect;
        int x, y;
    };
    const Case cases[] = {{{0, 0, 5, 4}, 0, 1}, {{0, 1, 5, 5}, 0, 0}, {{0, 0, 4, 5}, 1, 0},
                          {{1, 0, 5, 5}, 0, 0}, {{0, 0, 4, 4}, 1, 1}, {{1, 1, 5, 5}, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "to " << c.x << "," << c.y);
        CDibImage image;
        ASSERT_TRUE(image.create(5, 5, 24));
        Paint(image, 50);
        CDibImage before;
        ASSERT_TRUE(before.copyFrom(image));
        EXPECT_EQ(image.blitFrom(image, c.rect, c.x, c.y), 1);
        ExpectBlit(before, before, c.rect, c.x, c.y, image);
    }
}

TEST(DibImage, BlitNeedsTwoImagesOfOneBitCount) {
    CDibImage grey;
    CDibImage colour;
    ASSERT_TRUE(grey.create(3, 3, 8));
    ASSERT_TRUE(colour.create(3, 3, 24));
    EXPECT_EQ(colour.blitFrom(grey), 0);
    EXPECT_EQ(colour.blitFrom(CDibImage{}), 0);
    EXPECT_EQ(CDibImage{}.blitFrom(colour), 0);
}

TEST(DibImage, FillRectPaintsTopDownRectangleClipped) {
    CDibImage image;
    ASSERT_TRUE(image.create(5, 4, 24));
    EXPECT_EQ(image.fillRect({3, -2, 9, 1}, RGB(10, 20, 30)), 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const std::uint8_t* p = image.scanLine(y) + x * 3;
            const bool inside = x >= 3 && y < 1;
            EXPECT_EQ(p[0], inside ? 30 : 0) << x << "," << y;
            EXPECT_EQ(p[1], inside ? 20 : 0) << x << "," << y;
            EXPECT_EQ(p[2], inside ? 10 : 0) << x << "," << y;
        }
    // Picture row 0 is the last row in memory.
    EXPECT_EQ(image.memoryRow(3)[3 * 3], 30);
    // Nothing to fill is still success; a null image is not.
    EXPECT_EQ(image.fillRect({7, 0, 9, 4}, RGB(1, 1, 1)), 1);
    EXPECT_EQ(CDibImage{}.fillRect(RGB(1, 1, 1)), 0);
}

TEST(DibImage, FillRectOnOtherBitCounts) {
    CDibImage wide;
    ASSERT_TRUE(wide.create(2, 2, 32));
    wide.memoryRow(0)[3] = 77;
    ASSERT_TRUE(wide.fillRect(0xFFFFFF));
    EXPECT_EQ(wide.memoryRow(0)[0], 255);
    EXPECT_EQ(wide.memoryRow(0)[2], 255);
    EXPECT_EQ(wide.memoryRow(0)[3], 0);

    CDibImage grey;
    ASSERT_TRUE(grey.create(2, 2, 8));
    ASSERT_TRUE(grey.fillRect(0xFFFFFF));
    EXPECT_EQ(grey.memoryRow(1)[1], 255);
    // The nearest entry of the grey ramp to pure red is the grey of the channel mean.
    ASSERT_TRUE(grey.fillRect(RGB(255, 0, 0)));
    EXPECT_EQ(grey.memoryRow(0)[0], 85);
    // With a palette of its own, the nearest palette colour is painted.
    const RGBQUAD blue{250, 0, 0, 0};
    grey.setColourTable(&blue, 40, 1);
    ASSERT_TRUE(grey.fillRect(RGB(0, 0, 240)));
    EXPECT_EQ(grey.memoryRow(0)[0], 40);

    CDibImage ten;
    ASSERT_TRUE(ten.create(2, 1, 16));
    ASSERT_TRUE(ten.fillRect(0xFFFFFF));
    const int word = ten.memoryRow(0)[2] | (ten.memoryRow(0)[3] << 8);
    EXPECT_EQ(word, 255 << 2);
}

} // namespace
