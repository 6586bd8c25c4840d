#include "model/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {

std::string Fixed(const char* format, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

TEST(Geometry, ConstantsAreTheTruncatedValues) {
    EXPECT_EQ(kTwoPi, 6.2831853);
    EXPECT_EQ(kPi, 3.1415926535);
    EXPECT_EQ(Fixed("%.7f", RadiansToDegrees(std::atan(1.0))), "45.0000001");
    EXPECT_EQ(DegreesToRadians(180.0), 3.1415926535);
}

TEST(Geometry, DirectionAngleOfALineFromTheOrigin) {
    struct Case {
        DPOINT target;
        int baseLine;
        const char* exact; // "%.7f"
        const char* shown; // "%.1f"
    };
    const std::vector<Case> cases = {
        {{10, 0}, 0, "0.0000000", "0.0"},
        {{10, -10}, 0, "45.0000001", "45.0"},
        {{0, -10}, 0, "90.0000001", "90.0"},
        {{-10, 0}, 0, "180.0000000", "180.0"},
        {{0, 10}, 0, "270.0000001", "270.0"},
        {{10, 10}, 0, "314.9999999", "315.0"},
        {{-10, -10}, 0, "134.9999999", "135.0"},
        {{-10, 10}, 0, "225.0000001", "225.0"},
        {{10, 0}, 1, "270.0000000", "270.0"},
        {{0, -10}, 1, "0.0000001", "0.0"},
        {{10, 0}, 2, "180.0000000", "180.0"},
        {{10, 0}, 3, "90.0000000", "90.0"},
        {{-10, 0}, 2, "0.0000000", "0.0"},
        {{10, 0}, 7, "0.0000000", "0.0"}, // unknown base line counts from X-axis +
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(testing::Message() << "(" << tc.target.x << ", " << tc.target.y << ") base "
                                        << tc.baseLine);
        const double a = DirectionAngle(tc.target, DPOINT{0, 0}, tc.baseLine);
        EXPECT_EQ(Fixed("%.7f", a), tc.exact);
        EXPECT_EQ(Fixed("%.1f", a), tc.shown);
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, 360.0);
    }
}

TEST(Geometry, DirectionAngleIsTranslationInvariant) {
    const DPOINT o{123.25, -40.5};
    EXPECT_NEAR(DirectionAngle(DPOINT{o.x + 3, o.y - 4}, o, 0),
                DirectionAngle(DPOINT{3, -4}, DPOINT{0, 0}, 0), 1e-9);
}

TEST(Geometry, DirectionAngleWithoutADirectionIsZero) {
    // Coinciding points would be 0/0; nothing that is not a number may come out.
    for (int base = 0; base < 4; ++base) {
        EXPECT_EQ(DirectionAngle(DPOINT{5, 5}, DPOINT{5, 5}, base), 0.0);
    }
    EXPECT_EQ(DirectionAngle(DPOINT{kNaN, 0}, DPOINT{0, 0}, 0), 0.0);
    EXPECT_EQ(DirectionAngle(DPOINT{kInf, 0}, DPOINT{0, 0}, 0), 0.0);
    EXPECT_EQ(DirectionAngle(DPOINT{1e308, 1e308}, DPOINT{-1e308, -1e308}, 0), 0.0);
}

TEST(Geometry, VertexAngle) {
    struct Case {
        DPOINT p0, vertex, p2;
        const char* exact;
    };
    const std::vector<Case> cases = {
        {{10, 0}, {0, 0}, {0, -10}, "89.9999997"},
        {{10, 0}, {0, 0}, {-10, 0}, "179.9999998"},
        {{10, 0}, {0, 0}, {10, 0}, "0.0000000"},
        {{0, -10}, {0, 0}, {10, 0}, "89.9999997"},
        {{5, 5}, {5, 5}, {5, 5}, "0.0000000"},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.exact);
        EXPECT_EQ(Fixed("%.7f", VertexAngle(tc.p0, tc.vertex, tc.p2)), tc.exact);
    }
    EXPECT_EQ(VertexAngle(DPOINT{kNaN, 0}, DPOINT{0, 0}, DPOINT{1, 1}), 0.0);
}

TEST(Geometry, VertexAngleNeverExceeds180WhateverTheClickOrder) {
    const std::vector<DPOINT> pts = {{0, 0},   {10, 0}, {-3, 7},   {4, -9},
                                     {-8, -8}, {2, 2},  {100, 1}, {-50, 0.5}};
    for (const DPOINT& a : pts)
        for (const DPOINT& v : pts)
            for (const DPOINT& b : pts) {
                const double x = VertexAngle(a, v, b);
                EXPECT_GE(x, 0.0);
                EXPECT_LE(x, 180.0);
                EXPECT_NEAR(x, VertexAngle(b, v, a), 1e-9);
            }
}

TEST(Geometry, CircleFrom3Points) {
    struct Case {
        const char* name;
        DPOINT p1, p2, p3;
        DPOINT center;
        double radius;
    };
    const std::vector<Case> cases = {
        {"unit circle", {1, 0}, {0, 1}, {-1, 0}, {0, 0}, 1},
        {"unit circle about (1,1)", {2, 1}, {1, 2}, {0, 1}, {1, 1}, 1},
        {"radius 5 about (10,-20)", {15, -20}, {10, -15}, {7, -24}, {10, -20}, 5},
        // Degenerate figures give the circle about the origin through the first point.
        {"collinear", {3, 4}, {6, 8}, {9, 12}, {0, 0}, 5},
        {"two coincide", {3, 4}, {3, 4}, {9, 1}, {0, 0}, 5},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        Circle c;
        ASSERT_TRUE(CircleFrom3Points(tc.p1, tc.p2, tc.p3, c));
        EXPECT_NEAR(c.center.x, tc.center.x, 1e-9);
        EXPECT_NEAR(c.center.y, tc.center.y, 1e-9);
        EXPECT_NEAR(c.radius, tc.radius, 1e-9);
    }
}

TEST(Geometry, CircleThatCannotBeComputedWritesNothing) {
    const Circle before{DPOINT{7, 8}, 9};
    const std::vector<std::vector<DPOINT>> bad = {
        {{kNaN, 0}, {0, 1}, {-1, 0}},
        {{kInf, 0}, {0, 1}, {-1, 0}},
        {{1e200, 0}, {0, 1e200}, {-1e200, 0}}, // squares overflow
        // A circle of radius 0.07 far from the origin: rounding leaves nothing under the root.
        {{1e7, 1e7}, {1e7 + 0.1, 1e7}, {1e7, 1e7 + 0.1}},
    };
    for (const auto& p : bad) {
        Circle c = before;
        EXPECT_FALSE(CircleFrom3Points(p[0], p[1], p[2], c));
        EXPECT_EQ(c.center, before.center);
        EXPECT_EQ(c.radius, before.radius);
    }
}

TEST(Geometry, LineCoefficientsAndPerpendicularFeet) {
    struct Case {
        const char* name;
        DPOINT p0, p1;
        double slope, intercept, perp;
        DPOINT point, foot;
    };
    const std::vector<Case> cases = {
        {"vertical", {3, 0}, {3, 10}, kVerticalSlope, 3, kVerticalSlope, {7, 4}, {3, 4}},
        {"vertical, points coincide", {3, 5}, {3, 5}, kVerticalSlope, 3, kVerticalSlope, {7, 4}, {3, 4}},
        {"horizontal", {0, 2}, {10, 2}, kHorizontalSlope, 2, kHorizontalSlope, {7, 4}, {7, 2}},
        {"diagonal", {0, 0}, {1, 1}, 1, 0, -1, {2, 0}, {1, 1}},
        {"slope 2", {0, 1}, {2, 5}, 2, 1, -0.5, {5, 0}, {0.6, 2.2}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        const LineCoeffs c = LineCoefficients(tc.p0, tc.p1);
        EXPECT_EQ(c.slope, tc.slope);
        EXPECT_EQ(c.intercept, tc.intercept);
        EXPECT_EQ(c.perpSlope, tc.perp);
        const DPOINT f = PerpendicularFoot(tc.point, c.slope, c.intercept);
        EXPECT_NEAR(f.x, tc.foot.x, 1e-12);
        EXPECT_NEAR(f.y, tc.foot.y, 1e-12);
    }
    // A slope of exactly 0 (an underflowed slope, not a marker) is a horizontal line.
    EXPECT_EQ(PerpendicularFoot(DPOINT{4, 9}, 0.0, 2.0), (DPOINT{4, 2}));
}
