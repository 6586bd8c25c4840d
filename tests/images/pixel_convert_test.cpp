#include "images/pixel_convert.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void setWord(CDibImage& image, int x, int y, unsigned word) {
    std::uint8_t* p = image.scanLine(y) + 2 * x;
    p[0] = static_cast<std::uint8_t>(word & 0xFF);
    p[1] = static_cast<std::uint8_t>(word >> 8);
}

unsigned wordAt(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + 2 * x;
    return p[0] | (p[1] << 8);
}

CDibImage filled(int w, int h, int bitCount, std::uint8_t value) {
    CDibImage image;
    image.create(w, h, bitCount);
    std::fill(image.bits(), image.bits() + image.byteSize(), value);
    return image;
}

TEST(PixelConvert, Grey16ToGrey24And8TakeTheTopEightOfTenBits) {
    CDibImage source;
    ASSERT_TRUE(source.create(5, 2, 16));
    const unsigned words[5] = {0, 3, 4, 513, 1023};
    for (int x = 0; x < 5; ++x)
        setWord(source, x, 1, words[x]);

    CDibImage colour = filled(5, 2, 24, 0xAA);
    ASSERT_EQ(ConvertPixels(source, colour, PixelConversion::Grey16ToGrey24), 1);
    CDibImage grey = filled(5, 2, 8, 0xAA);
    ASSERT_EQ(ConvertPixels(source, grey, PixelConversion::Grey16ToGrey8), 1);
    for (int x = 0; x < 5; ++x) {
        const auto expected = static_cast<std::uint8_t>(words[x] >> 2);
        const std::uint8_t* p = colour.scanLine(1) + 3 * x;
        EXPECT_EQ(p[0], expected);
        EXPECT_EQ(p[1], expected);
        EXPECT_EQ(p[2], expected);
        EXPECT_EQ(grey.scanLine(1)[x], expected);
    }
    // Row padding is left alone (15 of 16 bytes used, 5 of 8).
    EXPECT_EQ(colour.scanLine(1)[15], 0xAA);
    EXPECT_EQ(grey.scanLine(1)[5], 0xAA);
}

TEST(PixelConvert, TiffSampleOrderRoundTripsEveryTenBitWord) {
    CDibImage words;
    ASSERT_TRUE(words.create(1024, 1, 16));
    for (unsigned w = 0; w < 1024; ++w)
        setWord(words, static_cast<int>(w), 0, w);

    CDibImage file;
    ASSERT_TRUE(file.create(1024, 1, 16));
    ASSERT_EQ(ConvertPixels(words, file, PixelConversion::Word16ToTiffSamples), 1);
    // 727 = 0b1011010111: low two bits 3 first, then the high eight bits 181.
    EXPECT_EQ(file.scanLine(0)[2 * 727], 3);
    EXPECT_EQ(file.scanLine(0)[2 * 727 + 1], 181);

    // Back again, in place, as the TIFF decoder does it.
    ASSERT_EQ(ConvertPixels(file, file, PixelConversion::TiffSamplesToWord16), 1);
    for (unsigned w = 0; w < 1024; ++w)
        ASSERT_EQ(wordAt(file, static_cast<int>(w), 0), w);
}

TEST(PixelConvert, RedBlueSwapsInPlaceAndBetweenPictures) {
    CDibImage rgb;
    ASSERT_TRUE(rgb.create(2, 1, 24));
    const std::uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
    std::copy(pixels, pixels + 6, rgb.scanLine(0));
    ASSERT_EQ(ConvertPixels(rgb, rgb, PixelConversion::SwapRedBlue24), 1);
    const std::uint8_t swapped[6] = {3, 2, 1, 6, 5, 4};
    EXPECT_TRUE(std::equal(swapped, swapped + 6, rgb.scanLine(0)));

    CDibImage rgba;
    ASSERT_TRUE(rgba.create(1, 1, 32));
    const std::uint8_t quad[4] = {10, 20, 30, 40};
    std::copy(quad, quad + 4, rgba.scanLine(0));
    CDibImage bgra;
    ASSERT_TRUE(bgra.create(1, 1, 32));
    ASSERT_EQ(ConvertPixels(rgba, bgra, PixelConversion::SwapRedBlue32), 1);
    const std::uint8_t expected[4] = {30, 20, 10, 40};
    EXPECT_TRUE(std::equal(expected, expected + 4, bgra.scanLine(0)));
}

TEST(PixelConvert, RectangleIsClippedAgainstBothPictures) {
    CDibImage source = filled(6, 4, 16, 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            setWord(source, x, y, 400);
    CDibImage dest = filled(4, 6, 8, 7); // narrower and taller than the source
    ASSERT_EQ(ConvertPixels(source, dest, {2, 1, 100, 100}, PixelConversion::Grey16ToGrey8), 1);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 4; ++x) {
            const bool inside = x >= 2 && y >= 1 && y < 4;
            EXPECT_EQ(dest.scanLine(y)[x], inside ? 100 : 7) << x << "," << y;
        }
    }

    // Entirely outside, or inverted: nothing to do, and that is no failure.
    CDibImage untouched = filled(4, 6, 8, 7);
    EXPECT_EQ(ConvertPixels(source, untouched, {10, 10, 20, 20}, PixelConversion::Grey16ToGrey8),
              1);
    EXPECT_EQ(ConvertPixels(source, untouched, {3, 3, 1, 1}, PixelConversion::Grey16ToGrey8), 1);
    EXPECT_TRUE(std::all_of(untouched.bits(), untouched.bits() + untouched.byteSize(),
                            [](std::uint8_t v) { return v == 7; }));
}

TEST(PixelConvert, WrongFormatsOrEmptyPicturesFailWithoutWriting) {
    struct Case {
        int sourceBits, destBits;
        PixelConversion conversion;
    };
    const Case cases[] = {
        {24, 24, PixelConversion::Grey16ToGrey24},     {16, 32, PixelConversion::Grey16ToGrey24},
        {16, 24, PixelConversion::Grey16ToGrey8},      {8, 8, PixelConversion::Grey16ToGrey8},
        {8, 16, PixelConversion::TiffSamplesToWord16}, {32, 32, PixelConversion::SwapRedBlue24},
        {24, 24, PixelConversion::SwapRedBlue32},      {24, 32, PixelConversion::SwapRedBlue24},
    };
    for (const Case& c : cases) {
        CDibImage source = filled(3, 3, c.sourceBits, 0x55);
        CDibImage dest = filled(3, 3, c.destBits, 0x11);
        EXPECT_EQ(ConvertPixels(source, dest, c.conversion), 0)
            << c.sourceBits << "→" << c.destBits;
        EXPECT_TRUE(std::all_of(dest.bits(), dest.bits() + dest.byteSize(),
                                [](std::uint8_t v) { return v == 0x11; }));
    }
    CDibImage empty;
    CDibImage grey = filled(3, 3, 8, 0);
    EXPECT_EQ(ConvertPixels(empty, grey, PixelConversion::Grey16ToGrey8), 0);
    CDibImage words = filled(3, 3, 16, 0);
    EXPECT_EQ(ConvertPixels(words, empty, PixelConversion::Grey16ToGrey8), 0);
}

} // namespace
