#include "view/measure_tools.h"

#include "model/geometry.h"
#include "tool_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

class MeasureToolsTest : public ::testing::Test {
protected:
    MeasureToolsTest() { tools.setRows(bench.sink()); }

    void click(std::vector<DPOINT> pts, bool shift = false) {
        for (const DPOINT& p : pts)
            tools.AddPoint(p, bench.env(shift));
    }

    ToolBench bench;
    MEASURE working;
    CMeasureTools tools{working, bench.chain};
};

TEST_F(MeasureToolsTest, ResetToolArmsWithRoomForTenPoints) {
    working.labelText[1] = "12.5degree";
    working.value[0] = 3;
    working.center[1] = {4, 5};
    working.radius[0] = 6;
    working.labelOffset[2] = {7, 8};
    working.unit = 2;
    tools.ResetTool(MeasureKind::Circle);
    EXPECT_EQ(working.kind, MeasureKind::Circle);
    EXPECT_EQ(tools.armed(), MeasureKind::Circle);
    EXPECT_EQ(working.pointCount, 0);
    EXPECT_EQ(working.points.size(), 10);
    EXPECT_EQ(working.unit, 0);
    EXPECT_EQ(working.value[0], 0);
    EXPECT_EQ(working.center[1], DPOINT{});
    EXPECT_EQ(working.radius[0], 0);
    EXPECT_EQ(working.labelOffset[2], LabelOffset{});
    EXPECT_EQ(working.labelText[1], "12.5degree"); // the text stays as it was
    tools.ResetTool(0);
    EXPECT_EQ(working.kind, 0);
    EXPECT_EQ(working.points.size(), 0);
    for (int bad : {7, -1, -3}) {
        tools.ResetTool(bad);
        EXPECT_EQ(working.kind, 0) << bad;
    }
    // Without a tool a point goes nowhere.
    EXPECT_FALSE(tools.AddPoint({1, 1}, bench.env()).placed);
    EXPECT_EQ(working.pointCount, 0);
}

TEST_F(MeasureToolsTest, PointArrayGrowsTenThirtyNinety) {
    tools.ResetTool(MeasureKind::Aria);
    std::vector<int> sizes;
    for (int i = 0; i < 91; ++i) {
        ASSERT_TRUE(tools.AddPoint({double(i), double(2 * i)}, bench.env()).placed);
        if (sizes.empty() || sizes.back() != working.points.size())
            sizes.push_back(working.points.size());
    }
    EXPECT_EQ(sizes, (std::vector<int>{10, 30, 90, 270}));
    EXPECT_EQ(working.pointCount, 91);
    for (int i = 0; i < 91; ++i)
        ASSERT_EQ(working.points[i], (DPOINT{double(i), double(2 * i)})) << i;
    EXPECT_EQ(bench.chain.GetCount(), 0); // ARIA waits for the double-click
}

TEST_F(MeasureToolsTest, EachToolFilesWhenItHasItsPoints) {
    struct Case {
        int tool;
        std::vector<DPOINT> pts;
        std::vector<std::string> values; // rows of the filed record
    } cases[] = {
        {MeasureKind::Line, {{10, 10}, {110, 10}}, {"1.000", "0.0"}},
        {MeasureKind::Circle, {{100, 50}, {150, 100}, {100, 150}}, {"1.000"}},
        {MeasureKind::Circle2, {{100, 50}, {150, 100}, {100, 150}, {300, 50}, {350, 100}, {300, 150}},
         {"1.000", "1.000", "2.000", "0.0"}},
        {MeasureKind::Angle, {{110, 10}, {10, 10}, {10, 110}}, {"90.0"}},
    };
    for (const Case& c : cases) {
        bench.chain.RemoveAll();
        bench.rows.Clear();
        tools.ResetTool(c.tool);
        for (std::size_t i = 0; i + 1 < c.pts.size(); ++i) {
            const ToolStep s = tools.AddPoint(c.pts[i], bench.env());
            EXPECT_TRUE(s.placed);
            EXPECT_EQ(s.filed, 0);
        }
        EXPECT_EQ(bench.chain.GetCount(), 0) << c.tool;
        EXPECT_EQ(tools.AddPoint(c.pts.back(), bench.env()).filed, 1) << c.tool;
        ASSERT_EQ(bench.chain.GetCount(), 1) << c.tool;
        const MEASURE& m = *bench.chain.current;
        EXPECT_EQ(m.kind, -c.tool);
        EXPECT_EQ(m.unit, 1);
        EXPECT_EQ(m.pointCount, static_cast<int>(c.pts.size()));
        EXPECT_EQ(bench.values(), c.values) << c.tool;
        for (const ResultListRow& r : bench.rows.rows())
            EXPECT_EQ(r.record, &m);
        // Armed again, with no points.
        EXPECT_EQ(working.kind, c.tool);
        EXPECT_EQ(working.pointCount, 0);
        EXPECT_EQ(working.points.size(), 10);
    }
}

TEST_F(MeasureToolsTest, LineWithShiftTurnsItsEndToTheStep) {
    tools.ResetTool(MeasureKind::Line);
    const double r = 23.0 * std::numbers::pi / 180.0;
    click({{100, 200}, {100 + 50 * std::cos(r), 200 - 50 * std::sin(r)}}, true);
    ASSERT_EQ(bench.chain.GetCount(), 1);
    const MEASURE& m = *bench.chain.current;
    EXPECT_NEAR(std::hypot(m.points[1].x - 100, m.points[1].y - 200), 50.0, 1e-9);
    EXPECT_NEAR(m.value[1], 45.0, 1e-5);
    EXPECT_EQ(bench.values()[1], "45.0");
    // Step 10: 15 degrees goes down to 10; without SHIFT the end stays.
    bench.step = 10;
    const double q = 15.2 * std::numbers::pi / 180.0;
    click({{0, 0}, {40 * std::cos(q), -40 * std::sin(q)}}, true);
    EXPECT_EQ(bench.values()[3], "10.0");
    click({{0, 0}, {40 * std::cos(q), -40 * std::sin(q)}}, false);
    EXPECT_EQ(bench.values()[5], "15.2");
}

TEST_F(MeasureToolsTest, AriaClosesOverWhateverIsPlaced) {
    tools.ResetTool(MeasureKind::Aria);
    click({{10, 10}, {20, 10}, {20, 20}, {10, 20}, {5, 15}});
    EXPECT_TRUE(tools.CloseAria(bench.env()));
    ASSERT_EQ(bench.chain.GetCount(), 1);
    EXPECT_EQ(bench.chain.current->kind, -MeasureKind::Aria);
    EXPECT_EQ(bench.chain.current->pointCount, 5);
    EXPECT_GT(bench.chain.current->value[0], 0.0);
    EXPECT_EQ(bench.chain.current->value[0], bench.chain.current->value[1]);
    EXPECT_EQ(working.kind, MeasureKind::Aria);
    EXPECT_EQ(working.pointCount, 0);
    // None placed: an empty record of area 0, with the calibration's unit.
    EXPECT_TRUE(tools.CloseAria(bench.env()));
    ASSERT_EQ(bench.chain.GetCount(), 2);
    EXPECT_EQ(bench.chain.current->pointCount, 0);
    EXPECT_EQ(bench.chain.current->value[0], 0.0);
    EXPECT_EQ(bench.chain.current->unit, 1);
    EXPECT_EQ(bench.values().back(), "0.000");
    // Other tools ignore the double-click.
    tools.ResetTool(MeasureKind::Line);
    click({{1, 1}});
    EXPECT_FALSE(tools.CloseAria(bench.env()));
    EXPECT_EQ(working.pointCount, 1);
    EXPECT_EQ(bench.chain.GetCount(), 2);
}

TEST_F(MeasureToolsTest, SuiMeasuresPerpendicularsFromOneBaseLineUntilTheSeriesEnds) {
    tools.ResetTool(MeasureKind::Sui);
    const DPOINT a{0, 100}, b{200, 100}, c{50, 40}, d{120, 180};
    click({a, b});
    EXPECT_EQ(bench.chain.GetCount(), 0);
    EXPECT_EQ(tools.AddPoint(c, bench.env()).filed, 1);
    ASSERT_EQ(bench.chain.GetCount(), 1);
    MEASURE* first = bench.chain.current;
    EXPECT_EQ(first->kind, -MeasureKind::Sui);
    EXPECT_EQ(first->pointCount, 3);
    ASSERT_GE(first->points.size(), 4);
    EXPECT_EQ(first->points[0], a);
    EXPECT_EQ(first->points[1], b);
    EXPECT_EQ(first->points[2], c);
    EXPECT_EQ(first->points[3], (DPOINT{50, 100}));
    click({d});
    ASSERT_EQ(bench.chain.GetCount(), 2);
    MEASURE* second = bench.chain.current;
    EXPECT_EQ(second->points[0], a);
    EXPECT_EQ(second->points[1], b);
    EXPECT_EQ(second->points[2], d);
    EXPECT_EQ(second->points[3], (DPOINT{120, 100}));
    EXPECT_EQ(bench.values(), (std::vector<std::string>{"0.600", "0.800"}));
    EXPECT_EQ(working.kind, MeasureKind::Sui); // the series goes on
    // A right release ends it: the next clicks start a new base line.
    EXPECT_TRUE(tools.EndSeries());
    EXPECT_EQ(working.kind, MeasureKind::Sui);
    EXPECT_EQ(working.pointCount, 0);
    click({{0, 0}, {0, 100}, {30, 50}});
    ASSERT_EQ(bench.chain.GetCount(), 3);
    EXPECT_EQ(bench.chain.current->points[0], (DPOINT{0, 0}));
    EXPECT_EQ(bench.values().back(), "0.300");
    tools.ResetTool(MeasureKind::Line);
    EXPECT_FALSE(tools.EndSeries());
}

TEST_F(MeasureToolsTest, SuiWithShiftPlacesTheBasePointOnTheFoldedStep) {
    tools.ResetTool(MeasureKind::Sui);
    const DPOINT a{200, 200};
    const double r = 225.0 * std::numbers::pi / 180.0;
    const DPOINT drawn{a.x + 60 * std::cos(r), a.y - 60 * std::sin(r)};
    click({a, drawn}, true);
    EXPECT_NEAR(DirectionAngle(working.points[1], a, 0), 45.0, 1e-5);
    EXPECT_NEAR(std::hypot(working.points[1].x - a.x, working.points[1].y - a.y), 60.0, 1e-9);
    // The base line is the same as drawn: the perpendicular from a point on the
    // drawn side measures the same.
    click({{150, 200}});
    ASSERT_EQ(bench.chain.GetCount(), 1);
    EXPECT_NEAR(bench.chain.current->value[0], 50.0 / std::sqrt(2.0) * 0.01, 1e-6);
    // SHIFT on the measured points changes nothing.
    click({{260, 200}}, true);
    EXPECT_EQ(bench.chain.current->points[2], (DPOINT{260, 200}));
}

TEST(DoubleClickFilterTest, SecondReleaseInTimeAtTheSamePosition) {
    struct Case {
        std::uint32_t first, second;
        int dx;
        bool suppressed;
    } cases[] = {
        {1000, 1300, 0, true},  {1000, 1500, 0, true},      {1000, 1501, 0, false},
        {1000, 1100, 1, false}, {0xFFFFFF00u, 0x50, 0, true}, // the tick count wrapped
    };
    for (const Case& c : cases) {
        DoubleClickFilter f;
        EXPECT_FALSE(f.SecondHalf(c.first, 40, 50, 500));
        EXPECT_EQ(f.SecondHalf(c.second, 40 + c.dx, 50, 500), c.suppressed) << c.second;
        EXPECT_EQ(f.m_LastUpTime, c.second);
        EXPECT_EQ(f.m_LastUpX, 40 + c.dx);
    }
    // A third release at the same place right after counts again (as the rule says).
    DoubleClickFilter f;
    f.SecondHalf(0, 5, 5, 500);
    EXPECT_TRUE(f.SecondHalf(10, 5, 5, 500));
    EXPECT_TRUE(f.SecondHalf(20, 5, 5, 500));
}

TEST(DoubleClickFilterTest, ReleaseAfterADoubleClickIsItsSecondHalfWhereverItIs) {
    DoubleClickFilter f;
    EXPECT_FALSE(f.SecondHalf(100, 10, 10, 500));
    f.DoubleClicked();
    EXPECT_TRUE(f.SecondHalf(150, 12, 11, 500)); // slipped two pixels
    EXPECT_FALSE(f.SecondHalf(2000, 12, 11, 500)); // only that one release
}

} // namespace
