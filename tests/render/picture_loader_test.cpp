#include "images/picture_loader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A 3 x 2 GIF89a: global table red, green, blue, white; colour 3 transparent.
// Top row red, green, blue; bottom row white, white, red.
const std::vector<std::uint8_t> kTinyGif = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x03, 0x00, 0x02, 0x00, 0x81, 0x00, 0x00,
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF,
    0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x03, 0x00,
    0x2C, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x02, 0x00, 0x00,
    0x02, 0x04, 0x44, 0x34, 0x03, 0x05, 0x00, 0x3B};

class PictureLoader : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                (std::string("mirelta_picture_loader_") + info->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        // Something to see untouched after a failure.
        ASSERT_TRUE(m_image.create(2, 2, 8));
        m_image.fillRect(RGB(77, 77, 77));
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const auto path = m_dir / name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path.string();
    }
    void expectUntouched() {
        EXPECT_EQ(m_image.width(), 2);
        EXPECT_EQ(m_image.bitCount(), 8);
        EXPECT_EQ(m_image.memoryRow(0)[0], 77);
    }

    std::filesystem::path m_dir;
    CDibImage m_image;
};

std::vector<int> Bgr(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + x * 3;
    return {p[0], p[1], p[2]};
}

TEST_F(PictureLoader, ReadsAGifUprightIntoTwentyFourBits) {
    ASSERT_EQ(LoadPictureWithQt(write("tiny.gif", kTinyGif), m_image), 1);
    EXPECT_EQ(m_image.width(), 3);
    EXPECT_EQ(m_image.height(), 2);
    EXPECT_EQ(m_image.bitCount(), 24);
    EXPECT_TRUE(m_image.hasDc());
    EXPECT_EQ(Bgr(m_image, 0, 0), (std::vector<int>{0, 0, 255}));
    EXPECT_EQ(Bgr(m_image, 1, 0), (std::vector<int>{0, 255, 0}));
    EXPECT_EQ(Bgr(m_image, 2, 0), (std::vector<int>{255, 0, 0}));
    // Transparent pixels come out black.
    EXPECT_EQ(Bgr(m_image, 0, 1), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Bgr(m_image, 1, 1), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Bgr(m_image, 2, 1), (std::vector<int>{0, 0, 255}));
    // The top picture row is the last row in memory.
    EXPECT_EQ(m_image.memoryRow(1)[2], 255);
}

TEST_F(PictureLoader, ContentDecidesNotTheName) {
    EXPECT_EQ(LoadPictureWithQt(write("picture.dat", kTinyGif), m_image), 1);
    EXPECT_EQ(m_image.width(), 3);
}

TEST_F(PictureLoader, BadFilesLeaveTheImageAlone) {
    std::vector<std::uint8_t> truncated(kTinyGif.begin(), kTinyGif.begin() + 30);
    std::vector<std::uint8_t> garbage(400);
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<std::uint8_t>(i * 131 + 7);
    std::vector<std::uint8_t> badCodes = kTinyGif;
    badCodes[45] = 0xFF;
    badCodes[46] = 0xFF;
    for (const auto& [name, bytes] :
         {std::pair{"truncated.gif", truncated}, std::pair{"garbage.gif", garbage},
          std::pair{"empty.gif", std::vector<std::uint8_t>{}}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(LoadPictureWithQt(write(name, bytes), m_image), 0);
        expectUntouched();
    }
    // A broken data stream may still give a picture; it must not crash or half-fill.
    CDibImage other;
    const int loaded = LoadPictureWithQt(write("codes.gif", badCodes), other);
    if (loaded) {
        EXPECT_EQ(other.width(), 3);
    } else {
        EXPECT_TRUE(other.isNull());
    }
    EXPECT_EQ(LoadPictureWithQt((m_dir / "missing.gif").string(), m_image), 0);
    expectUntouched();
}

TEST_F(PictureLoader, RefusesPicturesLargerThanTheBufferAllows) {
    // Logical screen and image of 65535 x 65535: far above the pixel limit.
    std::vector<std::uint8_t> huge = kTinyGif;
    for (const int at : {6, 7, 8, 9, 38, 39, 40, 41})
        huge[static_cast<std::size_t>(at)] = 0xFF;
    EXPECT_EQ(LoadPictureWithQt(write("huge.gif", huge), m_image), 0);
    expectUntouched();
}

} // namespace
