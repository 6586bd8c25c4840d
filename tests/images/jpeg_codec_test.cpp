#include "images/jpeg_codec.h"

#include "codec_fixture_files.h"
#include "images/picture_file_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

using namespace codec_test;

namespace {

struct JpegFacts {
    bool progressive = false;
    J_COLOR_SPACE colourSpace = JCS_UNKNOWN;
    int components = 0;
    std::array<unsigned, DCTSIZE2> luminance{};
};

JpegFacts ReadFacts(const std::vector<std::uint8_t>& bytes) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    JpegFacts facts;
    facts.progressive = cinfo.progressive_mode;
    facts.colourSpace = cinfo.jpeg_color_space;
    facts.components = cinfo.num_components;
    for (int i = 0; i < DCTSIZE2; ++i)
        facts.luminance[static_cast<std::size_t>(i)] = cinfo.quant_tbl_ptrs[0]->quantval[i];
    jpeg_destroy_decompress(&cinfo);
    return facts;
}

// The luminance table libjpeg computes for a quality with baseline-limited values.
std::array<unsigned, DCTSIZE2> LuminanceTableFor(int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    cinfo.in_color_space = JCS_RGB;
    cinfo.input_components = 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    std::array<unsigned, DCTSIZE2> table{};
    for (int i = 0; i < DCTSIZE2; ++i)
        table[static_cast<std::size_t>(i)] = cinfo.quant_tbl_ptrs[0]->quantval[i];
    jpeg_destroy_compress(&cinfo);
    return table;
}

TEST(JpegCodec, SaveTypesWriteProgressiveFilesAtTheirQuality) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(96, 64);
    for (const auto& [saveType, quality] : {std::pair{2, 100}, {3, 90}, {4, 75}}) {
        const std::string path = dir.path("q" + std::to_string(quality) + ".jpg");
        ASSERT_EQ(WritePictureFile(path, picture, saveType), 1) << saveType;
        const auto bytes = ReadBytes(path);
        const JpegFacts facts = ReadFacts(bytes);
        EXPECT_TRUE(facts.progressive) << saveType;
        EXPECT_EQ(facts.colourSpace, JCS_YCbCr);
        EXPECT_EQ(facts.luminance, LuminanceTableFor(quality)) << saveType;
        // The memory encoder produces the very same file.
        std::vector<std::uint8_t> inMemory;
        ASSERT_EQ(EncodeJpeg(picture, quality, inMemory), 1);
        EXPECT_EQ(inMemory, bytes);
    }
    EXPECT_NE(LuminanceTableFor(90), LuminanceTableFor(75));
}

TEST(JpegCodec, UnknownSaveTypesAndPictureKindsWriteNothing) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(16, 16);
    // Type 1 is the BMP type: it has no JPEG quality, and its file is no JPEG.
    for (int saveType : {0, 1, 5, -3})
        EXPECT_EQ(JpegQualityForSaveType(saveType), 0) << saveType;
    for (int saveType : {0, 5, -3}) {
        EXPECT_EQ(WritePictureFile(dir.path("t.jpg"), picture, saveType), 0) << saveType;
        EXPECT_FALSE(std::filesystem::exists(dir.path("t.jpg")));
    }
    ASSERT_EQ(WritePictureFile(dir.path("type1.jpg"), picture, 1), 1);
    EXPECT_EQ(ReadBytes(dir.path("type1.jpg"))[0], 'B');
    CDibImage notJpeg;
    EXPECT_EQ(DecodeJpeg(dir.path("type1.jpg"), notJpeg), 0);
    const CDibImage withAlpha = MakeTestPicture(16, 16, 32);
    EXPECT_EQ(WritePictureFile(dir.path("t.jpg"), withAlpha, 3), 0);
    CDibImage empty;
    EXPECT_EQ(WritePictureFile(dir.path("t.jpg"), empty, 3), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path("t.jpg")));
    std::vector<std::uint8_t> out;
    EXPECT_EQ(EncodeJpeg(picture, 0, out), 0);
    EXPECT_EQ(EncodeJpeg(picture, 101, out), 0);
}

TEST(JpegCodec, FailedWriteLeavesNoPartialFile) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(400, 300);
    const std::string path = dir.path("cut.jpg");
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(WritePictureFile(path, picture, 2), 0);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path(""))); // no temporary file either
    EXPECT_EQ(WritePictureFile(dir.path("missing/x.jpg"), picture, 2), 0);
}

struct ErrorStats {
    double mean = 0;
    int max = 0;
};

ErrorStats Compare(const CDibImage& a, const CDibImage& b) {
    ErrorStats s;
    std::uint64_t sum = 0, n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Bgr p = PixelAt(a, x, y), q = PixelAt(b, x, y);
            for (int d : {p.b - q.b, p.g - q.g, p.r - q.r}) {
                sum += static_cast<std::uint64_t>(std::abs(d));
                s.max = std::max(s.max, std::abs(d));
                ++n;
            }
        }
    s.mean = static_cast<double>(sum) / static_cast<double>(n);
    return s;
}

TEST(JpegCodec, ColourRoundTripStaysCloseAndUpright) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage picture = MakeTestPicture(321, 243); // padded rows, partial blocks
    // Mean errors measured: about 1.0, 3.1 and 4.0; the largest ones (about 100) sit on
    // the hard red edges, where the colour is sampled at half resolution.
    double previousMean = 0;
    for (const auto& [saveType, meanBound] : {std::pair{2, 1.5}, {3, 4.0}, {4, 5.5}}) {
        const std::string path = dir.path("r.jpg");
        ASSERT_EQ(WritePictureFile(path, picture, saveType), 1);
        CDibImage back;
        ASSERT_EQ(DecodeJpeg(path, back), 1);
        ASSERT_EQ(back.width(), 321);
        ASSERT_EQ(back.height(), 243);
        ASSERT_EQ(back.bitCount(), 24);
        const ErrorStats e = Compare(back, picture);
        EXPECT_LT(e.mean, meanBound) << saveType;
        EXPECT_LT(e.max, 128) << saveType;
        EXPECT_GT(e.mean, previousMean) << "lower quality, larger error";
        previousMean = e.mean;
        // Inside the red disc (left third, middle height): red stays red, blue stays low.
        const Bgr disc = PixelAt(back, 107, 121);
        EXPECT_GT(disc.r, 200);
        EXPECT_LT(disc.b, 70);
        // Padding bytes of every row are zero.
        for (int r = 0; r < back.height(); ++r)
            for (int i = 321 * 3; i < back.stride(); ++i)
                ASSERT_EQ(back.memoryRow(r)[i], 0);
    }
}

TEST(JpegCodec, EightAndSixteenBitPicturesBecomeGreyscaleFiles) {
    TempDir dir;
    ASSERT_TRUE(dir.ok());
    const CDibImage grey = MakeTestPicture(64, 48, 8);
    const CDibImage words = MakeTestPicture(64, 48, 16); // word = grey << 2 | noise
    ASSERT_EQ(WritePictureFile(dir.path("g8.jpg"), grey, 2), 1);
    ASSERT_EQ(WritePictureFile(dir.path("g16.jpg"), words, 2), 1);
    const auto bytes8 = ReadBytes(dir.path("g8.jpg"));
    EXPECT_EQ(ReadFacts(bytes8).colourSpace, JCS_GRAYSCALE);
    EXPECT_EQ(ReadFacts(bytes8).components, 1);
    // word >> 2 gives back the 8-bit grey, so both files are the same.
    EXPECT_EQ(ReadBytes(dir.path("g16.jpg")), bytes8);

    CDibImage back;
    ASSERT_EQ(DecodeJpeg(bytes8.data(), bytes8.size(), back), 1);
    ASSERT_EQ(back.bitCount(), 24);
    int worst = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const Bgr p = PixelAt(back, x, y);
            ASSERT_EQ(p.b, p.g);
            ASSERT_EQ(p.g, p.r);
            worst = std::max(worst, std::abs(p.g - grey.scanLine(y)[x]));
        }
    EXPECT_LE(worst, 3);
}

TEST(JpegCodec, CmykAndYcckFilesDecodeToTheirColours) {
    // Orange with 20 % black: C 0, M 127, Y 255, K 51 → R 204, G 102, B 0.
    const int ink[4] = {0, 127, 255, 51};
    struct Case {
        const char* what;
        J_COLOR_SPACE file;
        bool adobe; // Adobe files store the inks inverted
    };
    for (const Case& c : {Case{"plain CMYK", JCS_CMYK, false}, Case{"Adobe CMYK", JCS_CMYK, true},
                          Case{"YCCK", JCS_YCCK, true}}) {
        const auto bytes =
            WriteJpeg(16, 16, 4, JCS_CMYK, c.file, c.adobe, false, [&](int, int, int k) {
                return static_cast<std::uint8_t>(c.adobe ? 255 - ink[k] : ink[k]);
            });
        CDibImage image;
        ASSERT_EQ(DecodeJpeg(bytes.data(), bytes.size(), image), 1) << c.what;
        ASSERT_EQ(image.bitCount(), 24);
        const Bgr p = PixelAt(image, 8, 8);
        EXPECT_NEAR(p.r, 204, 3) << c.what;
        EXPECT_NEAR(p.g, 102, 3) << c.what;
        EXPECT_NEAR(p.b, 0, 3) << c.what;
    }
}

TEST(JpegCodec, GreyFileFromElsewhereIsReplicatedIntoAllThreeChannels) {
    const auto bytes = WriteJpeg(24, 16, 1, JCS_GRAYSCALE, JCS_GRAYSCALE, false, true,
                                 [](int x, int, int) { return static_cast<std::uint8_t>(x * 10); });
    CDibImage image;
    ASSERT_EQ(DecodeJpeg(bytes.data(), bytes.size(), image), 1);
    const Bgr p = PixelAt(image, 20, 3);
    EXPECT_EQ(p.b, p.r);
    EXPECT_EQ(p.g, p.r);
    EXPECT_NEAR(p.r, 200, 3);
}

TEST(JpegCodec, FailureBeforeThePictureLeavesItAloneAndAfterwardsEmptiesIt) {
    const auto baseline =
        WriteJpeg(64, 256, 3, JCS_RGB, JCS_YCbCr, false, false, [](int x, int y, int c) {
            return static_cast<std::uint8_t>((x * 3 + y * 5 + c * 70) & 0xFF);
        });
    auto prepared = [] {
        CDibImage image;
        image.create(2, 2, 8);
        return image;
    };

    // Not a JPEG: refused before anything is created.
    std::vector<std::uint8_t> notJpeg(baseline.begin(), baseline.end());
    notJpeg[1] = 0x00;
    CDibImage image = prepared();
    EXPECT_EQ(DecodeJpeg(notJpeg.data(), notJpeg.size(), image), 0);
    EXPECT_EQ(image.width(), 2);

    // Data ends in the middle of the rows: the picture was created, then destroyed.
    const std::vector<std::uint8_t> cut(baseline.begin(),
                                        baseline.begin() + static_cast<long>(baseline.size() / 2));
    image = prepared();
    EXPECT_EQ(DecodeJpeg(cut.data(), cut.size(), image), 0);
    EXPECT_TRUE(image.isNull());

    // Only the end marker missing: every row is there, the picture is kept.
    const std::vector<std::uint8_t> noEnd(baseline.begin(), baseline.end() - 2);
    image = prepared();
    EXPECT_EQ(DecodeJpeg(noEnd.data(), noEnd.size(), image), 1);
    EXPECT_EQ(image.height(), 256);

    // Too big for the caller's limit: refused before anything is created.
    image = prepared();
    EXPECT_EQ(DecodeJpeg(baseline.data(), baseline.size(), image, 64 * 255), 0);
    EXPECT_EQ(image.width(), 2);
    EXPECT_EQ(DecodeJpeg("/nonexistent/x.jpg", image), 0);
    EXPECT_EQ(image.width(), 2);
}

} // namespace
