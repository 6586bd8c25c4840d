#include "images/load_image_file.h"

#include "codec_fixture_files.h"
#include "images/jpeg_codec.h"
#include "images/picture_file_writer.h"

#include <gtest/gtest.h>

using namespace codec_test;

namespace {

class LoadImageFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        picture = MakeTestPicture(24, 16);
    }
    void TearDown() override { SetPictureLoader(nullptr); }

    // A picture the caller already holds, to see whether a failure disturbs it.
    static CDibImage Held() {
        CDibImage image;
        image.create(5, 5, 8);
        image.fillRect(RGB(9, 9, 9));
        return image;
    }
    static bool IsHeld(const CDibImage& image) {
        return image.width() == 5 && image.bitCount() == 8 && image.scanLine(4)[4] == 9;
    }

    TempDir dir;
    CDibImage picture;
};

TEST_F(LoadImageFileTest, ExtensionsAreComparedWithoutCase) {
    std::vector<std::uint8_t> jpeg;
    ASSERT_EQ(EncodeJpeg(picture, 90, jpeg), 1);
    const auto png = PngBytes(picture);
    const auto tiff = TiffBytes(picture);
    ASSERT_EQ(WritePictureFile(dir.path("base.bmp"), picture, 1), 1);
    const auto bmp = ReadBytes(dir.path("base.bmp"));

    const std::pair<const char*, const std::vector<std::uint8_t>*> files[] = {
        {"a.bmp", &bmp},   {"b.BMP", &bmp},   {"c.jpg", &jpeg},  {"d.JPG", &jpeg},
        {"e.Jpeg", &jpeg}, {"f.png", &png},   {"g.PnG", &png},   {"h.tif", &tiff},
        {"i.Tiff", &tiff}, {"j.TIFF", &tiff}, {"k.d.png", &png},
    };
    for (const auto& [name, bytes] : files) {
        ASSERT_TRUE(WriteBytes(dir.path(name), *bytes));
        CDibImage image = Held();
        EXPECT_EQ(LoadImageFile(dir.path(name), image), 1) << name;
        EXPECT_EQ(image.width(), 24) << name;
        EXPECT_EQ(image.height(), 16) << name;
        EXPECT_EQ(image.bitCount(), 24) << name;
    }
}

TEST_F(LoadImageFileTest, OtherExtensionsFailAndLeaveThePicture) {
    ASSERT_EQ(WritePictureFile(dir.path("base.bmp"), picture, 1), 1);
    const auto bmp = ReadBytes(dir.path("base.bmp"));
    std::filesystem::create_directory(dir.path("folder.bmp"));
    for (const char* name : {"x.jpe", "x.bmp2", "x.jfif", "x", "x.", "bmp", "folder.bmp/x"}) {
        ASSERT_TRUE(WriteBytes(dir.path(name), bmp));
        CDibImage image = Held();
        EXPECT_EQ(LoadImageFile(dir.path(name), image), 0) << name;
        EXPECT_TRUE(IsHeld(image)) << name;
    }
}

TEST_F(LoadImageFileTest, FailedDecodeNeverLeavesAHalfFilledPicture) {
    // The JPEG decoder alone would empty the picture when the rows run out ...
    const auto jpeg = BaselineJpegBytes(MakeTestPicture(64, 256));
    const std::vector<std::uint8_t> cut(jpeg.begin(),
                                        jpeg.begin() + static_cast<long>(jpeg.size() / 2));
    ASSERT_TRUE(WriteBytes(dir.path("cut.jpg"), cut));
    CDibImage direct = Held();
    EXPECT_EQ(DecodeJpeg(dir.path("cut.jpg"), direct), 0);
    EXPECT_TRUE(direct.isNull());
    // ... the dispatcher keeps what the caller had.
    CDibImage image = Held();
    EXPECT_EQ(LoadImageFile(dir.path("cut.jpg"), image), 0);
    EXPECT_TRUE(IsHeld(image));

    // A file of another format under a known extension is simply not read.
    ASSERT_TRUE(WriteBytes(dir.path("png.jpg"), PngBytes(picture)));
    EXPECT_EQ(LoadImageFile(dir.path("png.jpg"), image), 0);
    EXPECT_TRUE(IsHeld(image));
    EXPECT_EQ(LoadImageFile(dir.path("missing.png"), image), 0);
    EXPECT_TRUE(IsHeld(image));
}

std::string g_loaderPath;

int fakeLoader(const std::string& path, CDibImage& image) {
    g_loaderPath = path;
    return image.create(7, 3, 24);
}

// Gives up half-way, leaving its picture half made.
int brokenLoader(const std::string&, CDibImage& image) {
    image.create(2, 2, 24);
    return 0;
}

TEST_F(LoadImageFileTest, GifGoesToTheInstalledPictureLoader) {
    const std::string path = dir.path("anim.GIF");
    CDibImage image = Held();
    EXPECT_EQ(LoadImageFile(path, image), 0); // no loader installed
    EXPECT_TRUE(IsHeld(image));

    SetPictureLoader(fakeLoader);
    EXPECT_EQ(LoadImageFile(path, image), 1);
    EXPECT_EQ(g_loaderPath, path);
    EXPECT_EQ(image.width(), 7);

    SetPictureLoader(brokenLoader);
    image = Held();
    EXPECT_EQ(LoadImageFile(path, image), 0);
    EXPECT_TRUE(IsHeld(image));
}

} // namespace
