#include "view/edge_preview.h"

#include "images/dib_image.h"
#include "settings/app_settings.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

MagnetSettings Magnet(int th, int vector) {
    MagnetSettings m;
    m.TH = th;
    m.Vector = vector;
    m.Show = 1;
    return m;
}

TEST(EdgePreviewTest, EdgeTypesThresholdTheEdgeImage) {
    CDibImage edge, display, preview;
    edge.createMemoryOnly(4, 1, 8);
    display.createMemoryOnly(4, 1, 24); // black: would give 0 everywhere
    preview.createMemoryOnly(4, 1, 8);
    const std::uint8_t values[4] = {0, 128, 129, 255};
    std::copy_n(values, 4, edge.scanLine(0));
    for (int vector : {0, 1, 2}) {
        ASSERT_EQ(MakeEdgePreview(Magnet(128, vector), edge, display, preview), 1);
        const std::uint8_t* p = preview.scanLine(0);
        EXPECT_EQ(p[0], 0);
        EXPECT_EQ(p[1], 0);
        EXPECT_EQ(p[2], 255);
        EXPECT_EQ(p[3], 255);
    }
    ASSERT_EQ(MakeEdgePreview(Magnet(-1, 0), edge, display, preview), 1);
    EXPECT_EQ(preview.scanLine(0)[0], 255);
    ASSERT_EQ(MakeEdgePreview(Magnet(255, 0), edge, display, preview), 1);
    EXPECT_EQ(preview.scanLine(0)[3], 0);
}

TEST(EdgePreviewTest, BinaryTypeComparesTheUndividedGreySum) {
    struct Case {
        std::uint8_t b, g, r;
        int th;
        std::uint8_t expected;
    } cases[] = {
        {100, 100, 100, 100, 0},   // 10000 is not above 10000
        {101, 100, 100, 100, 255}, // 10059: above, though its grey level is still 100
        {0, 0, 255, 28, 255},      // 11 x 255 = 2805 against 2800: above
        {0, 0, 255, 29, 0},        {255, 255, 255, 254, 255},      {255, 255, 255, 255, 0},
        {0, 0, 0, -1, 255},        {255, 255, 255, 2000000000, 0}, // a threshold from the file that
                                                                   // would overflow x 100
    };
    for (const Case& c : cases) {
        for (int bitCount : {24, 32}) {
            CDibImage edge, display, preview;
            edge.createMemoryOnly(1, 1, 8);
            display.createMemoryOnly(1, 1, bitCount);
            preview.createMemoryOnly(1, 1, 8);
            std::uint8_t* px = display.scanLine(0);
            px[0] = c.b;
            px[1] = c.g;
            px[2] = c.r;
            ASSERT_EQ(MakeEdgePreview(Magnet(c.th, 3), edge, display, preview), 1);
            EXPECT_EQ(preview.scanLine(0)[0], c.expected) << int(c.b) << " th " << c.th;
        }
    }
}

TEST(EdgePreviewTest, BinaryTypeOnAGreyPictureComparesItsValue) {
    CDibImage edge, display, preview;
    edge.createMemoryOnly(3, 1, 8);
    display.createMemoryOnly(3, 1, 8);
    preview.createMemoryOnly(3, 1, 8);
    const std::uint8_t values[3] = {127, 128, 129};
    std::copy_n(values, 3, display.scanLine(0));
    ASSERT_EQ(MakeEdgePreview(Magnet(128, 3), edge, display, preview), 1);
    EXPECT_EQ(preview.scanLine(0)[0], 0);
    EXPECT_EQ(preview.scanLine(0)[1], 0);
    EXPECT_EQ(preview.scanLine(0)[2], 255);
}

TEST(EdgePreviewTest, SizesThatDoNotFitChangeNothing) {
    CDibImage edge, display, preview, wrong;
    edge.createMemoryOnly(4, 4, 8);
    display.createMemoryOnly(5, 4, 24);
    preview.createMemoryOnly(4, 4, 8);
    wrong.createMemoryOnly(4, 4, 24);
    EXPECT_EQ(MakeEdgePreview(Magnet(128, 3), edge, display, preview), 0); // display differs
    EXPECT_EQ(MakeEdgePreview(Magnet(128, 0), edge, display, wrong), 0);
    EXPECT_EQ(MakeEdgePreview(Magnet(128, 0), CDibImage{}, display, preview), 0);
}

} // namespace
