#include "calib/scale_bar.h"

#include <gtest/gtest.h>

namespace {

ScaleData Bar(int type = 0) {
    ScaleData d;
    d.Visible = 1;
    d.Type = type;
    d.unit = 1;
    d.Pos = {590, 430};
    d.Size = {10, 5};
    d.mpp = {0.05, 0.1};
    return d;
}

TEST(ScaleBar, XBarHasBothTicksAndTheLabel) {
    const auto s = ScaleBarGeometry(Bar());
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->lenX, 200);
    ASSERT_EQ(s->segments.size(), 3u);
    EXPECT_EQ(s->segments[0].from, (DPOINT{590, 430}));
    EXPECT_EQ(s->segments[0].to, (DPOINT{390, 430}));
    EXPECT_EQ(s->segments[1].from, (DPOINT{390, 425}));
    EXPECT_EQ(s->segments[1].to, (DPOINT{390, 435}));
    EXPECT_EQ(s->segments[2].from, (DPOINT{590, 425}));
    EXPECT_EQ(s->label, "10.00mm");
    EXPECT_EQ(s->labelTopLeft, (DPOINT{590 - 100 - 30, 445}));
}

TEST(ScaleBar, XYBarGoesUpWithoutRightTick) {
    const auto s = ScaleBarGeometry(Bar(1));
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->lenY, 50);
    ASSERT_EQ(s->segments.size(), 4u);
    EXPECT_EQ(s->segments[2].from, (DPOINT{590, 430}));
    EXPECT_EQ(s->segments[2].to, (DPOINT{590, 380}));
    EXPECT_EQ(s->segments[3].from, (DPOINT{585, 380}));
    EXPECT_EQ(s->segments[3].to, (DPOINT{595, 380}));
}

TEST(ScaleBar, UnsetCalibrationHasNoBarAndCannotBeTaken) {
    for (const DoublePair mpp : {DoublePair{0, 0.1}, DoublePair{0.05, 0}, DoublePair{-0.05, 0.1},
                                 DoublePair{1e-300, 0.1}}) {
        ScaleData d = Bar(1);
        d.mpp = mpp;
        EXPECT_FALSE(ScaleBarGeometry(d)) << mpp.x << " " << mpp.y;
        EXPECT_FALSE(ScaleBarGrab(d, {500, 430}));
        EXPECT_EQ(d.dragging, 0);
    }
}

TEST(ScaleBar, GrabDragAndRelease) {
    ScaleData d = Bar(1);
    // Hidden: not taken.
    d.Visible = 0;
    EXPECT_FALSE(ScaleBarGrab(d, {500.7, 431}));
    d.Visible = 1;
    // Ends and the band edges are outside (strict comparisons).
    EXPECT_FALSE(ScaleBarHit(d, {590, 430}));
    EXPECT_FALSE(ScaleBarHit(d, {390, 430}));
    EXPECT_FALSE(ScaleBarHit(d, {500, 435}));
    EXPECT_TRUE(ScaleBarHit(d, {390.5, 434.9}));

    ASSERT_TRUE(ScaleBarGrab(d, {500.7, 431}));
    EXPECT_EQ(d.dragging, 1);
    EXPECT_EQ(d.dragDx, 500 - 590);
    EXPECT_EQ(d.dragDy, 0);
    EXPECT_TRUE(ScaleBarDrag(d, {520.2, 300.9}));
    EXPECT_EQ(d.Pos.x, 520 + 90);
    EXPECT_EQ(d.Pos.y, 300);
    ScaleBarRelease(d);
    EXPECT_FALSE(ScaleBarDrag(d, {0, 0}));
    EXPECT_EQ(d.Pos.x, 610);

    // The Y bar of the X-Y bar.
    ASSERT_TRUE(ScaleBarGrab(d, {611, 280.5}));
    EXPECT_EQ(d.dragDx, 0);
    EXPECT_EQ(d.dragDy, 280 - 300);
    ScaleBarDrag(d, {100, 200});
    EXPECT_EQ(d.Pos.x, 100);
    EXPECT_EQ(d.Pos.y, 220);
    // An X bar has no Y part to take.
    ScaleData x = Bar(0);
    EXPECT_FALSE(ScaleBarGrab(x, {590, 400}));
}

TEST(ScaleBar, PositionPresets) {
    const DoublePair mpp{0.05, 0.1};
    struct Case {
        int row;
        int x, y;
    };
    for (const Case c : {Case{0, 200 + 50, 50 + 50}, Case{1, 250, 430}, Case{2, 590, 100},
                         Case{3, 590, 430}, Case{4, 320, 240}}) {
        const auto p = ScaleBarPresetPosition(c.row, 10, 5, mpp, 640, 480);
        ASSERT_TRUE(p) << c.row;
        EXPECT_EQ(p->x, c.x) << c.row;
        EXPECT_EQ(p->y, c.y) << c.row;
    }
    EXPECT_FALSE(ScaleBarPresetPosition(5, 10, 5, mpp, 640, 480));
    const auto unset = ScaleBarPresetPosition(0, 10, 5, {0, 0}, 640, 480);
    ASSERT_TRUE(unset);
    EXPECT_EQ(unset->x, 50);
    EXPECT_EQ(unset->y, 50);
}

} // namespace
