#include "calib/magnification.h"
#include "calib/picture_layout.h"
#include "main_window_layout.h"

#include <gtest/gtest.h>

namespace {

PictureLayoutInput Input(int magnification) { return MainWindowLayout(1280, 1024, magnification); }

TEST(PictureLayout, FitKeepsProportionsAndAddsTheOrigin) {
    // aw = 1100 - 8 - 246 = 846, ah = 860 - 8 - 208 = 644: height limits.
    const IntRect r = PictureAreaRect(Input(0));
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.top, 8);
    EXPECT_EQ(r.width(), 8 + 644 * 1280 / 1024);
    EXPECT_EQ(r.height(), 8 + 644);
}

TEST(PictureLayout, MagnifiedAreaIsThePictureCutToTheRoom) {
    PictureLayoutInput in = Input(1);
    in.imageWidth = 320;
    in.imageHeight = 240;
    EXPECT_EQ(PictureAreaRect(in).width(), 320);
    EXPECT_EQ(PictureAreaRect(in).height(), 240);
    in.magnification = 21; // x5
    EXPECT_EQ(PictureAreaRect(in).width(), 1100 - 246);
    EXPECT_EQ(PictureAreaRect(in).height(), 860 - 208);
}

TEST(PictureLayout, TinyWindowNeverGivesANegativeArea) {
    PictureLayoutInput in = Input(0);
    in.clientWidth = 100;
    in.clientHeight = 50;
    const IntRect r = PictureAreaRect(in);
    EXPECT_GE(r.width(), 0);
    EXPECT_GE(r.height(), 0);
}

TEST(Magnification, FactorTable) {
    EXPECT_DOUBLE_EQ(MagnificationFactor(0), 1.0);
    EXPECT_DOUBLE_EQ(MagnificationFactor(1), 1.0);
    EXPECT_NEAR(MagnificationFactor(2), 1.2, 1e-12);
    EXPECT_NEAR(MagnificationFactor(21), 5.0, 1e-12);
    EXPECT_DOUBLE_EQ(MagnificationFactor(22), 1.0);
}

TEST(PictureLayout, ClampKeepsThePictureCoveringTheArea) {
    double x = 5, y = -2000;
    ClampScrollOffsets(x, y, 800, 600, 1280, 1024, 1);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 600 - 1024);
    // Picture smaller than the area: the last rule wins, offsets go positive.
    x = 0;
    y = 0;
    ClampScrollOffsets(x, y, 800, 600, 320, 240, 1);
    EXPECT_EQ(x, 800 - 320);
}

} // namespace
