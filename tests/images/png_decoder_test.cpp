#include "images/png_decoder.h"

#include "codec_fixture_files.h"
#include "images/codec_messages.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <png.h>
#include <thread>

using namespace codec_test;

namespace {

struct PngRecipe {
    int width = 0, height = 0, bitDepth = 8, colourType = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha; // tRNS for palettes
    bool greyTransparent = false;       // tRNS for grey: this grey value
    png_uint_16 transparentGrey = 0;
    double gamma = 0;                        // gAMA when non-zero
    std::vector<std::vector<png_byte>> rows; // packed as in the file, 16-bit big-endian
};

void appendBytes(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

// Written with libpng itself, so every kind of PNG is at hand without stored files.
std::vector<std::uint8_t> WritePng(const PngRecipe& s) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rowPointers;
    for (const auto& r : s.rows)
        rowPointers.push_back(const_cast<png_bytep>(r.data()));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the fixture";
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(s.width), static_cast<png_uint_32>(s.height),
                 s.bitDepth, s.colourType, s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!s.palette.empty())
        png_set_PLTE(png, info, s.palette.data(), static_cast<int>(s.palette.size()));
    if (!s.paletteAlpha.empty())
        png_set_tRNS(png, info, s.paletteAlpha.data(), static_cast<int>(s.paletteAlpha.size()),
                     nullptr);
    if (s.greyTransparent) {
        png_color_16 colour{};
        colour.gray = s.transparentGrey;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    if (s.gamma != 0)
        png_set_gAMA(png, info, s.gamma);
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// Decodes through both entry points; they must agree.
CDibImage DecodeBoth(const std::vector<std::uint8_t>& bytes) {
    TempDir dir;
    const std::string path = dir.path("p.png");
    EXPECT_TRUE(WriteBytes(path, bytes));
    CDibImage fromFile, fromMemory;
    EXPECT_EQ(DecodePng(path, fromFile), 1);
    EXPECT_EQ(DecodePng(bytes.data(), bytes.size(), fromMemory), 1);
    EXPECT_TRUE(SamePixels(fromFile, fromMemory));
    return fromFile;
}

const std::uint8_t* PixelBytes(const CDibImage& image, int x, int y) {
    return image.scanLine(y) + static_cast<std::size_t>(x) * image.bytesPerPixel();
}

TEST(PngDecoder, RgbRowsComeOutAsBgrWithTheFirstRowOnTop) {
    PngRecipe s;
    s.width = 2;
    s.height = 2;
    s.rows = {{255, 0, 0, 0, 255, 0}, {0, 0, 255, 10, 20, 30}};
    const CDibImage image = DecodeBoth(WritePng(s));
    ASSERT_EQ(image.bitCount(), 24);
    EXPECT_EQ(PixelAt(image, 0, 0).r, 255); // top-left red
    EXPECT_EQ(PixelAt(image, 0, 0).b, 0);
    EXPECT_EQ(PixelAt(image, 1, 0).g, 255);
    EXPECT_EQ(PixelAt(image, 0, 1).b, 255);
    const Bgr last = PixelAt(image, 1, 1);
    EXPECT_EQ(last.b, 30);
    EXPECT_EQ(last.g, 20);
    EXPECT_EQ(last.r, 10);
    // Stored bottom-up: the top picture row is the last memory row.
    EXPECT_EQ(image.memoryRow(1)[2], 255);
}

TEST(PngDecoder, EveryKindOfFileBecomesThreeOrFourChannels) {
    struct Case {
        const char* what;
        PngRecipe recipe;
        int bitCount;
        // Expected B, G, R (and fourth byte) of the pixels of the single row.
        std::vector<std::vector<int>> pixels;
    };
    std::vector<Case> cases;
    {
        PngRecipe s;
        s.width = 3;
        s.height = 1;
        s.colourType = PNG_COLOR_TYPE_PALETTE;
        s.palette = {{255, 0, 0}, {0, 128, 0}, {1, 2, 3}};
        s.rows = {{2, 0, 1}};
        cases.push_back({"palette", s, 24, {{3, 2, 1}, {0, 0, 255}, {0, 128, 0}}});
        s.paletteAlpha = {255, 0, 100}; // entry 1 transparent, entry 2 partly
        cases.push_back(
            {"palette with tRNS", s, 32, {{3, 2, 1, 155}, {0, 0, 255, 0}, {0, 128, 0, 255}}});
    }
    {
        PngRecipe s;
        s.width = 4;
        s.height = 1;
        s.colourType = PNG_COLOR_TYPE_GRAY;
        s.bitDepth = 1;
        s.rows = {{0b10010000}};
        cases.push_back(
            {"1-bit grey", s, 24, {{255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}}});
        s.bitDepth = 2;
        s.rows = {{0b00011011}};
        cases.push_back(
            {"2-bit grey", s, 24, {{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}}});
        s.bitDepth = 4;
        s.rows = {{0x0F, 0x38}};
        cases.push_back(
            {"4-bit grey", s, 24, {{0, 0, 0}, {255, 255, 255}, {51, 51, 51}, {136, 136, 136}}});
    }
    {
        PngRecipe s;
        s.width = 2;
        s.height = 1;
        s.bitDepth = 16;
        s.rows = {{0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00, 0x00, 0x01, 0x80, 0x00, 0x7F, 0xFF}};
        cases.push_back({"16-bit RGB", s, 24, {{0xFF, 0xAB, 0x12}, {0x7F, 0x80, 0x00}}});
    }
    {
        PngRecipe s;
        s.width = 2;
        s.height = 1;
        s.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
        s.rows = {{200, 255, 40, 10}};
        cases.push_back({"grey with alpha", s, 32, {{200, 200, 200, 0}, {40, 40, 40, 245}}});
    }
    {
        PngRecipe s;
        s.width = 2;
        s.height = 1;
        s.colourType = PNG_COLOR_TYPE_GRAY;
        s.greyTransparent = true;
        s.transparentGrey = 77;
        s.rows = {{77, 78}};
        cases.push_back({"grey with tRNS", s, 32, {{77, 77, 77, 255}, {78, 78, 78, 0}}});
    }
    {
        PngRecipe s;
        s.width = 1;
        s.height = 1;
        s.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
        s.rows = {{9, 8, 7, 6}};
        // The memory path gives 32 bits here too.
        cases.push_back({"RGBA", s, 32, {{7, 8, 9, 249}}});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CDibImage image = DecodeBoth(WritePng(c.recipe));
        ASSERT_EQ(image.bitCount(), c.bitCount);
        ASSERT_EQ(image.width(), c.recipe.width);
        for (std::size_t x = 0; x < c.pixels.size(); ++x) {
            const std::uint8_t* p = PixelBytes(image, static_cast<int>(x), 0);
            for (std::size_t k = 0; k < c.pixels[x].size(); ++k)
                EXPECT_EQ(p[k], c.pixels[x][k]) << "pixel " << x << " byte " << k;
        }
    }
}

TEST(PngDecoder, InterlacedFileGivesTheSamePicture) {
    PngRecipe s;
    s.width = 13;
    s.height = 11;
    for (int y = 0; y < s.height; ++y) {
        std::vector<png_byte> row;
        for (int x = 0; x < s.width; ++x)
            for (int c = 0; c < 3; ++c)
                row.push_back(static_cast<png_byte>(x * 17 + y * 5 + c * 60));
        s.rows.push_back(row);
    }
    const CDibImage plain = DecodeBoth(WritePng(s));
    s.interlaced = true;
    EXPECT_TRUE(SamePixels(DecodeBoth(WritePng(s)), plain));
}

TEST(PngDecoder, FileGammaIsCorrectedForTheDisplay) {
    PngRecipe s;
    s.width = 1;
    s.height = 1;
    s.colourType = PNG_COLOR_TYPE_GRAY;
    s.rows = {{64}};
    s.gamma = 1.0 / 2.2; // already display-encoded: unchanged
    EXPECT_NEAR(PixelAt(DecodeBoth(WritePng(s)), 0, 0).g, 64, 1);
    s.gamma = 1.0; // linear samples: brightened, 255 × (64 / 255)^(1 / 2.2) ≈ 136
    EXPECT_NEAR(PixelAt(DecodeBoth(WritePng(s)), 0, 0).g, 136, 2);
}

TEST(PngDecoder, RefusedFilesLeaveThePictureAsTheyFoundIt) {
    PngRecipe s;
    s.width = 40;
    s.height = 30;
    for (int y = 0; y < s.height; ++y) {
        std::vector<png_byte> row;
        for (int x = 0; x < s.width * 3; ++x)
            row.push_back(static_cast<png_byte>((x * 31 + y * 17) ^ (x * y)));
        s.rows.push_back(row);
    }
    const auto valid = WritePng(s);
    TempDir dir;
    ASSERT_TRUE(dir.ok());

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        bool pictureKept; // refused before the picture was created
    };
    std::vector<Case> cases;
    auto badSignature = valid;
    badSignature[1] = 'Q';
    cases.push_back({"wrong signature", badSignature, true});
    cases.push_back({"only the signature", {valid.begin(), valid.begin() + 8}, true});
    auto badHeaderCrc = valid;
    badHeaderCrc[30] ^= 0x40;
    cases.push_back({"damaged header", badHeaderCrc, true});
    cases.push_back(
        {"16000 x 16000 in a small file", PngWithDeclaredSize(valid, 16000, 16000), true});
    cases.push_back({"a million wide", PngWithDeclaredSize(valid, 1000001, 1), true});
    cases.push_back({"pixel data cut short", {valid.begin(), valid.end() - 40}, false});
    cases.push_back({"more rows declared than stored", PngWithDeclaredSize(valid, 40, 31), false});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir.path("bad.png");
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        CDibImage fromFile, fromMemory;
        fromFile.create(3, 3, 8);
        fromMemory.create(3, 3, 8);
        EXPECT_EQ(DecodePng(path, fromFile), 0);
        EXPECT_EQ(DecodePng(c.bytes.data(), c.bytes.size(), fromMemory), 0);
        EXPECT_EQ(fromFile.width(), c.pictureKept ? 3 : 0);
        EXPECT_EQ(fromMemory.width(), c.pictureKept ? 3 : 0);
    }

    // A caller's tighter size guard.
    CDibImage image;
    EXPECT_EQ(DecodePng(valid.data(), valid.size(), image, 40 * 30 - 1), 0);
    EXPECT_TRUE(image.isNull());
    EXPECT_EQ(DecodePng(valid.data(), valid.size(), image, 40 * 30), 1);
}

TEST(PngDecoder, LibraryErrorsArePrintedUnlessSwitchedOff) {
    PngRecipe s;
    s.width = 1;
    s.height = 1;
    s.rows = {{1, 2, 3}};
    auto bytes = WritePng(s);
    bytes[30] ^= 1; // IHDR CRC
    CDibImage image;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(DecodePng(bytes.data(), bytes.size(), image), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "libpng error: IHDR: CRC error\n");

    SetCodecMessagesEnabled(false);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(DecodePng(bytes.data(), bytes.size(), image), 0);
    SetCodecMessagesEnabled(true);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(PngDecoder, DecodesFromSeveralThreadsOneAtATime) {
    PngRecipe s;
    s.width = 64;
    s.height = 64;
    for (int y = 0; y < s.height; ++y)
        s.rows.emplace_back(static_cast<std::size_t>(s.width * 3), static_cast<png_byte>(y * 4));
    const auto bytes = WritePng(s);
    std::vector<CDibImage> results(4);
    std::vector<int> ok(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < 4; ++i)
        threads.emplace_back([&, i] {
            for (int n = 0; n < 20 && (n == 0 || ok[i]); ++n)
                ok[i] = DecodePng(bytes.data(), bytes.size(), results[i]);
        });
    for (auto& t : threads)
        t.join();
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(ok[i], 1);
        EXPECT_EQ(PixelAt(results[i], 5, 10).g, 40);
    }
}

} // namespace
