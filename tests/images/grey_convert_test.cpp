#include "images/grey_convert.h"

#include "images/dib_image.h"
#include "support/kernel_levels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

// The source pixel of picture position (x, y), stored B, G, R.
struct Bgr {
    int b, g, r;
};
Bgr SourcePixel(int x, int y) { return {(x * 37 + y * 11) & 0xFF, (x * 5 + 200) & 0xFF, (y * 53 + x) & 0xFF}; }

void PaintSource(CDibImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            std::uint8_t* p = image.scanLine(y) + x * image.bytesPerPixel();
            const Bgr c = SourcePixel(x, y);
            p[0] = static_cast<std::uint8_t>(c.b);
            p[1] = static_cast<std::uint8_t>(c.g);
            p[2] = static_cast<std::uint8_t>(c.r);
            if (image.bitCount() == 32)
                p[3] = 0xA5;
        }
}

TEST(ToGrey8, WeightsRedElevenGreenThirtyBlueFiftyNine) {
    struct Case {
        int r, g, b, grey;
    };
    const Case cases[] = {{255, 255, 255, 255}, {0, 0, 0, 0},    {255, 0, 0, 28},
                          {0, 255, 0, 76},      {0, 0, 255, 150}, {1, 1, 1, 1},
                          {10, 0, 0, 1},        {9, 0, 0, 0},    {100, 50, 20, 37}};
    for (const Case& c : cases) {
        CDibImage source;
        CDibImage grey;
        ASSERT_TRUE(source.create(1, 1, 24));
        ASSERT_TRUE(grey.create(1, 1, 8));
        source.bits()[0] = static_cast<std::uint8_t>(c.b);
        source.bits()[1] = static_cast<std::uint8_t>(c.g);
        source.bits()[2] = static_cast<std::uint8_t>(c.r);
        EXPECT_EQ(ToGrey8(source, grey), 0);
        EXPECT_EQ(grey.bits()[0], c.grey) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(GreyLevel(c.r, c.g, c.b), c.grey);
    }
}

TEST(ToGrey8, EverySupportedPairOverWholeImages) {
    for (const int from : {24, 32})
        for (const int to : {8, 24, 32}) {
            SCOPED_TRACE(testing::Message() << from << " -> " << to);
            CDibImage source;
            CDibImage destination;
            ASSERT_TRUE(source.create(13, 7, from));
            ASSERT_TRUE(destination.create(13, 7, to));
            PaintSource(source);
            if (to == 32)
                for (int y = 0; y < 7; ++y)
                    destination.scanLine(y)[12 * 4 + 3] = 0x3C;
            EXPECT_EQ(ToGrey8(source, destination), 0);
            for (int y = 0; y < 7; ++y)
                for (int x = 0; x < 13; ++x) {
                    const Bgr c = SourcePixel(x, y);
                    const int want = (11 * c.r + 30 * c.g + 59 * c.b) / 100;
                    const std::uint8_t* p = destination.scanLine(y) + x * (to / 8);
                    ASSERT_EQ(p[0], want) << x << "," << y;
                    if (to >= 24) {
                        ASSERT_EQ(p[1], want);
                        ASSERT_EQ(p[2], want);
                    }
                }
            // The fourth byte of a 32-bit destination is not the filter's business.
            if (to == 32) {
                EXPECT_EQ(destination.scanLine(3)[12 * 4 + 3], 0x3C);
            }
            // The row padding of an 8-bit destination stays untouched.
            if (to == 8) {
                EXPECT_EQ(destination.scanLine(3)[13], 0);
            }
        }
}

TEST(ToGrey8, WorksOnTheCommonPartOfTwoRectanglesTopDown) {
    CDibImage source;
    CDibImage destination;
    ASSERT_TRUE(source.create(10, 8, 24));
    ASSERT_TRUE(destination.create(6, 6, 8));
    PaintSource(source);
    destination.fillRect(RGB(9, 9, 9));
    IMAGE_DESCRIPTOR s = DescribeImage(source);
    s.left = 2;
    s.top = 1;
    s.right = 10; // 8 columns
    s.bottom = 4; // 3 rows
    IMAGE_DESCRIPTOR d = DescribeImage(destination);
    d.left = 1;
    d.top = 2;
    d.right = 5; // 4 columns
    d.bottom = 6; // 4 rows
    ASSERT_EQ(ToGrey8(&s, &d), 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool written = x >= 1 && x < 5 && y >= 2 && y < 5;
            int want = 9;
            if (written) {
                const Bgr c = SourcePixel(x - 1 + 2, y - 2 + 1);
                want = GreyLevel(c.r, c.g, c.b);
            }
            EXPECT_EQ(destination.scanLine(y)[x], want) << x << "," << y;
        }
    // Picture row 2 is memory row 3 of the 6-row destination.
    const Bgr c = SourcePixel(2, 1);
    EXPECT_EQ(destination.memoryRow(3)[1], GreyLevel(c.r, c.g, c.b));
}

TEST(ToGrey8, RefusesOtherBitCountsAndBadRecords) {
    struct Case {
        int from, to;
    };
    const Case cases[] = {{8, 8}, {16, 8}, {8, 24}, {24, 16}, {32, 16}};
    for (const Case& c : cases) {
        CDibImage source;
        CDibImage destination;
        ASSERT_TRUE(source.create(4, 4, c.from));
        ASSERT_TRUE(destination.create(4, 4, c.to));
        source.fillRect(RGB(200, 100, 50));
        const CDibImage before = [&] {
            CDibImage b;
            b.copyFrom(destination);
            return b;
        }();
        EXPECT_EQ(ToGrey8(source, destination), 7) << c.from << " -> " << c.to;
        EXPECT_EQ(0, std::memcmp(before.bits(), destination.bits(), before.byteSize()));
    }
    CDibImage source;
    CDibImage destination;
    ASSERT_TRUE(source.create(4, 4, 24));
    ASSERT_TRUE(destination.create(4, 4, 8));
    EXPECT_EQ(ToGrey8(nullptr, nullptr), 1);
    const IMAGE_DESCRIPTOR s = DescribeImage(source);
    EXPECT_EQ(ToGrey8(&s, nullptr), 1);
    IMAGE_DESCRIPTOR d = DescribeImage(destination);
    d.bottom = 5;
    EXPECT_EQ(ToGrey8(&s, &d), 9);
    d = DescribeImage(destination);
    d.stride = 3;
    EXPECT_EQ(ToGrey8(&s, &d), 6);
    CDibImage empty;
    EXPECT_EQ(ToGrey8(source, empty), 4);
}

} // namespace

// Every build of the kernel (baseline, AVX2 where the processor has it) gives the
// formula's bytes on widths around the vector steps, edge values included.
TEST(ToGrey8, EveryKernelLevelGivesTheFormulaOnEveryWidth) {
    ForEachKernelLevel([](KernelLevel) {
        for (const int from : {24, 32})
            for (const int to : {8, 24, 32})
                for (const int width : kKernelWidths) {
                    SCOPED_TRACE(testing::Message() << from << " -> " << to << ", width " << width);
                    CDibImage source, destination;
                    ASSERT_TRUE(source.create(width, 3, from));
                    ASSERT_TRUE(destination.create(width, 3, to));
                    FillWithEdgeValues(source, static_cast<unsigned>(width + from));
                    FillWithEdgeValues(destination, 7);
                    CDibImage before;
                    before.copyFrom(destination);
                    ASSERT_EQ(ToGrey8(source, destination), 0);
                    for (int y = 0; y < 3; ++y) {
                        const std::uint8_t* s = source.scanLine(y);
                        const std::uint8_t* d = destination.scanLine(y);
                        const std::uint8_t* old = before.scanLine(y);
                        const int sb = from / 8, db = to / 8;
                        for (int x = 0; x < width; ++x) {
                            const int want = GreyLevel(s[x * sb + 2], s[x * sb + 1], s[x * sb]);
                            ASSERT_EQ(d[x * db], want) << x << "," << y;
                            if (db >= 3) {
                                ASSERT_EQ(d[x * db + 1], want);
                                ASSERT_EQ(d[x * db + 2], want);
                            }
                            if (db == 4) {
                                ASSERT_EQ(d[x * db + 3], old[x * db + 3]);
                            }
                        }
                        // Nothing written past the row's pixels.
                        for (int k = width * db; k < destination.stride(); ++k)
                            ASSERT_EQ(d[k], old[k]);
                    }
                }
    });
}
