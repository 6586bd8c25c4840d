#include "view/measure_editor.h"

#include "model/geometry.h"
#include "model/label_anchor.h"
#include "tool_test_support.h"
#include "view/direction_cursor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class MeasureEditorTest : public ::testing::Test {
protected:
    MeasureEditorTest() { editor.setRows(bench.sink()); }

    static HitTestOptions Options() {
        HitTestOptions o;
        o.measure = [](const std::string& s) { return LabelExtent{8 * static_cast<int>(s.size()), 12}; };
        return o;
    }

    // Right press at `from`, moves to each of `to`, right release.
    void drag(const DPOINT& from, std::vector<DPOINT> to, bool shift = false) {
        ASSERT_TRUE(editor.BeginEdit(from, Options()));
        for (const DPOINT& p : to)
            editor.EditDrag(p, bench.env(shift));
        editor.EndEdit(false, bench.env(shift));
    }

    ToolBench bench;
    CMeasureEditor editor{bench.chain};
};

TEST_F(MeasureEditorTest, LabelDragChangesOnlyItsOffsetAndKeepsTheGrab) {
    MEASURE* line = bench.add(MeasureKind::Line, {{100, 100}, {300, 100}});
    line->labelText[0] = "2.000mm";
    const std::vector<std::string> before = bench.values();
    const DPOINT anchor = LabelAnchor(*line, 0); // (200, 100)
    const MeasureHit hit = editor.BeginEdit({210, 105}, Options());
    EXPECT_EQ(hit.part, HitPart::Label);
    EXPECT_EQ(editor.m_bEditDrag, 1);
    EXPECT_EQ(editor.m_EditGrab, (DPOINT{210, 105}));
    const EditStep s = editor.EditDrag({240.7, 95.2}, bench.env());
    EXPECT_TRUE(s.changed);
    EXPECT_EQ(s.cursor, CursorCode::Move);
    EXPECT_EQ(line->labelOffset[0], (LabelOffset{30, -9})); // truncated toward zero
    EXPECT_EQ(LabelAnchor(*line, 0), (DPOINT{anchor.x + 30, anchor.y - 9}));
    editor.EndEdit(false, bench.env());
    EXPECT_EQ(editor.m_bEditDrag, 0);
    EXPECT_EQ(editor.m_pEditMeasure, nullptr);
    // A second drag starts from the moved label.
    ASSERT_TRUE(editor.BeginEdit({240, 100}, Options()));
    EXPECT_EQ(editor.m_EditGrab, (DPOINT{210, 109}));
    editor.EditDrag({250, 100}, bench.env());
    EXPECT_EQ(line->labelOffset[0], (LabelOffset{40, -9}));
    EXPECT_EQ(bench.values(), before);
    EXPECT_EQ(bench.rewrites, 0);
    EXPECT_EQ(line->points[0], (DPOINT{100, 100}));
}

TEST_F(MeasureEditorTest, PointDragsRecomputeLineAndAngle) {
    MEASURE* line = bench.add(MeasureKind::Line, {{100, 100}, {200, 100}});
    MEASURE* angle = bench.add(MeasureKind::Angle, {{10, 200}, {10, 250}, {60, 250}});
    drag({200, 100}, {{150, 150}, {100, 200}});
    EXPECT_EQ(line->points[1], (DPOINT{100, 200}));
    EXPECT_EQ(bench.values(), (std::vector<std::string>{"1.000", "270.0", "90.0"}));
    drag({10, 200}, {{60, 200}});
    EXPECT_EQ(angle->points[0], (DPOINT{60, 200}));
    EXPECT_EQ(bench.values()[2], "45.0");
    // A press on nothing starts nothing.
    EXPECT_FALSE(editor.BeginEdit({390, 290}, Options()));
    EXPECT_EQ(editor.m_bEditDrag, 0);
    EXPECT_FALSE(editor.EditDrag({380, 280}, bench.env()).changed);
}

TEST_F(MeasureEditorTest, ShiftDragOfALineEndKeepsTheLengthAndLandsOnTheStep) {
    MEASURE* line = bench.add(MeasureKind::Line, {{100, 100}, {200, 100}});
    // The end: about its start.
    drag({200, 100}, {{190, 60}}, true);
    const double len = std::hypot(90, 40);
    EXPECT_NEAR(std::hypot(line->points[1].x - 100, line->points[1].y - 100), len, 1e-9);
    EXPECT_NEAR(line->value[1], 45.0, 1e-5);
    // The start: about the end; the line's own direction is what is rounded.
    const DPOINT end = line->points[1];
    drag({100, 100}, {{end.x - 30, end.y + 95}}, true);
    EXPECT_NEAR(std::hypot(line->points[0].x - end.x, line->points[0].y - end.y), std::hypot(30, 95), 1e-9);
    EXPECT_NEAR(line->value[1], 90.0, 1e-5);
    EXPECT_EQ(line->points[0].x, end.x);
}

TEST_F(MeasureEditorTest, Circle2CentreAndCircumferenceChangeTheirOwnRows) {
    MEASURE* c2 = bench.add(MeasureKind::Circle2,
                            {{100, 50}, {150, 100}, {100, 150}, {300, 50}, {350, 100}, {300, 150}});
    EXPECT_EQ(bench.values(), (std::vector<std::string>{"1.000", "1.000", "2.000", "0.0"}));
    drag({302, 101}, {{300, 0}}); // the second centre, 100 up
    EXPECT_EQ(c2->center[1], (DPOINT{300, 0}));
    EXPECT_EQ(bench.values(), (std::vector<std::string>{"1.000", "1.000", "2.236", "26.6"}));
    EXPECT_EQ(c2->radius[1], 50.0);
    // The first circle's circumference: only its diameter.
    ASSERT_TRUE(editor.BeginEdit({100, 152}, Options()));
    EXPECT_EQ(editor.m_EditPart, HitPart::Circumference);
    const EditStep s = editor.EditDrag({130, 140}, bench.env());
    EXPECT_EQ(s.cursor, CursorCode::SizeNwSe);
    EXPECT_FALSE(s.crossCursor);
    editor.EditDrag({100, 180}, bench.env());
    editor.EndEdit(false, bench.env());
    EXPECT_EQ(c2->radius[0], 80.0);
    EXPECT_EQ(c2->center[0], (DPOINT{100, 100}));
    EXPECT_EQ(bench.values(), (std::vector<std::string>{"1.600", "1.000", "2.236", "26.6"}));
    // The dragged radius survives a change of calibration.
    bench.calibration.mpp = {0.02, 0.02};
    RecomputeForCalibration(*c2, bench.calibration, bench.picture);
    EXPECT_NEAR(c2->value[0], 3.2, 1e-12);
}

TEST_F(MeasureEditorTest, Circle2CentreWithShiftTurnsAboutTheOtherCentre) {
    MEASURE* c2 = bench.add(MeasureKind::Circle2,
                            {{100, 50}, {150, 100}, {100, 150}, {300, 50}, {350, 100}, {300, 150}});
    drag({100, 100}, {{110, 190}}, true); // the first centre, 190 x 90 from the second
    EXPECT_NEAR(std::hypot(c2->center[0].x - 300, c2->center[0].y - 100), std::hypot(190, 90), 1e-9);
    EXPECT_NEAR(c2->value[3], 45.0, 1e-5); // first -> second rounded
}

TEST_F(MeasureEditorTest, CircleCentreWithShiftMovesAlongTheStepFromWhereItWasGrabbed) {
    MEASURE* c = bench.add(MeasureKind::Circle, {{100, 50}, {150, 100}, {100, 150}});
    const std::vector<std::string> before = bench.values();
    drag({101, 99}, {{140, 112}}, true);
    EXPECT_NEAR(c->center[0].x, 100 + std::hypot(40, 12), 1e-9);
    EXPECT_EQ(c->center[0].y, 100.0);
    EXPECT_EQ(bench.values(), before); // the diameter stays
    drag({c->center[0].x, 100}, {{c->center[0].x + 3, 120}});
    EXPECT_NEAR(c->center[0].x, 100 + std::hypot(40, 12) + 3, 1e-9);
    EXPECT_EQ(c->center[0].y, 120.0);
}

TEST_F(MeasureEditorTest, SuiBasePointMovesTheLaterRecordsOfItsSeries) {
    MEASURE* other = bench.add(MeasureKind::Sui, {{0, 100}, {200, 100}, {50, 10}});     // same line, earlier
    MEASURE* edited = bench.add(MeasureKind::Sui, {{0, 100}, {200, 100}, {50, 40}});
    MEASURE* later = bench.add(MeasureKind::Sui, {{0, 100}, {200, 100}, {120, 180}});
    MEASURE* foreign = bench.add(MeasureKind::Sui, {{0, 0}, {200, 0}, {10, 30}});
    EXPECT_EQ(bench.values(), (std::vector<std::string>{"0.900", "0.600", "0.800", "0.300"}));
    // A press on the shared base point hits the first record of the series; the
    // second one is edited here as if it had been hit.
    EXPECT_EQ(editor.BeginEdit({200, 100}, Options()).record, other);
    editor.m_pEditMeasure = edited;
    for (const DPOINT& p : {DPOINT{200, 150}, DPOINT{200, 200}})
        editor.EditDrag(p, bench.env());
    editor.EndEdit(false, bench.env());
    EXPECT_EQ(edited->points[1], (DPOINT{200, 200}));
    EXPECT_EQ(later->points[1], (DPOINT{200, 200}));
    EXPECT_EQ(other->points[1], (DPOINT{200, 100}));
    EXPECT_EQ(foreign->points[1], (DPOINT{200, 0}));
    const std::vector<std::string> v = bench.values();
    EXPECT_EQ(v[0], "0.900");
    EXPECT_NE(v[1], "0.600");
    EXPECT_NE(v[2], "0.800");
    EXPECT_EQ(v[3], "0.300");
    EXPECT_NEAR(edited->value[0], CalibratedLength(edited->points[2], edited->points[3], bench.calibration), 1e-12);
    // The measured point of one record moves that record only.
    drag({120, 180}, {{120, 190}});
    EXPECT_EQ(later->points[2], (DPOINT{120, 190}));
    EXPECT_EQ(edited->points[2], (DPOINT{50, 40}));
}

TEST_F(MeasureEditorTest, SuiBasePointWithShiftLandsOnWholePixels) {
    MEASURE* sui = bench.add(MeasureKind::Sui, {{100, 100}, {200, 100}, {150, 50}});
    MEASURE* later = bench.add(MeasureKind::Sui, {{100, 100}, {200, 100}, {150, 150}});
    drag({200, 100}, {{170.3, 40.6}}, true);
    const DPOINT n = sui->points[1];
    EXPECT_EQ(n.x, std::trunc(n.x));
    EXPECT_EQ(n.y, std::trunc(n.y));
    EXPECT_NEAR(DirectionAngle(n, sui->points[0], 0), 45.0, 0.5);
    EXPECT_EQ(later->points[1], n);
}

TEST_F(MeasureEditorTest, AriaAreaFollowsAtTheRelease) {
    MEASURE* aria = bench.add(MeasureKind::Aria, {{10, 10}, {110, 10}, {110, 110}, {10, 110}});
    const std::string before = bench.values()[0];
    const double area = aria->value[0];
    ASSERT_TRUE(editor.BeginEdit({110, 110}, Options()));
    EXPECT_TRUE(editor.EditDrag({210, 210}, bench.env()).changed);
    EXPECT_EQ(aria->points[2], (DPOINT{210, 210}));
    EXPECT_EQ(bench.values()[0], before);
    EXPECT_EQ(aria->value[0], area);
    EXPECT_TRUE(editor.EndEdit(false, bench.env()));
    EXPECT_GT(aria->value[0], area);
    EXPECT_EQ(aria->value[0], aria->value[1]);
    EXPECT_NE(bench.values()[0], before);
    // With SUI armed the release counts nothing.
    const double now = aria->value[0];
    ASSERT_TRUE(editor.BeginEdit({210, 210}, Options()));
    editor.EditDrag({110, 110}, bench.env());
    EXPECT_FALSE(editor.EndEdit(true, bench.env()));
    EXPECT_EQ(aria->value[0], now);
    EXPECT_EQ(editor.m_bEditDrag, 0);
}

TEST_F(MeasureEditorTest, SnappingAppliesToPointsButNotToLabelsOrCircumferences) {
    MEASURE* line = bench.add(MeasureKind::Line, {{100, 100}, {200, 100}});
    MEASURE* circle = bench.add(MeasureKind::Circle, {{300, 50}, {350, 100}, {300, 150}});
    line->labelText[0] = "1.000mm";
    ToolEnvironment env = bench.env();
    env.snapToEdge = [](const DPOINT& p) { return DPOINT{std::round(p.x / 10) * 10, std::round(p.y / 10) * 10}; };
    ASSERT_TRUE(editor.BeginEdit({200, 100}, Options()));
    EditStep s = editor.EditDrag({233, 147}, env);
    EXPECT_TRUE(s.snapped);
    EXPECT_EQ(s.cursor, CursorCode::Ring);
    EXPECT_EQ(line->points[1], (DPOINT{230, 150}));
    s = editor.EditDrag({230, 150}, env); // already on the edge: not moved by snapping
    EXPECT_FALSE(s.snapped);
    EXPECT_TRUE(s.crossCursor);
    editor.EndEdit(false, env);
    ASSERT_TRUE(editor.BeginEdit({170, 130}, Options())); // the label, now at (165, 125)
    editor.EditDrag({178, 132}, env);
    EXPECT_EQ(line->labelOffset[0], (LabelOffset{8, 2}));
    editor.EndEdit(false, env);
    ASSERT_TRUE(editor.BeginEdit({350, 100}, Options()));
    editor.EditDrag({357, 100}, env);
    EXPECT_EQ(circle->radius[0], 57.0);
}

TEST_F(MeasureEditorTest, ARecordRemovedDuringTheDragIsLetGo) {
    bench.add(MeasureKind::Line, {{100, 100}, {200, 100}});
    ASSERT_TRUE(editor.BeginEdit({200, 100}, Options()));
    bench.rows.Clear();
    bench.chain.RemoveAll();
    EXPECT_FALSE(editor.EditDrag({250, 100}, bench.env()).changed);
    EXPECT_EQ(editor.m_bEditDrag, 0);
    EXPECT_FALSE(editor.EndEdit(false, bench.env()));
}

} // namespace
