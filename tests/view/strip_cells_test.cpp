#include "view/strip_cells.h"

#include <gtest/gtest.h>

namespace {

TEST(StripCells, OneMoreCellThanFitsWhole) {
    const IntRect box{8, 660, 848, 818}; // 840 wide: (840 - 8) / 146 = 5 whole cells
    const StripMetrics m;
    EXPECT_EQ(StripCellsPerPage(box, m), 5);
    const auto cells = VisibleStripCells(box, m, 2, 20);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0].index, 2);
    EXPECT_EQ(cells[0].x, 16);
    EXPECT_EQ(cells[0].y, 674);
    EXPECT_EQ(cells[5].index, 7);
    EXPECT_EQ(cells[5].x, 16 + 5 * 146);
}

TEST(StripCells, EndOfTheListAndOddPositions) {
    const IntRect box{8, 660, 848, 818};
    const StripMetrics m;
    EXPECT_EQ(VisibleStripCells(box, m, 18, 20).size(), 2u);
    EXPECT_TRUE(VisibleStripCells(box, m, 25, 20).empty());
    EXPECT_TRUE(VisibleStripCells(box, m, 0, 0).empty());
    EXPECT_EQ(VisibleStripCells(box, m, -3, 20).front().index, 0);
    // A box narrower than one cell still shows the first one in part.
    EXPECT_EQ(VisibleStripCells(IntRect{0, 0, 50, 100}, m, 0, 3).size(), 1u);
    StripMetrics broken;
    broken.cellWidth = -6;
    EXPECT_TRUE(VisibleStripCells(box, broken, 0, 3).empty());
}

} // namespace
