#include "model/compute_values.h"

#include "calib/calibration.h"
#include "images/dib_image.h"
#include "model/measure.h"
#include "support/measure_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

CALIBRATION Calibration(double sx, double sy, int unit) {
    CALIBRATION c;
    c.mpp.x = sx;
    c.mpp.y = sy;
    c.unit = unit;
    return c;
}

std::string Fixed7(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7f", v);
    return buf;
}

// Everything ComputeValues may write, for "unchanged" checks.
void ExpectSame(const MEASURE& a, const MEASURE& b) {
    EXPECT_EQ(a.kind, b.kind);
    EXPECT_EQ(a.pointCount, b.pointCount);
    EXPECT_EQ(a.points, b.points);
    EXPECT_EQ(a.unit, b.unit);
    EXPECT_EQ(a.value, b.value);
    EXPECT_EQ(a.center, b.center);
    EXPECT_EQ(a.radius, b.radius);
}

class ComputeValuesTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(picture.create(100, 100, 24), 0); }
    CDibImage picture;
    const CALIBRATION cal = Calibration(0.01, 0.02, 1);
    const CALIBRATION zero = Calibration(0.0, 0.0, 2);
};

using Tool = std::int32_t;
namespace K = MeasureKind;

struct ValueCase {
    const char* name;
    Tool tool;
    std::vector<DPOINT> points;
    std::vector<double> values;      // value[0..] with sx = 0.01, sy = 0.02 (angles as they are)
    std::vector<double> zeroValues;  // the same with both factors 0
};

const std::vector<ValueCase> kValueCases = {
    {"LINE", K::Line, {{0, 0}, {10, -10}}, {std::sqrt(0.05), 45.0000000514}, {0, 45.0000000514}},
    {"LINE, coinciding points", K::Line, {{4, 4}, {4, 4}}, {0, 0}, {0, 0}},
    {"ARIA 10 x 10 square", K::Aria, {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {121 * 0.0002, 121 * 0.0002}, {0, 0}},
    {"CIRCLE about (1,1), radius 1", K::Circle, {{2, 1}, {1, 2}, {0, 1}}, {0.03}, {0}},
    {"CIRCLE2 radius 1 and 2, centres 10 apart",
     K::Circle2, {{2, 1}, {1, 2}, {0, 1}, {13, 1}, {11, 3}, {9, 1}}, {0.03, 0.06, 0.1, 0}, {0, 0, 0, 0}},
    {"CIRCLE2 centre B straight above A",
     K::Circle2, {{2, 1}, {1, 2}, {0, 1}, {2, -9}, {1, -8}, {0, -9}}, {0.03, 0.03, 0.2, 90.0000001028},
     {0, 0, 0, 90.0000001028}},
    {"CIRCLE2 coinciding centres", K::Circle2, {{2, 1}, {1, 2}, {0, 1}, {2, 1}, {1, 2}, {0, 1}},
     {0.03, 0.03, 0, 0}, {0, 0, 0, 0}},
    {"SUI vertical base line", K::Sui, {{0, 0}, {0, 10}, {5, 3}}, {0.05}, {0}},
    {"SUI horizontal base line", K::Sui, {{0, 2}, {10, 2}, {4, 7}}, {0.1}, {0}},
    {"SUI diagonal base line", K::Sui, {{0, 0}, {10, 10}, {10, 0}}, {std::sqrt(0.0025 + 0.01)}, {0}},
    {"ANGLE", K::Angle, {{10, 0}, {0, 0}, {0, -10}}, {89.9999996915}, {89.9999996915}},
};

} // namespace

TEST_F(ComputeValuesTest, ValuesPerKind) {
    for (const ValueCase& tc : kValueCases) {
        for (const bool zeroFactors : {false, true}) {
            SCOPED_TRACE(testing::Message() << tc.name << (zeroFactors ? ", zero factors" : ""));
            const CALIBRATION& c = zeroFactors ? zero : cal;
            const std::vector<double>& expected = zeroFactors ? tc.zeroValues : tc.values;
            MEASURE m = CompleteRecord(tc.tool, tc.points);
            m.unit = 0;
            ASSERT_EQ(ComputeValues(m, c, 0, picture), 1);
            for (std::size_t i = 0; i < expected.size(); ++i) {
                EXPECT_NEAR(m.value[i], expected[i], 1e-9) << "value[" << i << "]";
                EXPECT_FALSE(std::isnan(m.value[i]));
            }
            EXPECT_EQ(m.value[4], 0.0);
            EXPECT_EQ(m.unit, c.unit);
        }
    }
}

TEST_F(ComputeValuesTest, AnglesKeepTheirOddDecimals) {
    MEASURE line = CompleteRecord(K::Line, {{0, 0}, {0, -10}});
    ComputeValues(line, cal, 0, picture);
    EXPECT_EQ(Fixed7(line.value[1]), "90.0000001");
    ComputeValues(line, cal, 1, picture); // Y-axis + base line
    EXPECT_EQ(Fixed7(line.value[1]), "0.0000001");

    MEASURE angle = CompleteRecord(K::Angle, {{10, 0}, {0, 0}, {-10, 0}});
    ComputeValues(angle, cal, 0, picture);
    EXPECT_EQ(Fixed7(angle.value[0]), "179.9999998");
}

TEST_F(ComputeValuesTest, CirclesStoreCentreAndRadius) {
    MEASURE m = CompleteRecord(K::Circle2, {{2, 1}, {1, 2}, {0, 1}, {13, 1}, {11, 3}, {9, 1}});
    ASSERT_EQ(ComputeValues(m, cal, 0, picture), 1);
    EXPECT_NEAR(m.center[0].x, 1, 1e-12);
    EXPECT_NEAR(m.center[0].y, 1, 1e-12);
    EXPECT_NEAR(m.radius[0], 1, 1e-12);
    EXPECT_NEAR(m.center[1].x, 11, 1e-12);
    EXPECT_NEAR(m.center[1].y, 1, 1e-12);
    EXPECT_NEAR(m.radius[1], 2, 1e-12);

    // Collinear points: the circle about the image origin through the first point.
    MEASURE c = CompleteRecord(K::Circle, {{3, 4}, {6, 8}, {9, 12}});
    ASSERT_EQ(ComputeValues(c, cal, 0, picture), 1);
    EXPECT_EQ(c.center[0], (DPOINT{0, 0}));
    EXPECT_EQ(c.radius[0], 5.0);
    EXPECT_NEAR(c.value[0], (5 * 0.01 + 5 * 0.02), 1e-12);
}

TEST_F(ComputeValuesTest, CircleWithoutAComputableRadiusKeepsItsCircle) {
    MEASURE m = CompleteRecord(K::Circle, {{1e7, 1e7}, {1e7 + 0.1, 1e7}, {1e7, 1e7 + 0.1}});
    m.center[0] = DPOINT{3, 4};
    m.radius[0] = 2;
    ASSERT_EQ(ComputeValues(m, cal, 0, picture), 1);
    EXPECT_EQ(m.center[0], (DPOINT{3, 4}));
    EXPECT_EQ(m.radius[0], 2.0);
    EXPECT_NEAR(m.value[0], 2 * 0.01 + 2 * 0.02, 1e-12); // from the kept radius
}

TEST_F(ComputeValuesTest, SuiStoresTheFootAfterThePoints) {
    struct Case {
        const char* name;
        std::vector<DPOINT> points;
        int extra; // elements already allocated beyond the three points
        DPOINT foot;
    };
    const std::vector<Case> cases = {
        {"vertical base line, array grows", {{3, 0}, {3, 10}, {8, 6}}, 0, {3, 6}},
        {"horizontal base line, array grows", {{0, 2}, {10, 2}, {4, 7}}, 0, {4, 2}},
        {"room already there", {{0, 0}, {10, 10}, {10, 0}}, 1, {5, 5}},
        {"more room than needed", {{0, 2}, {10, 2}, {4, 7}}, 3, {4, 2}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        MEASURE m = CompleteRecord(K::Sui, tc.points);
        m.points.Grow(tc.extra, m.points.size());
        if (tc.extra > 0)
            m.points[3] = DPOINT{-1, -1};
        ASSERT_EQ(ComputeValues(m, cal, 0, picture), 1);
        EXPECT_EQ(m.pointCount, 3);
        EXPECT_EQ(m.points.size(), 3 + std::max(tc.extra, 1));
        EXPECT_NEAR(m.points[3].x, tc.foot.x, 1e-12);
        EXPECT_NEAR(m.points[3].y, tc.foot.y, 1e-12);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(m.points[i], tc.points[static_cast<std::size_t>(i)]);
    }
}

TEST_F(ComputeValuesTest, TooFewPointsLeaveTheRecordUnchanged) {
    struct Case {
        const char* name;
        Tool tool;
        int pointCount; // claimed
        int stored;     // really in the array
    };
    const std::vector<Case> cases = {
        {"LINE with one point", K::Line, 1, 1},
        {"LINE claiming more points than stored", K::Line, 2, 1},
        {"CIRCLE with two", K::Circle, 2, 3},
        {"CIRCLE2 with five", K::Circle2, 5, 5},
        {"SUI with two", K::Sui, 2, 2},
        {"ANGLE claiming three, holding none", K::Angle, 3, 0},
        {"ARIA claiming more than stored", K::Aria, 5, 4},
        {"negative point count", K::Line, -1, 2},
        {"no tool", K::None, 2, 2},
        {"unknown kind", 9, 2, 2},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        std::vector<DPOINT> pts;
        for (int i = 0; i < tc.stored; ++i)
            pts.push_back(DPOINT{i * 3.0, i * 5.0 + 1});
        MEASURE m = CompleteRecord(tc.tool, pts);
        m.pointCount = tc.pointCount;
        m.unit = 2;
        m.value = {1, 2, 3, 4, 0};
        m.radius = {7, 8};
        const MEASURE before = m;
        EXPECT_EQ(ComputeValues(m, cal, 0, picture), 0);
        ExpectSame(m, before);
        EXPECT_EQ(RecomputeForCalibration(m, cal, picture), 0);
        ExpectSame(m, before);
    }
}

TEST_F(ComputeValuesTest, AriaThatCannotBeCountedKeepsItsArea) {
    CDibImage noPicture;
    MEASURE m = CompleteRecord(K::Aria, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});

    // A new record has no area yet: 0 stays, in the calibration's unit.
    m.unit = 0;
    EXPECT_EQ(ComputeValues(m, cal, 0, noPicture), 0);
    EXPECT_EQ(m.value[0], 0.0);
    EXPECT_EQ(m.unit, 1);

    // A counted area keeps its value and the unit it was counted in.
    ASSERT_EQ(ComputeValues(m, cal, 0, picture), 1);
    const double mm2 = m.value[0];
    EXPECT_EQ(RecomputeForCalibration(m, Calibration(10, 10, 2), noPicture), 0);
    EXPECT_EQ(m.value[0], mm2);
    EXPECT_EQ(m.value[1], mm2);
    EXPECT_EQ(m.unit, 1);

    // Fewer than two vertices cannot be drawn; two count their line.
    MEASURE one = CompleteRecord(K::Aria, {{5, 5}});
    EXPECT_EQ(ComputeValues(one, cal, 0, picture), 0);
    MEASURE two = CompleteRecord(K::Aria, {{0, 5}, {9, 5}});
    ASSERT_EQ(ComputeValues(two, Calibration(1, 1, 1), 0, picture), 1);
    EXPECT_EQ(two.value[0], 10.0);
}

TEST_F(ComputeValuesTest, PositiveKindIsComputedLikeTheComplete) {
    MEASURE drawing = CompleteRecord(K::Line, {{0, 0}, {30, 40}});
    drawing.kind = K::Line;
    MEASURE complete = CompleteRecord(K::Line, {{0, 0}, {30, 40}});
    ComputeValues(drawing, cal, 0, picture);
    ComputeValues(complete, cal, 0, picture);
    EXPECT_EQ(drawing.value, complete.value);
    EXPECT_NEAR(drawing.value[0], std::sqrt(0.09 + 0.64), 1e-12);
}

TEST_F(ComputeValuesTest, RecomputeAfterACalibrationChange) {
    const CALIBRATION cm = Calibration(0.1, 0.3, 0);

    // A radius dragged on the circumference survives; so do dragged centres.
    MEASURE circle = CompleteRecord(K::Circle, {{2, 1}, {1, 2}, {0, 1}});
    ComputeValues(circle, cal, 0, picture);
    circle.radius[0] = 3;
    ASSERT_EQ(RecomputeForCalibration(circle, cm, picture), 1);
    EXPECT_NEAR(circle.value[0], 3 * 0.1 + 3 * 0.3, 1e-12);
    EXPECT_NEAR(circle.radius[0], 3, 0);
    EXPECT_EQ(circle.unit, 0);

    MEASURE two = CompleteRecord(K::Circle2, {{2, 1}, {1, 2}, {0, 1}, {13, 1}, {11, 3}, {9, 1}});
    ComputeValues(two, cal, 0, picture);
    two.radius = {4, 5};
    two.center = {DPOINT{0, 0}, DPOINT{3, 4}};
    two.value[3] = 123.0; // the direction is not recomputed
    ASSERT_EQ(RecomputeForCalibration(two, cm, picture), 1);
    EXPECT_NEAR(two.value[0], 4 * 0.1 + 4 * 0.3, 1e-12);
    EXPECT_NEAR(two.value[1], 5 * 0.1 + 5 * 0.3, 1e-12);
    EXPECT_NEAR(two.value[2], std::sqrt(0.3 * 0.3 + 1.2 * 1.2), 1e-12);
    EXPECT_EQ(two.value[3], 123.0);

    // Lengths come from the points; angles stay as they are.
    MEASURE line = CompleteRecord(K::Line, {{0, 0}, {30, 40}});
    ComputeValues(line, cal, 0, picture);
    line.value[1] = 77.0;
    ASSERT_EQ(RecomputeForCalibration(line, cm, picture), 1);
    EXPECT_NEAR(line.value[0], std::sqrt(9.0 + 144.0), 1e-12);
    EXPECT_EQ(line.value[1], 77.0);

    MEASURE sui = CompleteRecord(K::Sui, {{0, 0}, {0, 10}, {5, 3}});
    ComputeValues(sui, cal, 0, picture);
    ASSERT_EQ(RecomputeForCalibration(sui, cm, picture), 1);
    EXPECT_NEAR(sui.value[0], 0.5, 1e-12);

    MEASURE angle = CompleteRecord(K::Angle, {{10, 0}, {0, 0}, {0, -10}});
    angle.value[0] = 33.0;
    ASSERT_EQ(RecomputeForCalibration(angle, cm, picture), 1);
    EXPECT_EQ(angle.value[0], 33.0);
    EXPECT_EQ(angle.unit, 0);

    MEASURE area = CompleteRecord(K::Aria, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    ComputeValues(area, cal, 0, picture);
    ASSERT_EQ(RecomputeForCalibration(area, cm, picture), 1);
    EXPECT_NEAR(area.value[0], 121 * 0.1 * 0.3, 1e-12);
    EXPECT_EQ(area.value[1], area.value[0]);

    // Zero factors: lengths and areas 0, angles intact.
    const CALIBRATION none = Calibration(0, 0, 1);
    for (MEASURE* m : {&circle, &two, &line, &sui, &area})
        RecomputeForCalibration(*m, none, picture);
    EXPECT_EQ(circle.value[0], 0.0);
    EXPECT_EQ(two.value[2], 0.0);
    EXPECT_EQ(two.value[3], 123.0);
    EXPECT_EQ(line.value[0], 0.0);
    EXPECT_EQ(line.value[1], 77.0);
    EXPECT_EQ(sui.value[0], 0.0);
    EXPECT_EQ(area.value[0], 0.0);
}
