#include "calib/auto_calibration.h"

#include "capture/synthetic_picture.h"
#include "images/dib_image.h"
#include "platform/profile.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using P = SyntheticPicture;

// The demo camera's specimen as a live frame shows it (with its noise), as the display
// image.
const CDibImage& DemoFrame() {
    static const CDibImage frame = [] {
        SyntheticPicture picture;
        picture.build(P::Pattern::Specimen, 1280, 1024);
        SyntheticPicture::Controls controls;
        controls.noise = 3;
        picture.setControls(controls);
        std::vector<std::uint8_t> rows(1280 * 3 * 1024);
        picture.render(17, rows.data(), rows.size(), 1280 * 3);
        CDibImage image;
        image.createMemoryOnly(1280, 1024, 24);
        for (int y = 0; y < 1024; ++y)
            std::memcpy(image.scanLine(y), &rows[static_cast<std::size_t>(y) * 1280 * 3], 1280 * 3);
        return image;
    }();
    return frame;
}

// The search rectangle framing the central dot and a few bars on each side.
constexpr IntRect kAroundDot{P::kCentreX - 200, P::kCentreY - 200, P::kCentreX + 200,
                             P::kCentreY + 200};

CALIBRATION Calibration() {
    CALIBRATION c;
    c.name = "target";
    c.length = {0.5, 0.5};
    c.unit = 2;
    c.left = 250;
    c.right = 350;
    c.top = 150;
    c.bottom = 250;
    c.mpp = {0.25, 0.5};
    return c;
}

void ExpectSame(const CALIBRATION& a, const CALIBRATION& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.length.x, b.length.x);
    EXPECT_EQ(a.length.y, b.length.y);
    EXPECT_EQ(a.unit, b.unit);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(a.bottom, b.bottom);
    EXPECT_EQ(a.mpp.x, b.mpp.x);
    EXPECT_EQ(a.mpp.y, b.mpp.y);
}

TEST(AutoCalibrationTest, CrossKeepsItsCentreAndTakesThePitches) {
    CALIBRATION c = Calibration(); // centred at (300, 200)
    SetCrossFromPitches(c, {50, 40, 52, 42});
    EXPECT_DOUBLE_EQ(c.left, 275);
    EXPECT_DOUBLE_EQ(c.right, 326);
    EXPECT_DOUBLE_EQ(c.top, 180);
    EXPECT_DOUBLE_EQ(c.bottom, 221);
}

TEST(AutoCalibrationTest, DemoTargetMeasuresItsEdgePitch) {
    CALIBRATION c = Calibration();
    const AutoCalibrationResult r = AutoCalibrate(DemoFrame(), kAroundDot, 6, 200, c);
    ASSERT_TRUE(r.ok()) << static_cast<int>(r.error);
    // The dot found is the central one, in the crop's coordinates.
    EXPECT_NEAR(static_cast<double>(r.dot.centreX), 200, 1);
    EXPECT_NEAR(static_cast<double>(r.dot.centreY), 200, 1);
    for (double pitch : r.pitch)
        EXPECT_NEAR(pitch, P::kEdgePitch, P::kEdgePitch * 0.01);
    EXPECT_NEAR(c.right - c.left, P::kEdgePitch, P::kEdgePitch * 0.01);
    EXPECT_NEAR(c.bottom - c.top, P::kEdgePitch, P::kEdgePitch * 0.01);
    EXPECT_DOUBLE_EQ((c.left + c.right) / 2, 300);
    EXPECT_DOUBLE_EQ((c.top + c.bottom) / 2, 200);
    // Only the cross changed.
    CALIBRATION expected = Calibration();
    expected.left = c.left;
    expected.right = c.right;
    expected.top = c.top;
    expected.bottom = c.bottom;
    ExpectSame(c, expected);

    // A rectangle over most of the card, its edges outside the strips, measures the same.
    CALIBRATION whole = Calibration();
    const AutoCalibrationResult all = AutoCalibrate(DemoFrame(), {45, 65, 595, 615}, 6, 200, whole);
    ASSERT_TRUE(all.ok()) << static_cast<int>(all.error);
    for (double pitch : all.pitch)
        EXPECT_NEAR(pitch, P::kEdgePitch, P::kEdgePitch * 0.01);

    // Again on the same picture: the same cross.
    const CALIBRATION once = c;
    ASSERT_TRUE(AutoCalibrate(DemoFrame(), kAroundDot, 6, 200, c).ok());
    ExpectSame(c, once);
}

TEST(AutoCalibrationTest, SearchRectangleIsNormalisedAndCutToThePicture) {
    // The frame's part around the dot alone, so that a rectangle can reach past it.
    CDibImage part;
    part.createMemoryOnly(kAroundDot.width(), kAroundDot.height(), 24);
    part.blitFrom(DemoFrame(), kAroundDot, 0, 0);
    CALIBRATION c = Calibration();
    const AutoCalibrationResult r = AutoCalibrate(part, {-50, -80, 460, 470}, 6, 200, c);
    ASSERT_TRUE(r.ok()) << static_cast<int>(r.error);
    EXPECT_EQ(r.region, (IntRect{0, 0, 400, 400}));

    CALIBRATION d = Calibration();
    const IntRect reversed{kAroundDot.right, kAroundDot.bottom, kAroundDot.left, kAroundDot.top};
    const AutoCalibrationResult q = AutoCalibrate(DemoFrame(), reversed, 6, 200, d);
    ASSERT_TRUE(q.ok());
    EXPECT_EQ(q.region, kAroundDot);
    ExpectSame(c, d);
}

TEST(AutoCalibrationTest, FailuresChangeNothing) {
    CDibImage plainDot; // a dot with no marks: one crossing per strip
    plainDot.createMemoryOnly(200, 200, 24);
    plainDot.fillRect(0xF0F0F0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if ((x - 100) * (x - 100) + (y - 100) * (y - 100) < 30 * 30)
                std::memset(plainDot.scanLine(y) + 3 * x, 30, 3);
    CDibImage specks; // more isolated dark pixels than the label table holds
    specks.createMemoryOnly(2100, 1100, 24);
    specks.fillRect(0xFFFFFF);
    for (int y = 1; y < 1100; y += 2)
        for (int x = 1; x < 2100; x += 2)
            std::memset(specks.scanLine(y) + 3 * x, 0, 3);
    CDibImage sixteen;
    sixteen.createMemoryOnly(100, 100, 16);

    struct Case {
        const char* what;
        const CDibImage* picture;
        IntRect region;
        int minSize, maxSize;
        AutoCalibrationError error;
    } cases[] = {
        {"dot below AutoMinSize", &DemoFrame(), kAroundDot, 31, 200, AutoCalibrationError::NoDot},
        {"dot above AutoMaxSize", &DemoFrame(), kAroundDot, 6, 29, AutoCalibrationError::NoDot},
        {"no dot at all", &DemoFrame(), {1100, 50, 1250, 200}, 6, 200, AutoCalibrationError::NoDot},
        {"one crossing per strip",
         &plainDot,
         {0, 0, 200, 200},
         6,
         200,
         AutoCalibrationError::NoPitch},
        {"too many labels",
         &specks,
         {0, 0, 2100, 1100},
         0,
         200,
         AutoCalibrationError::TooManyLabels},
        {"narrower than the margins",
         &DemoFrame(),
         {300, 100, 320, 600},
         6,
         200,
         AutoCalibrationError::RegionTooSmall},
        {"outside the picture",
         &DemoFrame(),
         {2000, 2000, 2300, 2300},
         6,
         200,
         AutoCalibrationError::RegionTooSmall},
        {"16-bit picture", &sixteen, {0, 0, 100, 100}, 6, 200, AutoCalibrationError::NoPicture},
    };
    for (const Case& k : cases) {
        CALIBRATION c = Calibration();
        EXPECT_EQ(AutoCalibrate(*k.picture, k.region, k.minSize, k.maxSize, c).error, k.error)
            << k.what;
        ExpectSame(c, Calibration());
    }
    // Within the limits the same target succeeds.
    CALIBRATION c = Calibration();
    EXPECT_TRUE(AutoCalibrate(DemoFrame(), kAroundDot, 29, 31, c).ok());
}

TEST(AutoCalibrationTest, SizeLimitsAreReadAgainWithThePresentValuesAsDefaults) {
    TempDir temp;
    const std::string ini = temp.file("Mirelta.ini");
    std::int32_t minSize = 6, maxSize = 200;
    ReloadAutoSizeLimits(Profile(ini), minSize, maxSize); // no file yet
    EXPECT_EQ(minSize, 6);
    EXPECT_EQ(maxSize, 200);
    WriteBytes(ini, "[Mirelta]\nAutoMinSize=12\n");
    ReloadAutoSizeLimits(Profile(ini), minSize, maxSize);
    EXPECT_EQ(minSize, 12);
    EXPECT_EQ(maxSize, 200);
    WriteBytes(ini, "[Mirelta]\nAutoMinSize=3\nAutoMaxSize=40\n");
    ReloadAutoSizeLimits(Profile(ini), minSize, maxSize);
    EXPECT_EQ(minSize, 3);
    EXPECT_EQ(maxSize, 40);
}

} // namespace
