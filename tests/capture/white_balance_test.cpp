#include "capture/white_balance.h"

#include "images/dib_image.h"
#include "support/kernel_levels.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

CDibImage Filled(int w, int h, COLORREF c, int bits = 24) {
    CDibImage image;
    image.create(w, h, bits);
    image.fillRect(c);
    return image;
}

COLORREF At(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + x * image.bytesPerPixel();
    return RGB(p[2], p[1], p[0]);
}

TEST(WhiteBalance, OffsetsSaturateAndLeaveGreen) {
    CDibImage image = Filled(7, 3, RGB(100, 120, 140)); // odd width: rows carry padding
    ApplyWhiteBalanceOffsets(image, 300, -300);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(At(image, x, y), RGB(255, 120, 0));
    // The padding after each row is not pixels and stays as it was.
    EXPECT_EQ(image.memoryRow(0)[21], 0);

    image = Filled(4, 2, RGB(100, 120, 140));
    ApplyWhiteBalanceOffsets(image, -30, 20);
    EXPECT_EQ(At(image, 3, 1), RGB(70, 120, 160));
    ApplyWhiteBalanceOffsets(image, 0, 0);
    EXPECT_EQ(At(image, 3, 1), RGB(70, 120, 160));

    CDibImage grey = Filled(4, 2, RGB(50, 50, 50), 8);
    const std::uint8_t before = grey.memoryRow(0)[0];
    ApplyWhiteBalanceOffsets(grey, 300, 300);
    EXPECT_EQ(grey.memoryRow(0)[0], before);
}

TEST(WhiteBalance, RatiosOfTheChannelSums) {
    WhiteBalanceMeasure m;
    m.request = 1;
    EXPECT_TRUE(MeasureWhiteBalance(Filled(5, 5, RGB(90, 90, 90)), m));
    EXPECT_EQ(m.request, 0);
    EXPECT_DOUBLE_EQ(m.ratioGR, 1.0);
    EXPECT_DOUBLE_EQ(m.ratioGB, 1.0);

    EXPECT_TRUE(MeasureWhiteBalance(Filled(5, 5, RGB(50, 100, 200)), m));
    EXPECT_DOUBLE_EQ(m.ratioGR, 2.0);
    EXPECT_DOUBLE_EQ(m.ratioGB, 0.5);

    // No red at all: the red ratio stays as it was, the blue one is measured.
    m.request = 1;
    EXPECT_TRUE(MeasureWhiteBalance(Filled(5, 5, RGB(0, 100, 25)), m));
    EXPECT_DOUBLE_EQ(m.ratioGR, 2.0);
    EXPECT_DOUBLE_EQ(m.ratioGB, 4.0);
    EXPECT_EQ(m.request, 0);

    // 32-bit pixels are measured by their first three bytes.
    EXPECT_TRUE(MeasureWhiteBalance(Filled(3, 3, RGB(40, 80, 160), 32), m));
    EXPECT_DOUBLE_EQ(m.ratioGR, 2.0);
    EXPECT_DOUBLE_EQ(m.ratioGB, 0.5);

    m.request = 1;
    EXPECT_FALSE(MeasureWhiteBalance(Filled(3, 3, RGB(40, 80, 160), 8), m));
    EXPECT_EQ(m.request, 0);
    EXPECT_FALSE(MeasureWhiteBalance(CDibImage{}, m));
}

} // namespace

// Every build of the offset pass gives the clamped sum on every byte, on widths around
// its vector steps and for offsets up to and beyond the byte range.
TEST(WhiteBalance, OffsetsAreTheClampedSumOnEveryKernelLevel) {
    const std::int32_t offsets[][2] = {{12, -7}, {-1, 1},   {255, -255}, {300, -300},
                                       {0, 40},  {-40, 0},  {INT32_MIN, INT32_MAX}};
    const auto clamped = [](int v, std::int64_t offset) {
        const std::int64_t s = v + offset;
        return s < 0 ? 0 : s > 255 ? 255 : static_cast<int>(s);
    };
    ForEachKernelLevel([&](KernelLevel) {
        for (const auto& o : offsets)
            for (const int width : kKernelWidths) {
                SCOPED_TRACE(testing::Message() << "red " << o[0] << " blue " << o[1] << ", width "
                                                << width);
                CDibImage image, before;
                ASSERT_TRUE(image.create(width, 2, 24));
                FillWithEdgeValues(image, static_cast<unsigned>(width));
                before.copyFrom(image);
                ApplyWhiteBalanceOffsets(image, o[0], o[1]);
                for (int y = 0; y < 2; ++y) {
                    const std::uint8_t* p = image.scanLine(y);
                    const std::uint8_t* q = before.scanLine(y);
                    for (int x = 0; x < width; ++x) {
                        ASSERT_EQ(p[3 * x], clamped(q[3 * x], o[1])) << x;
                        ASSERT_EQ(p[3 * x + 1], q[3 * x + 1]) << x;
                        ASSERT_EQ(p[3 * x + 2], clamped(q[3 * x + 2], o[0])) << x;
                    }
                    for (int k = 3 * width; k < image.stride(); ++k)
                        ASSERT_EQ(p[k], q[k]) << "padding";
                }
            }
    });
}
