#include "calib/picture_layout.h"
#include "calib/view_mapping.h"
#include "main_window_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

ViewGeometry Geometry(const ViewMapping& v, int imageWidth, int imageHeight) {
    return {PictureAreaRect(MainWindowLayout(imageWidth, imageHeight, v.m_Bai)), imageWidth, imageHeight};
}

// What the window does on a combo change: the change on the old area, then the layout
// and its clamp.
ViewGeometry Choose(ViewMapping& v, int n, int imageWidth, int imageHeight) {
    const ViewGeometry old = Geometry(v, imageWidth, imageHeight);
    ViewMapping next = v;
    next.m_Bai = n;
    const ViewGeometry now = Geometry(next, imageWidth, imageHeight);
    v.ChangeMagnification(n, old.area.width(), old.area.height(), now.area.width(),
                          now.area.height(), imageWidth, imageHeight);
    v.Clamp(now.area.width(), now.area.height(), imageWidth, imageHeight);
    return now;
}

DPOINT CentreOf(const ViewMapping& v, const ViewGeometry& g) {
    return v.WindowToImage(g, (g.area.left + g.area.right) * 0.5, (g.area.top + g.area.bottom) * 0.5);
}

TEST(ViewMapping, MagnificationChangeKeepsTheCentre) {
    ViewMapping v;
    v.m_Bai = 0;
    ViewGeometry g = Choose(v, 1, 1280, 1024); // from fit: centred at x1
    const DPOINT before = CentreOf(v, g);
    EXPECT_NEAR(before.x, 640, 1e-9);
    EXPECT_NEAR(before.y, 512, 1e-9);
    v.m_Bai_X -= 100; // scrolled somewhat to the right
    const DPOINT scrolled = CentreOf(v, g);
    for (int n : {6, 11, 21, 2, 1}) { // x2, x3, x5, x1.2, x1
        g = Choose(v, n, 1280, 1024);
        const DPOINT c = CentreOf(v, g);
        EXPECT_NEAR(c.x, scrolled.x, 1e-9) << n;
        EXPECT_NEAR(c.y, scrolled.y, 1e-9) << n;
        EXPECT_LE(v.m_Bai_X, 0);
        EXPECT_LE(v.m_Bai_Y, 0);
    }
}

TEST(ViewMapping, FitZeroesTheOffsetsAndX1AfterwardsIsCentred) {
    ViewMapping v;
    v.m_Bai = 6;
    v.m_Bai_X = -300;
    v.m_Bai_Y = -200;
    Choose(v, 0, 1280, 1024);
    EXPECT_EQ(v.m_Bai_X, 0);
    EXPECT_EQ(v.m_Bai_Y, 0);
    const ViewGeometry g = Choose(v, 1, 1280, 1024);
    const DPOINT c = CentreOf(v, g);
    EXPECT_NEAR(c.x, 640, 1e-9);
    EXPECT_NEAR(c.y, 512, 1e-9);
}

// The offsets are written to the settings with "%f": a negative zero would read "-0.000000".
TEST(ViewMapping, ChoosingTheSameFactorAtTheTopLeftKeepsPlainZeroOffsets) {
    ViewMapping v;
    v.m_Bai = 6;
    Choose(v, 6, 1280, 1024);
    EXPECT_EQ(v.m_Bai_X, 0);
    EXPECT_EQ(v.m_Bai_Y, 0);
    EXPECT_FALSE(std::signbit(v.m_Bai_X));
    EXPECT_FALSE(std::signbit(v.m_Bai_Y));
}

TEST(ViewMapping, FittedMappingStretchesEachAxisAndIgnoresOffsets) {
    ViewMapping v;
    v.m_Bai = 0;
    v.m_Bai_X = -50; // left from an earlier factor: no part in the fitted mapping
    const ViewGeometry g{{8, 8, 8 + 640, 8 + 480}, 1280, 1024};
    const DPOINT p = v.WindowToImage(g, 8 + 320, 8 + 240);
    EXPECT_DOUBLE_EQ(p.x, 640);
    EXPECT_DOUBLE_EQ(p.y, 512);
    const DPOINT w = v.ImageToWindow(g, {1280, 1024});
    EXPECT_DOUBLE_EQ(w.x, 648);
    EXPECT_DOUBLE_EQ(w.y, 488);
    int x = 0;
    int y = 0;
    v.WindowToImageInt(g, 9, 9, x, y); // 2.0 and 2.13...
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 2);
    EXPECT_DOUBLE_EQ(v.zoom(g), 0.5);
}

TEST(ViewMapping, MagnifiedMappingRoundTrips) {
    ViewMapping v;
    v.m_Bai = 6; // x2
    v.m_Bai_X = -100.5;
    v.m_Bai_Y = -20;
    const ViewGeometry g{{8, 8, 808, 608}, 1280, 1024};
    const DPOINT p = v.WindowToImage(g, 8 + 41, 8 + 10);
    EXPECT_DOUBLE_EQ(p.x, 20.5 + 100.5);
    EXPECT_DOUBLE_EQ(p.y, 5 + 20);
    const DPOINT back = v.ImageToWindow(g, p);
    EXPECT_DOUBLE_EQ(back.x, 49);
    EXPECT_DOUBLE_EQ(back.y, 18);
    int x = 0;
    int y = 0;
    v.WindowToImageInt(g, 8 + 41, 8 + 10, x, y);
    EXPECT_EQ(x, 121);
    EXPECT_EQ(y, 25);
}

TEST(ViewMapping, PanningStaysWithinTheBounds) {
    ViewMapping v;
    v.m_Bai = 6; // x2
    const ViewGeometry g = Geometry(v, 1280, 1024);
    const double minX = g.area.width() / 2.0 - 1280;
    const double minY = g.area.height() / 2.0 - 1024;
    const DPOINT anchor = v.PanAnchor(300, 300);
    struct Move {
        double x, y;
    };
    for (const Move m : {Move{310, 320}, Move{-5000, 300}, Move{5000, 5000}, Move{100, -3000},
                         Move{300, 300}, Move{250, 260}}) {
        v.PanTo(anchor, m.x, m.y, g);
        EXPECT_LE(v.m_Bai_X, 0) << m.x;
        EXPECT_LE(v.m_Bai_Y, 0) << m.y;
        EXPECT_GE(v.m_Bai_X, minX) << m.x;
        EXPECT_GE(v.m_Bai_Y, minY) << m.y;
    }
    // Inside the bounds the grabbed image point follows the mouse.
    v.m_Bai_X = -200;
    v.m_Bai_Y = -150;
    const DPOINT a = v.PanAnchor(400, 300);
    const DPOINT grabbed = v.WindowToImage(g, 400, 300);
    v.PanTo(a, 380, 290, g);
    const DPOINT now = v.WindowToImage(g, 380, 290);
    EXPECT_DOUBLE_EQ(now.x, grabbed.x);
    EXPECT_DOUBLE_EQ(now.y, grabbed.y);

    ViewMapping fit;
    fit.m_Bai = 0;
    fit.PanTo(fit.PanAnchor(10, 10), 300, 300, g);
    EXPECT_EQ(fit.m_Bai_X, 0);
    EXPECT_EQ(fit.m_Bai_Y, 0);
}

TEST(ViewMapping, WheelKeepsThePixelUnderTheCursor) {
    ViewMapping v;
    v.m_Bai = 6;
    v.m_Bai_X = -300;
    v.m_Bai_Y = -250;
    const ViewGeometry g = Geometry(v, 1280, 1024); // room-limited at every factor >= x1
    for (int n : {7, 11, 21, 3, 1}) {
        const double mx = 200.5;
        const double my = 333;
        const DPOINT before = v.WindowToImage(g, mx, my);
        v.ZoomAbout(n, g, mx, my);
        const DPOINT after = v.WindowToImage(g, mx, my);
        EXPECT_NEAR(after.x, before.x, 1e-9) << n;
        EXPECT_NEAR(after.y, before.y, 1e-9) << n;
    }
    v.ZoomAbout(0, g, 100, 100);
    EXPECT_EQ(v.m_Bai_X, 0);
    EXPECT_EQ(v.m_Bai_Y, 0);
}

TEST(ViewMapping, WheelRowsStopAtTheEnds) {
    EXPECT_EQ(ViewMapping::WheelRow(21, 120, 21), 21);
    EXPECT_EQ(ViewMapping::WheelRow(20, 120, 21), 21);
    EXPECT_EQ(ViewMapping::WheelRow(0, -120, 21), 0);
    EXPECT_EQ(ViewMapping::WheelRow(1, -120, 21), 0);
    EXPECT_EQ(ViewMapping::WheelRow(5, 0, 21), 5);
}

TEST(ViewMapping, SmallPictureGetsAnAreaOfItsSizeAndStaysPut) {
    ViewMapping v;
    v.m_Bai = 6; // x2: 640 x 480 fits the room
    const ViewGeometry g = Geometry(v, 320, 240);
    EXPECT_EQ(g.area.width(), 640);
    EXPECT_EQ(g.area.height(), 480);
    v.Clamp(g.area.width(), g.area.height(), 320, 240);
    EXPECT_EQ(v.m_Bai_X, 0);
    EXPECT_EQ(v.m_Bai_Y, 0);
    v.PanTo(v.PanAnchor(100, 100), 300, 50, g);
    EXPECT_EQ(v.m_Bai_X, 0);
    EXPECT_EQ(v.m_Bai_Y, 0);
}

} // namespace

#include "platform/language.h"

TEST(Magnification, RowNamesInBothLanguages) {
    g_bJapanese = false;
    EXPECT_EQ(MagnificationName(0), "full-screen");
    EXPECT_EQ(MagnificationName(1), "x1");
    EXPECT_EQ(MagnificationName(2), "x1.2");
    EXPECT_EQ(MagnificationName(6), "x2");
    EXPECT_EQ(MagnificationName(20), "x4.8");
    EXPECT_EQ(MagnificationName(21), "x5");
    EXPECT_EQ(MagnificationName(22), "");
    g_bJapanese = true;
    EXPECT_EQ(MagnificationName(0), "全画面表示");
    EXPECT_EQ(MagnificationName(2), "1.2倍");
    EXPECT_EQ(MagnificationName(21), "5倍");
    g_bJapanese = false;
}
