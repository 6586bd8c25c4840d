#include "calib/calib_drag.h"

#include <gtest/gtest.h>

namespace {

class CalibDragTest : public testing::Test {
protected:
    CALIBRATION c; // cross 0..200 both ways: centre (100, 100)
    IntRect set{10, 10, 630, 470};
    int corner = 0;

    CalibDragCursor press(double x, double y) { return CalibDragBegin(c, set, corner, {x, y}); }
    CalibDragStep move(double x, double y, bool inside = true) {
        return CalibDragMove(c, set, corner, {x, y}, inside);
    }
};

TEST_F(CalibDragTest, HitTestsInOrderWithTheNearRule) {
    struct Case {
        double x, y;
        int mode;
        int corner;
        CalibDragCursor cursor;
    };
    using C = CalibDragCursor;
    const Case cases[] = {
        {100, 100, 1, 0, C::SizeAll},
        {109.9, 110, 1, 0, C::SizeAll},   // t - 10 < v <= t + 10
        {90, 100, 0, 0, C::None},         // 90 is not above 100 - 10
        {100, 5, 2, 0, C::SizeVertical},
        {95, -9.5, 2, 0, C::SizeVertical},
        {100, 195, 3, 0, C::SizeVertical},
        {100, 210, 3, 0, C::SizeVertical},
        {4, 100, 4, 0, C::SizeHorizontal},
        {205, 99, 5, 0, C::SizeHorizontal},
        {150, 150, 0, 0, C::None},
        {12.9, 15.5, 0, 1, C::SizeAll},   // corners in whole pixels, |d| < 10
        {625, 19.9, 0, 2, C::SizeAll},
        {19.99, 461, 0, 3, C::SizeAll},
        {639.9, 479, 0, 4, C::SizeAll},   // 639 and 479: 9 away
        {640, 470, 0, 0, C::None},        // 10 away is too far
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.x << ", " << k.y);
        c = CALIBRATION{};
        corner = 0;
        EXPECT_EQ(press(k.x, k.y), k.cursor);
        EXPECT_EQ(c.dragMode, k.mode);
        EXPECT_EQ(corner, k.corner);
        if (k.mode != 0) {
            EXPECT_EQ(c.dragLast.x, k.x);
            EXPECT_EQ(c.dragLast.y, k.y);
        }
    }
}

TEST_F(CalibDragTest, ALaterTestWinsOnAShortBar) {
    // Bars 16 long: the centre is also near the left end, which is tested later.
    c.left = c.top = 92;
    c.right = c.bottom = 108;
    EXPECT_EQ(press(100, 100), CalibDragCursor::SizeHorizontal);
    EXPECT_EQ(c.dragMode, 4);
}

TEST_F(CalibDragTest, DraggingTheRightEndStretchesTheBarBothWays) {
    press(200, 100);
    ASSERT_EQ(c.dragMode, 5);
    const CalibDragStep s = move(215, 103);
    EXPECT_TRUE(s.moved);
    EXPECT_TRUE(s.displayChanged);
    EXPECT_EQ(c.left, -15);
    EXPECT_EQ(c.right, 215);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.bottom, 200);
    EXPECT_EQ(c.dragLast.x, 215);
    CalibDragEnd(c, corner);
    EXPECT_EQ(c.dragMode, 0);
    // The factors follow only on OK or at the next start.
    EXPECT_EQ(c.mpp.x, 0.0);
}

TEST_F(CalibDragTest, EveryPartMovesItsOwnWay) {
    struct Case {
        double px, py; // press
        double dx, dy; // then move by
        double left, top, right, bottom;
        bool display;
    };
    const Case cases[] = {
        {100, 100, 12, -7, 12, -7, 212, 193, false}, // whole cross
        {100, 0, 3, 10, 0, 10, 200, 190, true},      // top end down: shrinks
        {100, 0, 3, -10, 0, -10, 200, 210, true},    // top end up: grows
        {100, 200, 0, 10, 0, -10, 200, 210, true},   // bottom end down: grows
        {0, 100, 10, 50, 10, 0, 190, 200, true},     // left end right: shrinks
        {200, 100, -20, 0, 20, 0, 180, 200, true},   // right end left: shrinks
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.px << ", " << k.py);
        c = CALIBRATION{};
        press(k.px, k.py);
        const CalibDragStep s = move(k.px + k.dx, k.py + k.dy);
        EXPECT_TRUE(s.moved);
        EXPECT_EQ(s.displayChanged, k.display);
        EXPECT_EQ(c.left, k.left);
        EXPECT_EQ(c.top, k.top);
        EXPECT_EQ(c.right, k.right);
        EXPECT_EQ(c.bottom, k.bottom);
    }
}

TEST_F(CalibDragTest, AnEndDraggedInwardStopsAtFortyPixels) {
    press(200, 100);
    double x = 200;
    // Inward in steps of 7: 200, 186, ..., the bar never goes below 40.
    for (int i = 0; i < 30; ++i)
        move(x -= 7, 100);
    EXPECT_EQ(c.right - c.left, 40);
    EXPECT_EQ(c.left + (c.right - c.left) / 2, 100); // still centred
    // At the limit an inward step is refused and the drag point stays.
    const double last = c.dragLast.x;
    EXPECT_FALSE(move(x - 1, 100).moved);
    EXPECT_EQ(c.dragLast.x, last);
    EXPECT_EQ(c.right - c.left, 40);
    // Outward is still allowed.
    EXPECT_TRUE(move(last + 5, 100).moved);
    EXPECT_EQ(c.right - c.left, 50);
    // One long inward jump ends at the limit instead of turning the bar inside out.
    move(last - 300, 100);
    EXPECT_EQ(c.right - c.left, 40);
    EXPECT_EQ(c.right, 120);
}

TEST_F(CalibDragTest, TheVerticalBarStopsToo) {
    c.top = 80;
    c.bottom = 124; // 44 long, centre 102
    press(100, 124);
    ASSERT_EQ(c.dragMode, 3);
    move(100, 122); // bottom end up by 2: 40
    EXPECT_EQ(c.bottom - c.top, 40);
    EXPECT_FALSE(move(100, 121).moved);
    EXPECT_EQ(c.bottom - c.top, 40);
}

TEST_F(CalibDragTest, CornersFollowTheMouseInWholePixels) {
    const int corners[4][2] = {{10, 10}, {630, 10}, {10, 470}, {630, 470}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        set = {10, 10, 630, 470};
        ASSERT_EQ(press(corners[i][0] + 0.5, corners[i][1] + 0.5), CalibDragCursor::SizeAll);
        ASSERT_EQ(corner, i + 1);
        EXPECT_TRUE(move(300.9, 200.2).moved);
        const IntRect want[4] = {{300, 200, 630, 470}, {10, 200, 300, 470}, {300, 10, 630, 200}, {10, 10, 300, 200}};
        EXPECT_EQ(set, want[i]);
        CalibDragEnd(c, corner);
        EXPECT_EQ(corner, 0);
        EXPECT_FALSE(move(1, 1).moved);
    }
}

TEST_F(CalibDragTest, LeavingThePictureLetsGo) {
    press(100, 100);
    const CalibDragStep s = move(5000, 100, false);
    EXPECT_TRUE(s.released);
    EXPECT_FALSE(s.moved);
    EXPECT_EQ(c.dragMode, 0);
    EXPECT_EQ(c.left, 0);
    EXPECT_FALSE(move(120, 120).moved);
    press(10, 10);
    ASSERT_EQ(corner, 1);
    move(-1, -1, false);
    EXPECT_EQ(corner, 0);
    EXPECT_EQ(set, (IntRect{10, 10, 630, 470}));
}

TEST_F(CalibDragTest, APressAwayFromEverythingHoldsNothing) {
    c.dragMode = 3; // left over from a drag whose button-up was lost
    corner = 2;
    EXPECT_EQ(press(400, 300), CalibDragCursor::None);
    EXPECT_EQ(c.dragMode, 0);
    EXPECT_EQ(corner, 0);
    EXPECT_FALSE(move(410, 310).moved);
    // A mouse far outside int range does not overflow the whole-pixel test.
    EXPECT_EQ(press(1e300, -1e300), CalibDragCursor::None);
}

} // namespace
