#include "capture/synthetic_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct Bgr {
    int b, g, r;
    int grey() const { return (b + g + r) / 3; }
};

Bgr At(const std::vector<std::uint8_t>& frame, int stride, int x, int y) {
    const std::uint8_t* p = &frame[static_cast<std::size_t>(y) * stride + x * 3];
    return {p[0], p[1], p[2]};
}

TEST(SyntheticPicture, QuadrantsShowOrientation) {
    SyntheticPicture picture;
    ASSERT_TRUE(picture.build(SyntheticPicture::Pattern::Quadrants, 64, 48));
    const int stride = 64 * 3 + 4;
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(stride) * 48, 0xAB);
    ASSERT_TRUE(picture.render(0, frame.data(), frame.size(), stride));
    EXPECT_EQ(At(frame, stride, 0, 0).r, 255);
    EXPECT_EQ(At(frame, stride, 0, 0).g, 0);
    EXPECT_EQ(At(frame, stride, 63, 0).g, 255);
    EXPECT_EQ(At(frame, stride, 63, 0).r, 0);
    EXPECT_EQ(At(frame, stride, 0, 47).b, 255);
    EXPECT_EQ(At(frame, stride, 0, 47).r, 0);
    EXPECT_EQ(At(frame, stride, 63, 47).grey(), 255);
    EXPECT_EQ(frame[64 * 3], 0xAB); // the padding is left alone
}

TEST(SyntheticPicture, SpecimenHasTheTargetAndShapes) {
    SyntheticPicture picture;
    ASSERT_TRUE(picture.build(SyntheticPicture::Pattern::Specimen, 1280, 1024));
    const auto& base = picture.base();
    const int stride = 1280 * 3;
    using P = SyntheticPicture;
    // The central dot and the grid dots are dark on a light card.
    EXPECT_LT(At(base, stride, P::kCentreX, P::kCentreY).grey(), 60);
    EXPECT_LT(At(base, stride, P::kCentreX + P::kCentreDotRadius - 2, P::kCentreY).grey(), 60);
    EXPECT_GT(At(base, stride, P::kCentreX + P::kCentreDotRadius + 2, P::kCentreY).grey(), 200);
    EXPECT_LT(At(base, stride, P::kCentreX + P::kGridPitch, P::kCentreY).grey(), 60);
    EXPECT_LT(At(base, stride, P::kCentreX, P::kCentreY - 3 * P::kGridPitch).grey(), 60);
    EXPECT_GT(At(base, stride, P::kCentreX + P::kGridPitch / 2, P::kCentreY).grey(), 200);
    // The disc, the ring and its hole, the field around them.
    EXPECT_LT(At(base, stride, 860, 240).grey(), 100);
    EXPECT_LT(At(base, stride, 1010 + 117, 760).grey(), 100);
    EXPECT_GT(At(base, stride, 1010, 760).grey(), 150);
    EXPECT_GT(At(base, stride, 1200, 80).grey(), 150);
    // Sharp edges: the disc's rim changes from dark to light within one pixel.
    EXPECT_LT(At(base, stride, 860 + 109, 240).grey(), 100);
    EXPECT_GT(At(base, stride, 860 + 111, 240).grey(), 150);
}

TEST(SyntheticPicture, NoiseStaysSmallAndChangesFromFrameToFrame) {
    SyntheticPicture picture;
    ASSERT_TRUE(picture.build(SyntheticPicture::Pattern::Specimen, 320, 256));
    SyntheticPicture::Controls c;
    c.noise = 3;
    picture.setControls(c);
    const int stride = 320 * 3;
    std::vector<std::uint8_t> a(stride * 256), b(stride * 256), again(stride * 256);
    ASSERT_TRUE(picture.render(1, a.data(), a.size(), stride));
    ASSERT_TRUE(picture.render(2, b.data(), b.size(), stride));
    ASSERT_TRUE(picture.render(1, again.data(), again.size(), stride));
    EXPECT_EQ(a, again);
    EXPECT_NE(a, b);
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        largest = std::max(largest, std::abs(int{a[i]} - int{picture.base()[i]}));
    EXPECT_LE(largest, 3);
    EXPECT_GT(largest, 0);
}

TEST(SyntheticPicture, ControlsChangeThePicture) {
    SyntheticPicture picture;
    ASSERT_TRUE(picture.build(SyntheticPicture::Pattern::Solid, 8, 8, RGB(100, 100, 100)));
    SyntheticPicture::Controls c;
    c.brightness = 20;
    c.gainRed = 200;
    picture.setControls(c);
    std::vector<std::uint8_t> frame(8 * 8 * 3);
    ASSERT_TRUE(picture.render(0, frame.data(), frame.size(), 24));
    EXPECT_EQ(At(frame, 24, 5, 5).r, 240);
    EXPECT_EQ(At(frame, 24, 5, 5).g, 120);
    c = {};
    c.contrast = 0;
    picture.setControls(c);
    ASSERT_TRUE(picture.render(0, frame.data(), frame.size(), 24));
    EXPECT_EQ(At(frame, 24, 0, 0).b, 128);
}

// The disc's rim along row 240: the largest step between neighbouring pixels.
int SteepestStep(const std::vector<std::uint8_t>& frame, int stride) {
    int steepest = 0;
    for (int x = 900; x < 1020; ++x)
        steepest = std::max(steepest, std::abs(At(frame, stride, x + 1, 240).grey() -
                                                At(frame, stride, x, 240).grey()));
    return steepest;
}

TEST(SyntheticPicture, FocusBlursTheSpecimenAndComesBackSharp) {
    SyntheticPicture picture;
    ASSERT_TRUE(picture.build(SyntheticPicture::Pattern::Specimen, 1280, 1024));
    const int stride = 1280 * 3;
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(stride) * 1024);
    SyntheticPicture::Controls c;
    int previous = 256;
    // Further from focus either way, softer edges; the mean brightness stays.
    for (int focus : {0, 2, -6, SyntheticPicture::kMaxDefocus}) {
        c.focus = focus;
        picture.setControls(c);
        ASSERT_TRUE(picture.render(0, frame.data(), frame.size(), stride));
        const int steepest = SteepestStep(frame, stride);
        EXPECT_LT(steepest, previous) << "focus " << focus;
        previous = steepest;
        EXPECT_NEAR(At(frame, stride, 1200, 80).grey(), At(picture.base(), stride, 1200, 80).grey(), 3);
    }
    // Beyond the lens' range: as far out as it goes.
    const std::vector<std::uint8_t> farthest = frame;
    c.focus = 40;
    picture.setControls(c);
    ASSERT_TRUE(picture.render(0, frame.data(), frame.size(), stride));
    EXPECT_EQ(frame, farthest);
    c.focus = 0;
    picture.setControls(c);
    ASSERT_TRUE(picture.render(0, frame.data(), frame.size(), stride));
    EXPECT_EQ(frame, picture.base());
}

TEST(SyntheticPicture, RefusesBadSizesAndShortDestinations) {
    SyntheticPicture picture;
    EXPECT_FALSE(picture.build(SyntheticPicture::Pattern::Solid, 0, 10));
    EXPECT_FALSE(picture.build(SyntheticPicture::Pattern::Solid, 10, 9000));
    EXPECT_TRUE(picture.isNull());
    std::vector<std::uint8_t> frame(100, 0x11);
    EXPECT_FALSE(picture.render(0, frame.data(), frame.size(), 30));
    ASSERT_TRUE(picture.build(SyntheticPicture::Pattern::Solid, 10, 4));
    EXPECT_FALSE(picture.render(0, frame.data(), frame.size(), 30)); // needs 120 bytes
    EXPECT_FALSE(picture.render(0, frame.data(), frame.size(), 29)); // a row needs 30
    EXPECT_EQ(frame[0], 0x11);
    EXPECT_TRUE(picture.render(0, frame.data(), 3 * 30, 30) == false);
    std::vector<std::uint8_t> exact(30 * 3 + 30);
    EXPECT_TRUE(picture.render(0, exact.data(), exact.size(), 30));
}

} // namespace
