#include "model/line_clip.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
const ClipBox kBox{0, 0, 100, 50};

struct ClipCase {
    const char* name;
    DPOINT a;
    double dx, dy;
    double t0, t1; // the interval going in
    bool inside;
    double wantT0, wantT1; // when inside
};

TEST(ClipLine, NarrowsTheIntervalToTheBox) {
    const std::vector<ClipCase> cases = {
        {"segment wholly inside", {10, 10}, 20, 5, 0, 1, true, 0, 1},
        {"segment leaving across the right edge", {90, 10}, 20, 0, 0, 1, true, 0, 0.5},
        {"segment entering across the left edge", {-10, 10}, 20, 0, 0, 1, true, 0.5, 1},
        {"segment through both edges", {-50, 25}, 200, 0, 0, 1, true, 0.25, 0.75},
        {"segment ending short of the box", {-30, 10}, 20, 0, 0, 1, false, 0, 0},
        {"segment parallel to an edge, outside", {10, -5}, 50, 0, 0, 1, false, 0, 0},
        {"segment along the top edge: edges count as inside", {10, 0}, 50, 0, 0, 1, true, 0, 1},
        {"segment touching a corner only", {-10, 60}, 10, -10, 0, 1, true, 1, 1},
        {"whole line across the box", {10, 20}, 10, 0, -kInf, kInf, true, -1, 9},
        {"whole line, backwards", {10, 20}, -10, 0, -kInf, kInf, true, -9, 1},
        {"whole vertical line", {30, 70}, 0, 10, -kInf, kInf, true, -7, -2},
        {"whole line missing the box", {0, 60}, 10, 10, -kInf, kInf, false, 0, 0},
        {"diagonal through opposite corners", {0, 0}, 100, 50, -kInf, kInf, true, 0, 1},
    };
    for (const ClipCase& c : cases) {
        double t0 = c.t0;
        double t1 = c.t1;
        ASSERT_EQ(ClipLine(c.a, c.dx, c.dy, kBox, t0, t1), c.inside) << c.name;
        if (!c.inside)
            continue;
        EXPECT_DOUBLE_EQ(t0, c.wantT0) << c.name;
        EXPECT_DOUBLE_EQ(t1, c.wantT1) << c.name;
    }
}

TEST(ClipLine, APointIsKeptOnlyInsideTheBox) {
    // No direction: the point itself decides.
    double t0 = 0, t1 = 1;
    EXPECT_TRUE(ClipLine({50, 25}, 0, 0, kBox, t0, t1));
    EXPECT_EQ(t0, 0);
    EXPECT_EQ(t1, 1);
    EXPECT_TRUE(ClipLine({100, 50}, 0, 0, kBox, t0, t1));
    EXPECT_FALSE(ClipLine({100.5, 25}, 0, 0, kBox, t0, t1));
    EXPECT_FALSE(ClipLine({50, -0.5}, 0, 0, kBox, t0, t1));
}

} // namespace
