#include "view/direction_cursor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TEST(DirectionCursorTest, ArrowFollowsTheRadius) {
    const DPOINT c{100, 100};
    struct Case {
        double deg;
        int cursor;
    } cases[] = {
        {5, CursorCode::SizeHorizontal},  {22.5, CursorCode::SizeHorizontal}, {23.5, CursorCode::SizeNeSw},
        {45, CursorCode::SizeNeSw},       {67.5, CursorCode::SizeNeSw},       {68.5, CursorCode::SizeVertical},
        {100, CursorCode::SizeVertical},  {113.5, CursorCode::SizeNwSe},      {157.5, CursorCode::SizeNwSe},
        {158.5, CursorCode::SizeHorizontal}, {202.5, CursorCode::SizeHorizontal}, {203.5, CursorCode::SizeNeSw},
        {247.5, CursorCode::SizeNeSw},    {248.5, CursorCode::SizeVertical},  {292.5, CursorCode::SizeVertical},
        {293.5, CursorCode::SizeNwSe},    {337.5, CursorCode::SizeNwSe},      {338.5, CursorCode::SizeHorizontal},
    };
    for (const Case& k : cases) {
        const double r = k.deg * std::numbers::pi / 180.0;
        const DPOINT p{c.x + 40 * std::cos(r), c.y - 40 * std::sin(r)};
        EXPECT_EQ(DirectionCursor(c, p), k.cursor) << k.deg;
    }
}

TEST(DirectionCursorTest, SharedAxisLeavesTheCursor) {
    EXPECT_EQ(DirectionCursor({10, 10}, {10, 50}), 0);
    EXPECT_EQ(DirectionCursor({10, 10}, {60, 10}), 0);
    EXPECT_EQ(DirectionCursor({10, 10}, {10, 10}), 0);
}

} // namespace
