#include "images/jpeg_codec.h"
#include "images/picture_file_writer.h"
#include "images/resample_nearest.h"
#include "images/thumbnail_source.h"

#include "thumbnail_test_support.h"

#include <gtest/gtest.h>

using namespace codec_test;

namespace {

TEST(ThumbnailSource, JpegIsDecodedAtTheSmallestScaleThatKeepsTwiceTheThumbnail) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    struct Case {
        int width, height;
        int expectWidth, expectHeight;
    } cases[] = {
        {1280, 1024, 320, 256}, // 1/4: 280 x 210 is the least
        {2592, 1944, 324, 243}, // 1/8
        {1120, 840, 280, 210},  // exactly twice the thumbnail at 2/8
        {300, 200, 300, 200},   // too small to reduce
        {600, 200, 600, 200},   // the height alone keeps the full size
    };
    for (const Case& c : cases) {
        const std::string path = dir.path("p.jpg");
        ASSERT_EQ(WritePictureFile(path, MakeTestPicture(c.width, c.height), 2), 1);
        CDibImage image;
        ASSERT_EQ(LoadThumbnailSource(path, image, 280, 210), 1) << c.width;
        EXPECT_EQ(image.width(), c.expectWidth) << c.width << "x" << c.height;
        EXPECT_EQ(image.height(), c.expectHeight) << c.width << "x" << c.height;
        EXPECT_EQ(image.bitCount(), 24);
    }
}

TEST(ThumbnailSource, ReducedDecodeGivesNearlyTheSameThumbnail) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const std::string path = dir.path("p.jpg");
    ASSERT_EQ(WritePictureFile(path, MakeTestPicture(1280, 1024), 2), 1);
    CDibImage full, reduced;
    ASSERT_EQ(DecodeJpeg(path, full), 1);
    ASSERT_EQ(LoadThumbnailSource(path, reduced, 280, 210), 1);
    CDibImage a, b;
    a.create(140, 105, 24);
    b.create(140, 105, 24);
    ResampleNearest(full, {0, 0, full.width(), full.height()}, a, {0, 0, 140, 105});
    ResampleNearest(reduced, {0, 0, reduced.width(), reduced.height()}, b, {0, 0, 140, 105});
    // Mean difference per channel: the reduced decode averages, the full one samples.
    long total = 0;
    for (int y = 0; y < 105; ++y)
        for (int x = 0; x < 140 * 3; ++x)
            total += std::abs(int(a.scanLine(y)[x]) - int(b.scanLine(y)[x]));
    EXPECT_LT(static_cast<double>(total) / (140 * 105 * 3), 12.0);
}

TEST(ThumbnailSource, FailuresLeaveThePictureAlone) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    WriteBytes(dir.path("bad.jpg"), {0xFF, 0xD8, 0xFF});
    CDibImage image = thumb_test::SolidPicture(3, 3, 1, 2, 3);
    EXPECT_EQ(LoadThumbnailSource(dir.path("bad.jpg"), image, 280, 210), 0);
    EXPECT_EQ(LoadThumbnailSource(dir.path("none.bmp"), image, 280, 210), 0);
    EXPECT_EQ(LoadThumbnailSource(dir.path("x.txt"), image, 280, 210), 0);
    EXPECT_EQ(image.width(), 3);
    EXPECT_TRUE(thumb_test::IsColour(image, 1, 1, 1, 2, 3));
}

} // namespace
