#include "images/dib_qimage.h"

#include <gtest/gtest.h>

TEST(DibQImage, CopiesUprightWithTheRightChannels) {
    CDibImage dib;
    ASSERT_TRUE(dib.create(3, 2, 24));
    dib.scanLine(0)[0] = 10;  // top-left blue
    dib.scanLine(0)[2] = 200; // top-left red
    dib.scanLine(1)[3] = 77;  // bottom row, second pixel, blue
    const QImage q = ToQImage(dib);
    ASSERT_EQ(q.size(), QSize(3, 2));
    EXPECT_EQ(q.pixel(0, 0), qRgb(200, 0, 10));
    EXPECT_EQ(q.pixel(1, 1), qRgb(0, 0, 77));

    CDibImage grey;
    ASSERT_TRUE(grey.create(2, 2, 8));
    grey.scanLine(1)[1] = 128;
    EXPECT_EQ(ToQImage(grey).pixel(1, 1), qRgb(128, 128, 128));

    CDibImage ten;
    ASSERT_TRUE(ten.create(1, 1, 16));
    ten.scanLine(0)[0] = 0xFF; // word 1023 -> 255
    ten.scanLine(0)[1] = 0x03;
    EXPECT_EQ(ToQImage(ten).pixel(0, 0), qRgb(255, 255, 255));

    EXPECT_TRUE(ToQImage(CDibImage{}).isNull());
}
