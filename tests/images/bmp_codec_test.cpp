#include "images/bmp_codec.h"

#include "codec_fixture_files.h"
#include "images/bmp_bytes.h"
#include "images/picture_file_writer.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace codec_test;

namespace {

void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v);
    put16(b, at + 2, v >> 16);
}
std::uint32_t get32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

CDibImage Read(const std::vector<std::uint8_t>& bytes) {
    CDibImage image;
    ReadBmp(bytes.data(), bytes.size(), image);
    return image;
}

TEST(BmpCodec, TwentyFourBitPictureRoundTripsWithPixelOffset54) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(641, 37, 24); // odd width: padded rows
    const std::string path = dir.path("p.bmp");
    ASSERT_EQ(WritePictureFile(path, picture, 1), 1);

    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 54u + 1924u * 37u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(get32(bytes, 2), bytes.size());
    EXPECT_EQ(get32(bytes, 10), 54u);
    EXPECT_EQ(get32(bytes, 14), 40u);
    EXPECT_EQ(get32(bytes, 18), 641u);
    EXPECT_EQ(get32(bytes, 22), 37u);
    // Rows as held: bottom-up, so the file starts with the last picture row.
    EXPECT_EQ(std::memcmp(bytes.data() + 54, picture.memoryRow(0), 1924), 0);

    CDibImage back;
    ASSERT_EQ(ReadBmp(path, back), 1);
    EXPECT_EQ(back.bitCount(), 24);
    EXPECT_TRUE(SamePixels(back, picture));
}

TEST(BmpCodec, EightBitFileKeepsItsPaletteWithPixelOffset1078) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    CDibImage picture = MakeTestPicture(30, 20, 8);
    std::array<RGBQUAD, 256> palette{};
    for (int i = 0; i < 256; ++i)
        palette[static_cast<std::size_t>(i)] =
            RGBQUAD{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                    static_cast<std::uint8_t>(i * 7), 0};
    picture.setColourTable(palette.data(), 0, 256);
    // The program writes 24-bit files only (saving converts first); 8-bit files come
    // from elsewhere.
    EXPECT_TRUE(Bmp24FileBytes(picture).empty());
    EXPECT_EQ(WritePictureFile(dir.path("refused.bmp"), picture, 1), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path("refused.bmp")));
    const std::string path = dir.path("p.bmp");
    ASSERT_TRUE(WriteBytes(path, BuildBmp(BmpRecipeOf(picture))));

    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 1078u + 32u * 20u);
    EXPECT_EQ(get32(bytes, 10), 1078u);
    EXPECT_EQ(bytes[54 + 4 * 9 + 2], 63); // red of entry 9

    CDibImage back;
    ASSERT_EQ(ReadBmp(path, back), 1);
    EXPECT_EQ(back.bitCount(), 8);
    EXPECT_TRUE(SamePixels(back, picture));
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(back.colourTable()[i].rgbBlue, palette[i].rgbBlue);
        EXPECT_EQ(back.colourTable()[i].rgbGreen, palette[i].rgbGreen);
        EXPECT_EQ(back.colourTable()[i].rgbRed, palette[i].rgbRed);
    }
}

TEST(BmpCodec, ThirtyTwoBitPictureRoundTripsAllFourBytes) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(13, 9, 32);
    EXPECT_TRUE(Bmp24FileBytes(picture).empty()); // a file the program never writes
    ASSERT_TRUE(WriteBytes(dir.path("p.bmp"), BuildBmp(BmpRecipeOf(picture))));
    CDibImage back;
    ASSERT_EQ(ReadBmp(dir.path("p.bmp"), back), 1);
    EXPECT_TRUE(SamePixels(back, picture));
}

TEST(BmpCodec, PixelOffsetOfTheFileHeaderIsHonoured) {
    BmpRecipe s;
    s.width = 2;
    s.height = 2;
    s.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
    s.gap = 100; // filled with 0xEE: reading from the wrong place shows
    const CDibImage image = Read(BuildBmp(s));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(PixelAt(image, 0, 1).b, 1);  // first file row = bottom picture row
    EXPECT_EQ(PixelAt(image, 1, 0).r, 12); // last file row = top picture row

    // Writers that leave the offset 0 put the pixels straight after the table.
    BmpRecipe legacy = s;
    legacy.gap = 0;
    legacy.zeroOffset = true;
    EXPECT_TRUE(SamePixels(Read(BuildBmp(legacy)), image));

    // An offset pointing into the header is refused.
    auto bad = BuildBmp(s);
    put32(bad, 10, 20);
    EXPECT_TRUE(Read(bad).isNull());
}

TEST(BmpCodec, LongerHeaderVersionsAreRead) {
    for (std::uint32_t headerSize : {52u, 56u, 108u, 124u}) {
        BmpRecipe s;
        s.headerSize = headerSize;
        s.width = 1;
        s.height = 1;
        s.rows = {{10, 20, 30}};
        const CDibImage image = Read(BuildBmp(s));
        ASSERT_FALSE(image.isNull()) << headerSize;
        EXPECT_EQ(PixelAt(image, 0, 0).g, 20) << headerSize;
    }
    // A V5 header with colour masks inside it: 32 bits stored as R, G, B, A bytes.
    BmpRecipe masked;
    masked.headerSize = 124;
    masked.width = 1;
    masked.height = 1;
    masked.bitCount = 32;
    masked.compression = 3;
    masked.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
    masked.rows = {{200, 100, 50, 7}};
    const CDibImage image = Read(BuildBmp(masked));
    ASSERT_EQ(image.bitCount(), 32);
    const auto px = PixelAt(image, 0, 0);
    EXPECT_EQ(px.r, 200);
    EXPECT_EQ(px.g, 100);
    EXPECT_EQ(px.b, 50);
    EXPECT_EQ(image.scanLine(0)[3], 7);
}

TEST(BmpCodec, SixteenBitFilesBecomeTwentyFourBit) {
    // Default 5-5-5 layout: white, pure red.
    BmpRecipe s;
    s.width = 2;
    s.height = 1;
    s.bitCount = 16;
    s.rows = {{0xFF, 0x7F, 0x00, 0x7C}};
    CDibImage image = Read(BuildBmp(s));
    ASSERT_EQ(image.bitCount(), 24);
    EXPECT_EQ(PixelAt(image, 0, 0).g, 255);
    EXPECT_EQ(PixelAt(image, 1, 0).r, 255);
    EXPECT_EQ(PixelAt(image, 1, 0).g, 0);

    // 5-6-5 masks after a 40-byte header: pure green.
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x001F};
    s.rows = {{0xE0, 0x07, 0x00, 0x00}};
    image = Read(BuildBmp(s));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(PixelAt(image, 0, 0).g, 255);
    EXPECT_EQ(PixelAt(image, 0, 0).r, 0);
}

TEST(BmpCodec, OneAndFourBitFilesAreExpandedToEightBitsWithTheirPalette) {
    BmpRecipe mono;
    mono.width = 10;
    mono.height = 1;
    mono.bitCount = 1;
    mono.colours = {0, 0, 0, 0, 0, 0, 255, 0}; // black, red
    mono.rows = {{0b10100000, 0b01000000}};
    CDibImage image = Read(BuildBmp(mono));
    ASSERT_EQ(image.bitCount(), 8);
    const std::uint8_t expected[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_TRUE(std::equal(expected, expected + 10, image.scanLine(0)));
    EXPECT_EQ(image.colourTable()[1].rgbRed, 255);

    BmpRecipe four;
    four.width = 3;
    four.height = 1;
    four.bitCount = 4;
    four.coloursUsed = 3;
    four.colours = {1, 1, 1, 0, 2, 2, 2, 0, 3, 3, 3, 0};
    four.rows = {{0x21, 0x00}};
    image = Read(BuildBmp(four));
    ASSERT_EQ(image.bitCount(), 8);
    EXPECT_EQ(image.scanLine(0)[0], 2);
    EXPECT_EQ(image.scanLine(0)[1], 1);
    EXPECT_EQ(image.colourTable()[2].rgbBlue, 3);
    EXPECT_EQ(image.colourTable()[3].rgbBlue, 3); // rest of the grey ramp kept
}

TEST(BmpCodec, TopDownFileFailsIntoANewPictureButDrawsUprightIntoAnExistingOne) {
    BmpRecipe s;
    s.width = 1;
    s.height = -2;
    s.rows = {{1, 1, 1}, {2, 2, 2}}; // top row first
    const auto bytes = BuildBmp(s);
    CDibImage fresh;
    EXPECT_EQ(ReadBmp(bytes.data(), bytes.size(), fresh), 0);
    EXPECT_TRUE(fresh.isNull());

    CDibImage existing;
    ASSERT_TRUE(existing.create(1, 2, 24));
    ASSERT_EQ(ReadBmp(bytes.data(), bytes.size(), existing), 1);
    EXPECT_EQ(PixelAt(existing, 0, 0).b, 1);
    EXPECT_EQ(PixelAt(existing, 0, 1).b, 2);
}

TEST(BmpCodec, ExistingPictureKeepsItsFormatAndSize) {
    BmpRecipe s;
    s.width = 3;
    s.height = 3;
    s.rows = {{0, 0, 0, 0, 0, 0, 0, 0, 0},
              {0, 0, 0, 0, 0, 0, 0, 0, 0},
              {255, 255, 255, 90, 90, 90, 0, 0, 200}}; // top: white, grey 90, red 200
    const auto bytes = BuildBmp(s);

    // Onto a larger 8-bit grey picture: the top-left 3 × 3 is converted, the rest kept.
    CDibImage grey;
    ASSERT_TRUE(grey.create(5, 4, 8));
    std::fill(grey.bits(), grey.bits() + grey.byteSize(), 33);
    ASSERT_EQ(ReadBmp(bytes.data(), bytes.size(), grey), 1);
    EXPECT_EQ(grey.width(), 5);
    EXPECT_EQ(grey.bitCount(), 8);
    EXPECT_EQ(grey.scanLine(0)[0], 255);
    EXPECT_EQ(grey.scanLine(0)[1], 90);
    EXPECT_EQ(grey.scanLine(1)[1], 0);
    EXPECT_EQ(grey.scanLine(0)[3], 33);
    EXPECT_EQ(grey.scanLine(3)[0], 33);

    // Onto a smaller 32-bit picture: clipped.
    CDibImage small;
    ASSERT_TRUE(small.create(2, 1, 32));
    ASSERT_EQ(ReadBmp(bytes.data(), bytes.size(), small), 1);
    EXPECT_EQ(small.height(), 1);
    EXPECT_EQ(PixelAt(small, 1, 0).g, 90);

    // Onto a 16-bit picture: 10-bit grey words.
    CDibImage words;
    ASSERT_TRUE(words.create(1, 1, 16));
    ASSERT_EQ(ReadBmp(bytes.data(), bytes.size(), words), 1);
    EXPECT_EQ(words.scanLine(0)[0] | (words.scanLine(0)[1] << 8), 255 << 2);
}

TEST(BmpCodec, RefusedFilesLeaveThePictureUntouched) {
    BmpRecipe good;
    good.width = 2;
    good.height = 2;
    good.rows = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
    const auto valid = BuildBmp(good);

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    auto with = [&](const char* what, auto change) {
        auto b = valid;
        change(b);
        cases.push_back({what, b});
    };
    with("no BM", [](auto& b) { b[0] = 'X'; });
    with("old 12-byte header", [](auto& b) { put32(b, 14, 12); });
    with("zero width", [](auto& b) { put32(b, 18, 0); });
    with("zero height", [](auto& b) { put32(b, 22, 0); });
    with("RLE8", [](auto& b) { put16(b, 28, 8), put32(b, 30, 1); });
    with("bit count 2", [](auto& b) { put16(b, 28, 2); });
    with("bitfields on 24 bits", [](auto& b) { put32(b, 30, 3); });
    with("pixels cut short", [](auto& b) { b.pop_back(); });
    with("100000 x 100000", [](auto& b) { put32(b, 18, 100000), put32(b, 22, 100000); });
    with("20000 x 10000 in 70 bytes", [](auto& b) { put32(b, 18, 20000), put32(b, 22, 10000); });
    with("colour table beyond the end",
         [](auto& b) { put16(b, 28, 8), put32(b, 46, 0x40000000), put32(b, 10, 0); });

    for (const Case& c : cases) {
        CDibImage image;
        ASSERT_TRUE(image.create(3, 3, 24));
        image.fillRect(0x123456);
        const CDibImage before = [&] {
            CDibImage copy;
            copy.copyFrom(image);
            return copy;
        }();
        EXPECT_EQ(ReadBmp(c.bytes.data(), c.bytes.size(), image), 0) << c.what;
        EXPECT_TRUE(SamePixels(image, before)) << c.what;
        CDibImage fresh;
        EXPECT_EQ(ReadBmp(c.bytes.data(), c.bytes.size(), fresh), 0) << c.what;
        EXPECT_TRUE(fresh.isNull()) << c.what;
    }
}

TEST(BmpCodec, WriterReportsEveryFailure) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(64, 64, 24);
    // A device is never replaced by a picture file.
    EXPECT_EQ(WritePictureFile("/dev/full", picture, 1), 0);
    EXPECT_EQ(WritePictureFile(dir.path("missing/folder/p.bmp"), picture, 1), 0);
    {
        // A plain file that can take only part of the picture.
        FileSizeLimit limit(5000);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(WritePictureFile(dir.path("short.bmp"), picture, 1), 0);
    }
    // Not even a part of it is left, nor the temporary file it was written to.
    EXPECT_FALSE(std::filesystem::exists(dir.path("short.bmp")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path("")));
    CDibImage empty;
    EXPECT_EQ(WritePictureFile(dir.path("empty.bmp"), empty, 1), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path("empty.bmp")));
}

} // namespace
