#include "calib/calibration_edit.h"

#include "calib/calib_chain.h"
#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(CalibrationEditTest, DisplayShowsTheFactorsConfirmingWouldStore) {
    CALIBRATION c;
    EXPECT_EQ(CalibrationDisplayText(10, 10, c, 1), "X = 0.050000, Y = 0.050000 [mm/pix]");
    c.right = 400;
    c.top = 50;
    EXPECT_EQ(CalibrationDisplayText(2, 0.3, c, 0), "X = 0.005000, Y = 0.002000 [cm/pix]");
    EXPECT_EQ(CalibrationDisplayText(1, 1, c, 2), "X = 0.002500, Y = 0.006667 [um/pix]");
    c.right = c.left;
    EXPECT_EQ(CalibrationDisplayText(1, 1, c, 7), "X = inf, Y = 0.006667 [/pix]");
}

TEST(CalibrationEditTest, ConfirmingAFreshCalibrationStoresTenOverTwoHundred) {
    CCalibChain chain;
    CALIBRATION& c = *chain.At(3);
    c.mpp = {0, 0};
    ConfirmCalibration(c, "Data4", 10, 10, 1);
    EXPECT_EQ(c.mpp.x, 0.05);
    EXPECT_EQ(c.mpp.y, 0.05);
    EXPECT_EQ(c.name, "Data4");
    EXPECT_EQ(c.unit, 1);
}

TEST(CalibrationEditTest, ConfirmTakesLengthsUnitAndKeepsTheFactorOfAZeroSpan) {
    CALIBRATION c;
    c.mpp = {0.7, 0.8};
    c.top = c.bottom = 50;
    c.right = 500;
    ConfirmCalibration(c, "Stage 1", 2.5, 3, 0);
    EXPECT_EQ(c.length.x, 2.5);
    EXPECT_EQ(c.length.y, 3);
    EXPECT_EQ(c.unit, 0);
    EXPECT_EQ(c.mpp.x, 2.5 / 500);
    EXPECT_EQ(c.mpp.y, 0.8);
}

TEST(CalibrationEditTest, LongNamesAreCutAt255CharactersNotInsideOne) {
    std::string ascii(300, 'a');
    EXPECT_EQ(CalibrationName(ascii), std::string(255, 'a'));
    std::string kana;
    for (int i = 0; i < 300; ++i)
        kana += "校";
    const std::string cut = CalibrationName(kana);
    EXPECT_EQ(Utf8Length(cut), 255u);
    EXPECT_EQ(cut.size(), 255u * 3);
    EXPECT_EQ(CalibrationName("short"), "short");
    CALIBRATION c;
    ConfirmCalibration(c, kana, 1, 1, 1);
    EXPECT_EQ(c.name, cut);
}

TEST(CalibrationEditTest, ResetRestoresTheCrossAndFitsTheRectangleToThePicture) {
    CALIBRATION c;
    c.name = "Mine";
    c.length = {3, 4};
    c.unit = 2;
    c.left = 17;
    c.top = -3;
    c.right = 90;
    c.bottom = 41;
    c.mpp = {0.1, 0.2};
    IntRect set{1, 2, 3, 4};
    ResetCalibrationSet(c, set, 1280, 1024);
    EXPECT_EQ(c.length.x, 10);
    EXPECT_EQ(c.length.y, 10);
    EXPECT_EQ(c.unit, 1);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.right, 200);
    EXPECT_EQ(c.bottom, 200);
    EXPECT_EQ(set, (IntRect{10, 10, 1270, 1014}));
    EXPECT_EQ(c.name, "Mine");
    EXPECT_EQ(c.mpp.x, 0.1);
    EXPECT_EQ(c.mpp.y, 0.2);
    ResetCalibrationSet(c, set, 0, 0);
    EXPECT_EQ(set, (IntRect{10, 10, 1270, 1014}));
}

} // namespace
