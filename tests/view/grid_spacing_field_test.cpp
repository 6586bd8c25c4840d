#include "view/grid_spacing_field.h"

#include <gtest/gtest.h>

namespace {

TEST(GridSpacingField, TypedValuesGiveSpacingAndDecimals) {
    struct Case {
        const char* text;
        int scaleDec;
        int gridSize; // 0: unchanged
    };
    for (const Case c : {Case{"0.5", 1, 50}, Case{"0.25", 2, 25}, Case{"2", -1, 200},
                         Case{"0.005", 3, 0}, Case{"0.3", 1, 30}, Case{"abc", -1, 0},
                         Case{"-1.5", 1, 0}, Case{"1.", 0, 100}, Case{"999", -1, kMaxGridSize},
                         Case{"0.07", 2, 7}}) {
        const auto in = ParseCalibratedGrid(c.text, 0.01);
        ASSERT_TRUE(in) << c.text;
        EXPECT_EQ(in->scaleDec, c.scaleDec) << c.text;
        EXPECT_EQ(in->gridSize.value_or(0), c.gridSize) << c.text;
    }
    // Whole pixels survive round-off: 0.3 / 0.05 is 5.999...
    EXPECT_EQ(ParseCalibratedGrid("0.3", 0.05)->gridSize, 6);
}

TEST(GridSpacingField, TextFollowsScaleDec) {
    EXPECT_EQ(CalibratedGridText(50, 0.01, 1), "0.5");
    EXPECT_EQ(CalibratedGridText(25, 0.01, 2), "0.25");
    EXPECT_EQ(CalibratedGridText(25, 0.01, 3), "0.250");
    // Any other value shows one decimal: the "2" typed earlier reopens as "2.0".
    EXPECT_EQ(CalibratedGridText(200, 0.01, -1), "2.0");
    EXPECT_EQ(CalibratedGridText(200, 0.01, 7), "2.0");
}

TEST(GridSpacingField, UnsetCalibrationShowsNothingAndTakesNothing) {
    EXPECT_EQ(CalibratedGridText(100, 0.0, 1), "");
    EXPECT_FALSE(ParseCalibratedGrid("0.5", 0.0));
    EXPECT_FALSE(ParseCalibratedGrid("0.5", -0.01));
}

} // namespace
