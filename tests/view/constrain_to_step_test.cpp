#include "view/constrain_to_step.h"

#include "model/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A point `len` away from `from` in the screen direction `deg` (up is 90).
DPOINT Toward(const DPOINT& from, double deg, double len) {
    const double r = deg * std::numbers::pi / 180.0;
    return {from.x + std::cos(r) * len, from.y - std::sin(r) * len};
}

double Dist(const DPOINT& a, const DPOINT& b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(AngleStepTest, StepsOutsideOneTo359CountAs45) {
    for (int s : {1, 10, 45, 90, 359})
        EXPECT_EQ(AngleStep(s), s);
    for (int s : {0, -1, -45, 360, 1000})
        EXPECT_EQ(AngleStep(s), 45) << s;
}

TEST(AngleStepTest, NearestMultipleTiesGoDown) {
    struct Case {
        int a, step, expected;
    } cases[] = {
        {22, 45, 0},   {23, 45, 45},  {67, 45, 45},   {68, 45, 90},  {15, 10, 10},
        {16, 10, 20},  {350, 45, 0},  {337, 45, 315}, {338, 45, 0},  {0, 45, 0},
        {200, 359, 359}, {179, 359, 0}, {180, 359, 359}, {359, 1, 359}, {100, 0, 90}, // step 0 is 45
    };
    for (const Case& c : cases)
        EXPECT_EQ(NearestStepAngle(c.a, c.step), c.expected) << c.a << " step " << c.step;
}

TEST(ConstrainToStepTest, LineEndTurnsToTheStepAndKeepsItsLength) {
    const DPOINT p0{300.25, 400.5};
    struct Case {
        double drawn;
        int step;
        double expected;
    } cases[] = {
        {22.0, 45, 0.0}, {23.0, 45, 45.0}, {67.9, 45, 45.0}, {68.0, 45, 90.0},
        {15.0, 10, 10.0}, {200.0, 45, 180.0}, {250.0, 45, 270.0}, {300.0, 45, 315.0},
    };
    for (const Case& c : cases) {
        const DPOINT p1 = Toward(p0, c.drawn, 137.0);
        const DPOINT end = ConstrainToStep(p0, p1, c.step, StepVariant::Line);
        EXPECT_NEAR(Dist(p0, end), 137.0, 1e-9) << c.drawn;
        const double got = DirectionAngle(end, p0, AngleBaseLine::XPlus);
        EXPECT_NEAR(std::fmod(got + 360.0 - c.expected + 180.0, 360.0) - 180.0, 0.0, 1e-5) << c.drawn;
    }
}

TEST(ConstrainToStepTest, AxisDirectionsTakeThePartnersCoordinateExactly) {
    const DPOINT p0{10.3, 20.7};
    const DPOINT right = ConstrainToStep(p0, Toward(p0, 10.0, 50.0), 45, StepVariant::Line);
    EXPECT_EQ(right.y, p0.y);
    EXPECT_NEAR(right.x, p0.x + 50.0, 1e-9);
    const DPOINT up = ConstrainToStep(p0, Toward(p0, 80.0, 50.0), 45, StepVariant::Line);
    EXPECT_EQ(up.x, p0.x);
    EXPECT_NEAR(up.y, p0.y - 50.0, 1e-9);
    const DPOINT left = ConstrainToStep(p0, Toward(p0, 185.0, 50.0), 45, StepVariant::Line);
    EXPECT_EQ(left.y, p0.y);
    const DPOINT down = ConstrainToStep(p0, Toward(p0, 265.0, 50.0), 45, StepVariant::Line);
    EXPECT_EQ(down.x, p0.x);
    EXPECT_NEAR(down.y, p0.y + 50.0, 1e-9);
}

TEST(ConstrainToStepTest, SuiFoldsTheDirectionBelow180) {
    const DPOINT p0{500, 500};
    const DPOINT drawn = Toward(p0, 225.0, 80.0);
    const DPOINT sui = ConstrainToStep(p0, drawn, 45, StepVariant::Sui);
    const DPOINT line = ConstrainToStep(p0, drawn, 45, StepVariant::Line);
    EXPECT_NEAR(DirectionAngle(sui, p0, 0), 45.0, 1e-5);
    EXPECT_NEAR(Dist(p0, sui), 80.0, 1e-9);
    EXPECT_NEAR(DirectionAngle(line, p0, 0), 225.0, 1e-5);
    // The base line itself is the same: a measured point has the same foot on both.
    const DPOINT q{620, 430};
    const LineCoeffs a = LineCoefficients(p0, sui);
    const LineCoeffs b = LineCoefficients(p0, line);
    const DPOINT fa = PerpendicularFoot(q, a.slope, a.intercept);
    const DPOINT fb = PerpendicularFoot(q, b.slope, b.intercept);
    EXPECT_NEAR(fa.x, fb.x, 1e-6);
    EXPECT_NEAR(fa.y, fb.y, 1e-6);
}

TEST(ConstrainToStepTest, AnOddStepFromTheSettingsFileActsAs45) {
    const DPOINT p0{0, 0};
    const DPOINT p1 = Toward(p0, 30.0, 10.0);
    for (int bad : {0, -7, 360})
        EXPECT_EQ(ConstrainToStep(p0, p1, bad, StepVariant::Line), ConstrainToStep(p0, p1, 45, StepVariant::Line));
}

TEST(EditConstrainTest, DraggedEndKeepsItsDistanceAndLandsOnTheStep) {
    const DPOINT partner{200, 200};
    // The second point of its pair: its direction from the partner is rounded.
    const DPOINT second = EditConstrain(Toward(partner, 50.0, 60.0), partner, false, 45, StepVariant::Line);
    EXPECT_NEAR(Dist(second, partner), 60.0, 1e-9);
    EXPECT_NEAR(DirectionAngle(second, partner, 0), 45.0, 1e-5);
    // The first point: the pair's direction first -> second (partner) is rounded, so the
    // point sits opposite that direction.
    const DPOINT first = EditConstrain(Toward(partner, 95.0, 60.0), partner, true, 45, StepVariant::Line);
    EXPECT_NEAR(Dist(first, partner), 60.0, 1e-9);
    EXPECT_NEAR(DirectionAngle(partner, first, 0), 270.0, 1e-5);
    EXPECT_EQ(first.x, partner.x);
    EXPECT_NEAR(first.y, partner.y - 60.0, 1e-9);
}

TEST(EditConstrainTest, SuiVariantFoldsAndLandsOnWholePixels) {
    const DPOINT partner{100.4, 100.2};
    const DPOINT p = Toward(partner, 40.0, 70.3);
    const DPOINT n = EditConstrain(p, partner, false, 45, StepVariant::Sui);
    EXPECT_EQ(n.x, std::trunc(n.x));
    EXPECT_EQ(n.y, std::trunc(n.y));
    EXPECT_EQ(n.x, std::trunc(partner.x + std::cos(45 * 3.1415926535 / 180) * 70.3 + 0.5));
    // Drawn toward 225 from the partner: folded to 45, on the other side.
    const DPOINT folded = EditConstrain(Toward(partner, 225.0, 70.3), partner, false, 45, StepVariant::Sui);
    EXPECT_EQ(folded, n);
    // As the first point: the pair's direction is folded, the point lands on the line.
    const DPOINT first = EditConstrain(Toward(partner, 180.0 + 44.0, 70.3), partner, true, 45, StepVariant::Sui);
    EXPECT_EQ(first.x, std::trunc(partner.x - std::cos(45 * 3.1415926535 / 180) * 70.3 + 0.5));
    EXPECT_EQ(first.y, std::trunc(partner.y + std::sin(45 * 3.1415926535 / 180) * 70.3 + 0.5));
}

TEST(EditConstrainTest, UnusableCoordinatesLeaveThePoint) {
    const DPOINT huge{1e308, -1e308};
    const DPOINT p{-1e308, 1e308};
    EXPECT_EQ(EditConstrain(p, huge, false, 45, StepVariant::Line), p);
    EXPECT_EQ(ConstrainToStep(huge, p, 45, StepVariant::Line), p);
}

} // namespace
