#include "images/image_descriptor.h"

#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(ImageDescriptor, DescribesTheWholeImage) {
    CDibImage image;
    ASSERT_TRUE(image.create(641, 3, 24));
    const IMAGE_DESCRIPTOR d = DescribeImage(image);
    EXPECT_EQ(d.size, 40u);
    EXPECT_EQ(d.width, 641);
    EXPECT_EQ(d.height, 3);
    EXPECT_EQ(d.stride, 1924);
    EXPECT_EQ(d.bitCount, 24);
    EXPECT_EQ(d.bits, image.bits());
    EXPECT_EQ(d.left, 0);
    EXPECT_EQ(d.top, 0);
    EXPECT_EQ(d.right, 641);
    EXPECT_EQ(d.bottom, 3);
    const CDibImage& constImage = image;
    EXPECT_EQ(DescribeImage(constImage).bits, image.bits());
    EXPECT_EQ(ValidateImageDescriptor(&d, {24}), kFilterOk);
}

TEST(ImageDescriptor, ValidationCodes) {
    CDibImage image;
    ASSERT_TRUE(image.create(10, 6, 24));
    struct Case {
        const char* what;
        std::function<void(IMAGE_DESCRIPTOR&)> change;
        int code;
    };
    const Case cases[] = {
        {"whole image", [](IMAGE_DESCRIPTOR&) {}, 0},
        {"inner rectangle", [](IMAGE_DESCRIPTOR& d) { d = {40, 10, 6, 32, 24, d.bits, 9, 5, 10, 6}; }, 0},
        {"larger record", [](IMAGE_DESCRIPTOR& d) { d.size = 64; }, 0},
        {"record too small", [](IMAGE_DESCRIPTOR& d) { d.size = 39; }, 3},
        {"record size 0", [](IMAGE_DESCRIPTOR& d) { d.size = 0; }, 3},
        {"width 0", [](IMAGE_DESCRIPTOR& d) { d.width = 0; }, 4},
        {"negative width", [](IMAGE_DESCRIPTOR& d) { d.width = -10; }, 4},
        {"height 0", [](IMAGE_DESCRIPTOR& d) { d.height = 0; }, 5},
        {"negative height", [](IMAGE_DESCRIPTOR& d) { d.height = -6; }, 5},
        {"stride 0", [](IMAGE_DESCRIPTOR& d) { d.stride = 0; }, 6},
        {"negative stride", [](IMAGE_DESCRIPTOR& d) { d.stride = -32; }, 6},
        {"stride below the row", [](IMAGE_DESCRIPTOR& d) { d.stride = 29; }, 6},
        {"stride exactly the row", [](IMAGE_DESCRIPTOR& d) { d.stride = 30; }, 0},
        {"bit count 0", [](IMAGE_DESCRIPTOR& d) { d.bitCount = 0; }, 7},
        {"bit count not taken", [](IMAGE_DESCRIPTOR& d) { d.bitCount = 8; }, 7},
        {"stride 0 before bit count", [](IMAGE_DESCRIPTOR& d) { d.stride = 0; d.bitCount = 0; }, 6},
        {"no pixels", [](IMAGE_DESCRIPTOR& d) { d.bits = nullptr; }, 8},
        {"empty rectangle", [](IMAGE_DESCRIPTOR& d) { d.right = d.left; }, 9},
        {"reversed rectangle", [](IMAGE_DESCRIPTOR& d) { d.top = 4; d.bottom = 2; }, 9},
        {"left outside", [](IMAGE_DESCRIPTOR& d) { d.left = -1; }, 9},
        {"top outside", [](IMAGE_DESCRIPTOR& d) { d.top = -1; }, 9},
        {"right outside", [](IMAGE_DESCRIPTOR& d) { d.right = 11; }, 9},
        {"bottom outside", [](IMAGE_DESCRIPTOR& d) { d.bottom = 7; }, 9},
        {"rectangle beyond the image", [](IMAGE_DESCRIPTOR& d) { d = {40, 10, 6, 32, 24, d.bits, 10, 0, 12, 6}; }, 9},
    };
    for (const Case& c : cases) {
        IMAGE_DESCRIPTOR d = DescribeImage(image);
        c.change(d);
        EXPECT_EQ(ValidateImageDescriptor(&d, {24, 32}), c.code) << c.what;
    }
    EXPECT_EQ(ValidateImageDescriptor(nullptr, {24}), 1);
    const IMAGE_DESCRIPTOR ofNothing = DescribeImage(CDibImage{});
    EXPECT_EQ(ValidateImageDescriptor(&ofNothing, {24}), 4);
}

TEST(ImageDescriptor, StrideIsMeasuredInBytesOfTheBitCount) {
    CDibImage image;
    ASSERT_TRUE(image.create(5, 2, 32));
    IMAGE_DESCRIPTOR d = DescribeImage(image);
    d.stride = 19;
    EXPECT_EQ(ValidateImageDescriptor(&d, {32}), 6);
    d.stride = 20;
    EXPECT_EQ(ValidateImageDescriptor(&d, {32}), 0);
    // The same stride is ample for an 8-bit reading of the row.
    d.bitCount = 8;
    d.stride = 5;
    EXPECT_EQ(ValidateImageDescriptor(&d, {8}), 0);
    // A width whose row bytes overflow 32 bits is still refused.
    d.bitCount = 32;
    d.width = 0x7FFFFFFF;
    d.right = d.width;
    d.stride = 0x7FFFFFFC;
    EXPECT_EQ(ValidateImageDescriptor(&d, {32}), 6);
}

TEST(ImageDescriptor, ParameterBlockCodes) {
    const FILTER_PARAMS_HEADER good{16, 3};
    EXPECT_EQ(ValidateFilterParams(&good, 3, 16), 0);
    EXPECT_EQ(ValidateFilterParams(nullptr, 3, 16), 1);
    EXPECT_EQ(ValidateFilterParams(&good, 4, 16), 2);
    EXPECT_EQ(ValidateFilterParams(&good, 3, 20), 3);
    const FILTER_PARAMS_HEADER tiny{4, 3};
    EXPECT_EQ(ValidateFilterParams(&tiny, 3, 0), 3);
}

} // namespace
