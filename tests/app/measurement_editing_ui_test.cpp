// Editing finished measurements with the right mouse button in the main window.
#include "measuring_fixture.h"

#include "model/geometry.h"
#include "model/label_anchor.h"
#include "view/direction_cursor.h"

#include <cmath>

namespace {

class MeasurementEditingTest : public MeasuringFixture {
protected:
    // Clicks with the tool of button `id`, then disarms it.
    void measureWith(int id, std::vector<DPOINT> pts) {
        arm(id);
        for (const DPOINT& p : pts)
            click(p);
        if (dlg->workingMeasure().kind != 0)
            arm(id);
    }
};

TEST_F(MeasurementEditingTest, PointOfAnEarlierRecordWinsOverALaterLabel) {
    CMeasureDlg& d = openAtX1();
    measureWith(idc::Line, {{100, 100}, {300, 100}});
    measureWith(idc::Line, {{500, 300}, {700, 300}});
    MEASURE* first = record(0);
    MEASURE* second = record(1);
    // The later label dragged over the earlier line's end.
    const DPOINT a = LabelAnchor(*second, 0);
    second->labelOffset[0] = {static_cast<std::int32_t>(295 - a.x), static_cast<std::int32_t>(95 - a.y)};
    paint();
    press({300, 100}, Qt::RightButton);
    EXPECT_EQ(d.editor().m_pEditMeasure, first);
    EXPECT_EQ(d.editor().m_EditPart, 1);
    EXPECT_EQ(d.editor().m_EditIndex, 1);
    EXPECT_TRUE(d.crossCursor());
    release({300, 100}, Qt::RightButton);
    EXPECT_EQ(d.editor().m_bEditDrag, 0);
    EXPECT_EQ(d.editor().m_pEditMeasure, nullptr);
    press({312, 103}, Qt::RightButton);
    EXPECT_EQ(d.editor().m_pEditMeasure, second);
    EXPECT_EQ(d.editor().m_EditPart, 3);
    EXPECT_EQ(d.cursorType(), CursorCode::Move);
    release({312, 103}, Qt::RightButton);
}

TEST_F(MeasurementEditingTest, LabelDragChangesOnlyItsOffset) {
    openAtX1();
    measureWith(idc::Angle, {{400, 100}, {300, 100}, {300, 200}});
    MEASURE* angle = record(0);
    paint();
    const DPOINT a = LabelAnchor(*angle, 0); // (333.3, 133.3)
    const std::vector<std::string> rows = column(2);
    const DPOINT grab{a.x + 4, a.y + 5};
    rightDrag(grab, {{grab.x + 20, grab.y + 10}, {grab.x + 40, grab.y + 25}});
    EXPECT_EQ(angle->labelOffset[0], (LabelOffset{40, 25}));
    EXPECT_EQ(column(2), rows);
    EXPECT_EQ(angle->points[1], (DPOINT{300, 100}));
    EXPECT_EQ(angle->value[0], VertexAngle({400, 100}, {300, 100}, {300, 200}));
}

TEST_F(MeasurementEditingTest, Circle2CentreAndCircumferenceRewriteTheirOwnRows) {
    CMeasureDlg& d = openAtX1();
    measureWith(idc::Circle2, {{100, 600}, {150, 650}, {100, 700}, {400, 600}, {450, 650}, {400, 700}});
    EXPECT_EQ(column(2), (std::vector<std::string>{"1.000", "1.000", "3.000", "0.0"}));
    // The second centre, 100 pixels up: distance and angle only.
    rightDrag({401, 651}, {{401, 600}, {400, 550}});
    EXPECT_EQ(record(0)->center[1], (DPOINT{400, 550}));
    EXPECT_EQ(column(2), (std::vector<std::string>{"1.000", "1.000", "3.162", "18.4"}));
    // The first circumference, out to 80: its diameter only.
    press({100, 700}, Qt::RightButton);
    EXPECT_EQ(d.editor().m_EditPart, 2);
    move({100, 730}, Qt::RightButton);
    EXPECT_EQ(column(2), (std::vector<std::string>{"1.600", "1.000", "3.162", "18.4"}));
    move({157, 707}, Qt::RightButton); // down-right of the centre
    EXPECT_EQ(d.cursorType(), CursorCode::SizeNwSe);
    release({157, 707}, Qt::RightButton);
    EXPECT_EQ(record(0)->center[0], (DPOINT{100, 650}));
    // Hovering: the circumference shows its arrow, the centre the crosshair.
    move({900, 900});
    move({100, 730});
    EXPECT_EQ(d.cursorType(), 0); // straight below the centre: the arrow stays as it was
    move({150, 700});
    EXPECT_EQ(d.cursorType(), CursorCode::SizeNwSe);
    move({400, 550});
    EXPECT_TRUE(d.crossCursor());
    move({900, 900});
    EXPECT_FALSE(d.crossCursor());
    EXPECT_EQ(d.cursorType(), 0);
}

TEST_F(MeasurementEditingTest, SuiBasePointMovesItsSeriesOnly) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Sui);
    for (DPOINT p : {DPOINT{100, 400}, DPOINT{700, 400}, DPOINT{250, 300}, DPOINT{500, 520}})
        click(p);
    // A right click on a measurement while SUI is armed ends the series, no edit left.
    press({250, 300}, Qt::RightButton);
    release({250, 300}, Qt::RightButton);
    EXPECT_EQ(d.editor().m_bEditDrag, 0);
    EXPECT_EQ(d.workingMeasure().pointCount, 0);
    for (DPOINT p : {DPOINT{100, 800}, DPOINT{700, 800}, DPOINT{300, 850}})
        click(p);
    arm(idc::Sui); // disarmed: the right button drags
    EXPECT_EQ(column(2), (std::vector<std::string>{"1.000", "1.200", "0.500"}));
    rightDrag({700, 400}, {{700, 450}, {700, 500}});
    EXPECT_EQ(record(0)->points[1], (DPOINT{700, 500}));
    EXPECT_EQ(record(1)->points[1], (DPOINT{700, 500}));
    EXPECT_EQ(record(2)->points[1], (DPOINT{700, 800}));
    const std::vector<std::string> v = column(2);
    EXPECT_NE(v[0], "1.000");
    EXPECT_NE(v[1], "1.200");
    EXPECT_EQ(v[2], "0.500");
    // Perpendicular distance of (250, 300) from the line (100, 400)-(700, 500).
    const double expected = std::fabs(600.0 * (300 - 400) - 100.0 * (250 - 100)) / std::hypot(600, 100) * 0.01;
    EXPECT_NEAR(record(0)->value[0], expected, 1e-9);
}

TEST_F(MeasurementEditingTest, AriaAreaRowChangesAtTheRelease) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Aria);
    for (DPOINT p : {DPOINT{100, 100}, DPOINT{300, 100}, DPOINT{300, 300}})
        click(p);
    doubleClickWindow(at({100, 300}));
    arm(idc::Aria);
    const std::string before = column(2)[0];
    press({300, 300}, Qt::RightButton);
    move({400, 400}, Qt::RightButton);
    EXPECT_EQ(record(0)->points[2], (DPOINT{400, 400}));
    EXPECT_EQ(column(2)[0], before);
    release({400, 400}, Qt::RightButton);
    EXPECT_NE(column(2)[0], before);
    EXPECT_GT(std::stod(column(2)[0]), std::stod(before));
    EXPECT_EQ(d.editor().m_bEditDrag, 0);
}

TEST_F(MeasurementEditingTest, ShiftDragsKeepTheLengthAndLandOnTheStep) {
    CMeasureDlg& d = openAtX1();
    d.settings().color.angle = 30;
    measureWith(idc::Line, {{200, 200}, {400, 200}});
    rightDrag({400, 200}, {{380, 150}, {370, 110}}, Qt::ShiftModifier); // 27.9 degrees: 30
    const MEASURE* line = record(0);
    EXPECT_NEAR(std::hypot(line->points[1].x - 200, line->points[1].y - 200), std::hypot(170, 90), 1e-9);
    EXPECT_EQ(column(2)[1], "30.0");
    EXPECT_NEAR(line->value[1], 30.0, 1e-5);
    // SUI base points land on whole pixels.
    measureWith(idc::Sui, {{600, 600}, {800, 600}, {700, 500}});
    rightDrag({800, 600}, {{781, 539}}, Qt::ShiftModifier); // 17.7 degrees: 30
    const MEASURE* sui = record(1);
    EXPECT_EQ(sui->points[1].x, std::trunc(sui->points[1].x));
    EXPECT_EQ(sui->points[1].y, std::trunc(sui->points[1].y));
    EXPECT_NEAR(DirectionAngle(sui->points[1], sui->points[0], 0), 30.0, 0.5);
    EXPECT_NEAR(std::hypot(sui->points[1].x - 600, sui->points[1].y - 600), std::hypot(181, 61), 1.0);
}

} // namespace
