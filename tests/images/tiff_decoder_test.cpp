#include "images/tiff_decoder.h"

#include "codec_fixture_files.h"

#include <gtest/gtest.h>

#include <tiffio.h>

using namespace codec_test;

namespace {

struct TiffRecipe {
    std::uint32_t width = 0, height = 0;
    std::uint16_t bitsPerSample = 8, samplesPerPixel = 1;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t compression = COMPRESSION_NONE;
    bool bigEndian = false;
    bool tiled = false;
    std::uint32_t rowsPerStrip = 3;
    std::vector<std::vector<std::uint8_t>> rows; // scanlines as libtiff takes them
};

// Written with libtiff itself, so every layout is at hand without stored files.
bool WriteTiff(const std::string& path, const TiffRecipe& s) {
    TIFF* tif = TIFFOpen(path.c_str(), s.bigEndian ? "wb" : "wl");
    if (!tif)
        return false;
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, s.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, s.height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, s.bitsPerSample);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, s.samplesPerPixel);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, s.photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, s.planar);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, s.compression);
    if (s.samplesPerPixel == 4) {
        const std::uint16_t extra[1] = {EXTRASAMPLE_UNASSALPHA};
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
    }
    if (s.photometric == PHOTOMETRIC_PALETTE) {
        std::vector<std::uint16_t> map(std::size_t{1} << s.bitsPerSample, 0x8000);
        TIFFSetField(tif, TIFFTAG_COLORMAP, map.data(), map.data(), map.data());
    }
    bool ok = true;
    if (s.tiled) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16u);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, 16u);
        std::vector<std::uint8_t> tile(static_cast<std::size_t>(TIFFTileSize(tif)), 0x5A);
        for (std::uint32_t y = 0; y < s.height; y += 16)
            for (std::uint32_t x = 0; x < s.width; x += 16)
                ok = ok && TIFFWriteTile(tif, tile.data(), x, y, 0, 0) >= 0;
    } else {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, s.rowsPerStrip);
        const std::uint16_t planes = s.planar == PLANARCONFIG_SEPARATE ? s.samplesPerPixel : 1;
        for (std::uint16_t plane = 0; plane < planes; ++plane)
            for (std::uint32_t y = 0; y < s.height; ++y) {
                auto row = s.rows[y];
                ok = ok && TIFFWriteScanline(tif, row.data(), y, plane) >= 0;
            }
    }
    TIFFClose(tif);
    return ok;
}

// Decodes through both entry points; they must agree.
CDibImage DecodeBoth(const std::string& path) {
    const auto bytes = ReadBytes(path);
    CDibImage fromFile, fromMemory;
    EXPECT_EQ(DecodeTiff(path, fromFile), 1);
    EXPECT_EQ(DecodeTiff(bytes.data(), bytes.size(), fromMemory), 1);
    EXPECT_TRUE(SamePixels(fromFile, fromMemory));
    return fromFile;
}

std::vector<std::vector<std::uint8_t>> Rows(std::uint32_t w, std::uint32_t h, int bytesPerPixel) {
    std::vector<std::vector<std::uint8_t>> rows;
    for (std::uint32_t y = 0; y < h; ++y) {
        std::vector<std::uint8_t> row;
        for (std::uint32_t i = 0; i < w * static_cast<unsigned>(bytesPerPixel); ++i)
            row.push_back(static_cast<std::uint8_t>(i * 13 + y * 29));
        rows.push_back(row);
    }
    return rows;
}

class TiffDecoder : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.ok()); }
    TempDir dir;
};

TEST_F(TiffDecoder, EightBitGreyWithTheGreyTable) {
    TiffRecipe s;
    s.width = 7;
    s.height = 5;
    s.rows = Rows(7, 5, 1);
    ASSERT_TRUE(WriteTiff(dir.path("g.tif"), s));
    const CDibImage image = DecodeBoth(dir.path("g.tif"));
    ASSERT_EQ(image.bitCount(), 8);
    for (std::uint32_t y = 0; y < 5; ++y)
        EXPECT_TRUE(
            std::equal(s.rows[y].begin(), s.rows[y].end(), image.scanLine(static_cast<int>(y))));
    EXPECT_EQ(image.colourTable()[200].rgbRed, 200);

    // White-is-zero files are turned the right way round.
    s.photometric = PHOTOMETRIC_MINISWHITE;
    ASSERT_TRUE(WriteTiff(dir.path("w.tif"), s));
    const CDibImage inverted = DecodeBoth(dir.path("w.tif"));
    EXPECT_EQ(inverted.scanLine(2)[3], 255 - s.rows[2][3]);
}

TEST_F(TiffDecoder, SixteenBitGreyUndoesTheSampleOrderInEitherByteOrder) {
    // Words 0 … 1023 stored as [word & 3, word >> 2].
    TiffRecipe s;
    s.width = 32;
    s.height = 32;
    s.bitsPerSample = 16;
    for (unsigned y = 0; y < 32; ++y) {
        std::vector<std::uint8_t> row;
        for (unsigned x = 0; x < 32; ++x) {
            const unsigned word = y * 32 + x;
            const std::uint16_t sample =
                static_cast<std::uint16_t>((word & 3) | ((word >> 2) << 8));
            row.push_back(static_cast<std::uint8_t>(sample & 0xFF)); // native order
            row.push_back(static_cast<std::uint8_t>(sample >> 8));
        }
        s.rows.push_back(row);
    }
    for (bool bigEndian : {false, true}) {
        s.bigEndian = bigEndian;
        ASSERT_TRUE(WriteTiff(dir.path("w.tif"), s));
        const CDibImage image = DecodeBoth(dir.path("w.tif"));
        ASSERT_EQ(image.bitCount(), 16);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const std::uint8_t* p = image.scanLine(y) + 2 * x;
                ASSERT_EQ(p[0] | (p[1] << 8), y * 32 + x) << bigEndian;
            }
    }
}

TEST_F(TiffDecoder, RgbAndRgbaBecomeBgrAndBgra) {
    TiffRecipe s;
    s.width = 3;
    s.height = 2;
    s.photometric = PHOTOMETRIC_RGB;
    s.samplesPerPixel = 3;
    s.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}};
    ASSERT_TRUE(WriteTiff(dir.path("rgb.tif"), s));
    CDibImage image = DecodeBoth(dir.path("rgb.tif"));
    ASSERT_EQ(image.bitCount(), 24);
    const std::uint8_t top[9] = {3, 2, 1, 6, 5, 4, 9, 8, 7};
    EXPECT_TRUE(std::equal(top, top + 9, image.scanLine(0)));
    EXPECT_EQ(image.memoryRow(0)[0], 12); // bottom row first in memory

    s.samplesPerPixel = 4;
    s.rows = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
              {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}};
    ASSERT_TRUE(WriteTiff(dir.path("rgba.tif"), s));
    image = DecodeBoth(dir.path("rgba.tif"));
    ASSERT_EQ(image.bitCount(), 32);
    const std::uint8_t bottom[4] = {15, 14, 13, 16};
    EXPECT_TRUE(std::equal(bottom, bottom + 4, image.scanLine(1)));
}

TEST_F(TiffDecoder, CompressedStripsGiveTheSamePixels) {
    TiffRecipe s;
    s.width = 50;
    s.height = 20;
    s.photometric = PHOTOMETRIC_RGB;
    s.samplesPerPixel = 3;
    s.rows = Rows(50, 20, 3);
    ASSERT_TRUE(WriteTiff(dir.path("plain.tif"), s));
    const CDibImage plain = DecodeBoth(dir.path("plain.tif"));
    for (std::uint16_t compression :
         {COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE, COMPRESSION_PACKBITS}) {
        s.compression = compression;
        ASSERT_TRUE(WriteTiff(dir.path("c.tif"), s));
        EXPECT_TRUE(SamePixels(DecodeBoth(dir.path("c.tif")), plain)) << compression;
    }
}

TEST_F(TiffDecoder, UnsupportedLayoutsAndImpossibleSizesFail) {
    TiffRecipe grey;
    grey.width = 20;
    grey.height = 20;
    grey.rows = Rows(20, 20, 1);

    struct Case {
        const char* what;
        TiffRecipe recipe;
        bool pictureKept;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, auto change, bool kept = true) {
        TiffRecipe s = grey;
        change(s);
        cases.push_back({what, s, kept});
    };
    add("tiled", [](TiffRecipe& s) { s.tiled = true; });
    add("planar separate", [](TiffRecipe& s) {
        s.samplesPerPixel = 3, s.photometric = PHOTOMETRIC_RGB, s.planar = PLANARCONFIG_SEPARATE;
    });
    add("1-bit", [](TiffRecipe& s) { s.bitsPerSample = 1, s.rows = Rows(3, 20, 1); });
    add("4-bit", [](TiffRecipe& s) { s.bitsPerSample = 4, s.rows = Rows(10, 20, 1); });
    add("palette", [](TiffRecipe& s) { s.photometric = PHOTOMETRIC_PALETTE; });
    add("grey with alpha", [](TiffRecipe& s) { s.samplesPerPixel = 2, s.rows = Rows(20, 20, 2); });
    add("16-bit RGB", [](TiffRecipe& s) {
        s.samplesPerPixel = 3, s.bitsPerSample = 16, s.photometric = PHOTOMETRIC_RGB,
        s.rows = Rows(20, 20, 6);
    });

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.path("bad.tif");
        ASSERT_TRUE(WriteTiff(path, c.recipe));
        const auto bytes = ReadBytes(path);
        CDibImage fromFile, fromMemory;
        fromFile.create(2, 2, 24);
        fromMemory.create(2, 2, 24);
        EXPECT_EQ(DecodeTiff(path, fromFile), 0);
        EXPECT_EQ(DecodeTiff(bytes.data(), bytes.size(), fromMemory), 0);
        EXPECT_EQ(fromFile.width(), 2);
        EXPECT_EQ(fromMemory.width(), 2);
    }

    // Sizes that the data cannot hold: refused before the picture is made.
    ASSERT_TRUE(WriteTiff(dir.path("g.tif"), grey));
    const auto valid = ReadBytes(dir.path("g.tif"));
    for (const auto& [w, h] : {std::pair{16000u, 16000u}, {100000u, 100000u}, {400000u, 1u}}) {
        auto bytes = valid;
        ASSERT_TRUE(PatchTiffTag(bytes, TIFFTAG_IMAGEWIDTH, w));
        ASSERT_TRUE(PatchTiffTag(bytes, TIFFTAG_IMAGELENGTH, h));
        CDibImage image;
        image.create(2, 2, 24);
        EXPECT_EQ(DecodeTiff(bytes.data(), bytes.size(), image), 0) << w << "x" << h;
        EXPECT_EQ(image.width(), 2) << w << "x" << h;
    }
    // Rows missing at the end: created, then emptied.
    auto cut = valid;
    ASSERT_TRUE(PatchTiffTag(cut, TIFFTAG_IMAGELENGTH, 25));
    CDibImage image;
    image.create(2, 2, 24);
    EXPECT_EQ(DecodeTiff(cut.data(), cut.size(), image), 0);
    EXPECT_TRUE(image.isNull());

    EXPECT_EQ(DecodeTiff(dir.path("missing.tif"), image), 0);
    EXPECT_EQ(DecodeTiff(valid.data(), valid.size(), image, 399), 0);
}

} // namespace
