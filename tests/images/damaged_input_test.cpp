// Every decoder against damaged files: cut short, bytes flipped, absurd sizes.
// A damaged file must fail (or, where the damage leaves a readable picture, give a
// whole one), never crash, never read outside its data, never allocate for sizes the
// data cannot hold. Run under the sanitizers, the byte sweeps check the reading code
// at every position of every format.
#include "codec_fixture_files.h"
#include "images/bmp_bytes.h"
#include "images/bmp_codec.h"
#include "images/codec_messages.h"
#include "images/jpeg_codec.h"
#include "images/png_decoder.h"
#include "images/tiff_decoder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

using namespace codec_test;

namespace {

using MemoryDecoder = int (*)(const std::uint8_t*, std::size_t, CDibImage&);

struct Format {
    std::string name;
    std::vector<std::uint8_t> bytes;
    MemoryDecoder decode;
    std::vector<std::size_t> vitalBytes; // flipping any of these must make the file fail
};

int readBmp(const std::uint8_t* d, std::size_t n, CDibImage& i) {
    return ReadBmp(d, n, i);
}
int decodeJpeg(const std::uint8_t* d, std::size_t n, CDibImage& i) {
    return DecodeJpeg(d, n, i);
}
int decodePng(const std::uint8_t* d, std::size_t n, CDibImage& i) {
    return DecodePng(d, n, i);
}
int decodeTiff(const std::uint8_t* d, std::size_t n, CDibImage& i) {
    return DecodeTiff(d, n, i);
}

// 24-bit files as the program writes them; 8-bit ones as other programs do.
std::vector<std::uint8_t> BmpBytes(const CDibImage& picture) {
    if (picture.bitCount() != 24)
        return BuildBmp(BmpRecipeOf(picture));
    const std::string bytes = Bmp24FileBytes(picture);
    return {bytes.begin(), bytes.end()};
}

const std::vector<Format>& Formats() {
    static const std::vector<Format> formats = [] {
        const CDibImage picture = MakeTestPicture(24, 16);
        std::vector<std::uint8_t> progressive;
        EncodeJpeg(picture, 90, progressive);
        return std::vector<Format>{
            {"BMP 24-bit", BmpBytes(picture), readBmp, {0, 1, 14, 28, 29}},
            {"BMP 8-bit", BmpBytes(MakeTestPicture(24, 16, 8)), readBmp, {0, 1, 14, 28}},
            {"JPEG progressive", progressive, decodeJpeg, {0, 1}},
            {"JPEG baseline", BaselineJpegBytes(picture), decodeJpeg, {0, 1}},
            {"PNG", PngBytes(picture), decodePng, {0, 1, 2, 3, 4, 5, 6, 7, 12, 13, 16, 19}},
            {"TIFF", TiffBytes(picture), decodeTiff, {0, 1, 2}},
            {"TIFF LZW", TiffBytes(picture, COMPRESSION_LZW), decodeTiff, {0, 1, 2}},
        };
    }();
    return formats;
}

// A decode's outcome must be one of the two allowed: success with a whole picture, or
// failure with the fresh picture still empty.
void ExpectWholeOrNothing(const Format& f, const std::vector<std::uint8_t>& bytes,
                          const std::string& what) {
    CDibImage image;
    const int ok = f.decode(bytes.data(), bytes.size(), image);
    if (ok) {
        ASSERT_FALSE(image.isNull()) << f.name << " " << what;
        ASSERT_GT(image.width(), 0);
        ASSERT_EQ(image.byteSize(), static_cast<std::size_t>(image.stride()) *
                                        static_cast<std::size_t>(image.height()));
    } else {
        ASSERT_TRUE(image.isNull()) << f.name << " " << what;
    }
}

// Thousands of damaged files: the libraries' reasons for refusing them are not shown.
class DamagedInput : public ::testing::Test {
  protected:
    void SetUp() override { SetCodecMessagesEnabled(false); }
    void TearDown() override { SetCodecMessagesEnabled(true); }
};

TEST_F(DamagedInput, ValidFixturesDecode) {
    for (const Format& f : Formats()) {
        CDibImage image;
        ASSERT_FALSE(f.bytes.empty()) << f.name;
        EXPECT_EQ(f.decode(f.bytes.data(), f.bytes.size(), image), 1) << f.name;
        EXPECT_EQ(image.width(), 24) << f.name;
    }
}

TEST_F(DamagedInput, FilesCutShortFail) {
    for (const Format& f : Formats()) {
        const std::size_t n = f.bytes.size();
        for (std::size_t length :
             {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{8},
              std::size_t{13}, std::size_t{30}, n / 4, n / 2, n * 3 / 4, n - 20}) {
            CDibImage image;
            EXPECT_EQ(f.decode(f.bytes.data(), length, image), 0) << f.name << " cut to " << length;
            EXPECT_TRUE(image.isNull()) << f.name << " cut to " << length;
        }
    }
}

TEST_F(DamagedInput, VitalBytesFlippedFail) {
    for (const Format& f : Formats()) {
        for (std::size_t at : f.vitalBytes) {
            auto bytes = f.bytes;
            bytes[at] ^= 0x80;
            CDibImage image;
            EXPECT_EQ(f.decode(bytes.data(), bytes.size(), image), 0) << f.name << " byte " << at;
            EXPECT_TRUE(image.isNull());
        }
    }
}

TEST_F(DamagedInput, EveryByteFlippedGivesAWholePictureOrNone) {
    for (const Format& f : Formats()) {
        for (std::size_t at = 0; at < f.bytes.size(); ++at) {
            for (std::uint8_t mask : {std::uint8_t{0xFF}, std::uint8_t{0x01}}) {
                auto bytes = f.bytes;
                bytes[at] ^= mask;
                ExpectWholeOrNothing(f, bytes, "byte " + std::to_string(at));
            }
        }
    }
}

TEST_F(DamagedInput, ExistingBmpPictureSurvivesEveryFlippedByte) {
    const Format& f = Formats()[0];
    for (std::size_t at = 0; at < 54; ++at) {
        auto bytes = f.bytes;
        bytes[at] ^= 0xFF;
        CDibImage image;
        image.create(10, 10, 16);
        if (!ReadBmp(bytes.data(), bytes.size(), image)) {
            EXPECT_EQ(image.width(), 10) << at;
            EXPECT_EQ(image.bitCount(), 16) << at;
        }
    }
}

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::size_t FindJpegFrameHeader(const std::vector<std::uint8_t>& jpeg) {
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2))
            return i;
    return 0;
}

std::vector<std::uint8_t> JpegWithDeclaredSize(std::vector<std::uint8_t> jpeg, unsigned w,
                                               unsigned h) {
    const std::size_t sof = FindJpegFrameHeader(jpeg);
    EXPECT_NE(sof, 0u);
    jpeg[sof + 5] = static_cast<std::uint8_t>(h >> 8);
    jpeg[sof + 6] = static_cast<std::uint8_t>(h);
    jpeg[sof + 7] = static_cast<std::uint8_t>(w >> 8);
    jpeg[sof + 8] = static_cast<std::uint8_t>(w);
    return jpeg;
}

std::vector<std::uint8_t> BmpWithDeclaredSize(std::vector<std::uint8_t> bmp, std::uint32_t w,
                                              std::uint32_t h) {
    for (int i = 0; i < 4; ++i) {
        bmp[18 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(w >> (8 * i));
        bmp[22 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(h >> (8 * i));
    }
    return bmp;
}

std::vector<std::uint8_t> TiffWithDeclaredSize(std::vector<std::uint8_t> tiff, std::uint32_t w,
                                               std::uint32_t h) {
    EXPECT_TRUE(PatchTiffTag(tiff, TIFFTAG_IMAGEWIDTH, w));
    EXPECT_TRUE(PatchTiffTag(tiff, TIFFTAG_IMAGELENGTH, h));
    return tiff;
}

// Counts and offsets of a BMP header that the data cannot back.
TEST_F(DamagedInput, BmpCountsAndOffsetsBeyondTheDataFail) {
    const std::vector<std::uint8_t> palette = Formats()[1].bytes; // 8 bits, 256 colours
    const auto with = [](std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
        if (b.size() >= at + 4)
            for (int i = 0; i < 4; ++i)
                b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
        return b;
    };
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"pixel offset beyond the file", with(palette, 10, 0x7FFFFFF0)},
        {"pixel offset inside the header", with(palette, 10, 4)},
        {"header size beyond the file", with(palette, 14, 0x7FFFFFF0)},
        {"negative header size", with(palette, 14, 0xFFFFFFF0)},
        {"colour count beyond 8 bits", with(palette, 46, 100000)},
        {"negative colour count", with(palette, 46, 0xFFFFFFFF)},
        {"no bits per pixel", with(palette, 28, 0)},
        {"33 bits per pixel", with(palette, 28, 33)},
    };
    for (const auto& c : cases) {
        CDibImage image;
        // Rejected, or (where the reader can make sense of it) a whole picture of the size.
        if (ReadBmp(c.bytes.data(), c.bytes.size(), image)) {
            EXPECT_EQ(image.width(), 24) << c.what;
            EXPECT_EQ(image.height(), 16) << c.what;
        } else {
            EXPECT_TRUE(image.isNull()) << c.what;
        }
    }
}

TEST_F(DamagedInput, HugeDeclaredSizesFailWithoutBigAllocations) {
    const auto& f = Formats();
    struct Case {
        std::string what;
        std::vector<std::uint8_t> bytes;
        MemoryDecoder decode;
    };
    const Case cases[] = {
        {"BMP 100000 x 100000", BmpWithDeclaredSize(f[0].bytes, 100000, 100000), readBmp},
        {"BMP 16000 x 16000", BmpWithDeclaredSize(f[0].bytes, 16000, 16000), readBmp},
        {"JPEG 65000 x 65000", JpegWithDeclaredSize(f[3].bytes, 65000, 65000), decodeJpeg},
        {"baseline JPEG 16000 x 16000", JpegWithDeclaredSize(f[3].bytes, 16000, 16000), decodeJpeg},
        {"progressive JPEG 16000 x 16000", JpegWithDeclaredSize(f[2].bytes, 16000, 16000),
         decodeJpeg},
        {"PNG 16000 x 16000", PngWithDeclaredSize(f[4].bytes, 16000, 16000), decodePng},
        {"PNG 100000 x 100000", PngWithDeclaredSize(f[4].bytes, 100000, 100000), decodePng},
        {"TIFF 16000 x 16000", TiffWithDeclaredSize(f[5].bytes, 16000, 16000), decodeTiff},
        {"LZW TIFF 16000 x 16000", TiffWithDeclaredSize(f[6].bytes, 16000, 16000), decodeTiff},
        // 60000 x 60000 would be 10.8 GB; and sizes that overflow 32-bit arithmetic.
        {"BMP 60000 x 60000", BmpWithDeclaredSize(f[0].bytes, 60000, 60000), readBmp},
        {"BMP 60000 x -60000 (top-down)", BmpWithDeclaredSize(f[0].bytes, 60000, static_cast<std::uint32_t>(-60000)), readBmp},
        {"BMP negative width", BmpWithDeclaredSize(f[0].bytes, static_cast<std::uint32_t>(-24), 16), readBmp},
        {"BMP height of INT_MIN", BmpWithDeclaredSize(f[0].bytes, 24, 0x80000000u), readBmp},
        {"BMP 0x7FFFFFFF x 0x7FFFFFFF", BmpWithDeclaredSize(f[0].bytes, 0x7FFFFFFF, 0x7FFFFFFF), readBmp},
        {"BMP 65536 x 65536 (the row size times the height wraps 32 bits)", BmpWithDeclaredSize(f[0].bytes, 65536, 65536), readBmp},
        {"JPEG 60000 x 60000", JpegWithDeclaredSize(f[3].bytes, 60000, 60000), decodeJpeg},
        {"progressive JPEG 60000 x 60000", JpegWithDeclaredSize(f[2].bytes, 60000, 60000), decodeJpeg},
        {"PNG 60000 x 60000", PngWithDeclaredSize(f[4].bytes, 60000, 60000), decodePng},
        {"PNG 0x7FFFFFFF x 1", PngWithDeclaredSize(f[4].bytes, 0x7FFFFFFF, 1), decodePng},
        {"TIFF 60000 x 60000", TiffWithDeclaredSize(f[5].bytes, 60000, 60000), decodeTiff},
        {"TIFF 0xFFFFFFFF x 0xFFFFFFFF", TiffWithDeclaredSize(f[5].bytes, 0xFFFFFFFF, 0xFFFFFFFF), decodeTiff},
    };
    for (const Case& c : cases) {
        // A 16000 × 16000 picture would take 768 MB; touching it would show in the peak.
        const long before = PeakResidentKb();
        CDibImage image;
        image.create(3, 3, 24);
        EXPECT_EQ(c.decode(c.bytes.data(), c.bytes.size(), image), 0) << c.what;
        EXPECT_LT(PeakResidentKb() - before, 64 * 1024) << c.what;
    }
}

} // namespace
