#include "images/strip_scroll.h"
#include "images/thumbnail_grid.h"

#include <gtest/gtest.h>

namespace {

TEST(ThumbnailGrid, CellsFollowTheClientSizeAndScrollPosition) {
    // 4 columns: (47 + 4 * 146) = 631; 3 rows: 10 + 3 * 115 = 355.
    const ThumbnailGrid g(631, 355, 140, 105, 0);
    EXPECT_EQ(g.cols(), 4);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.visible(), 12);
    EXPECT_EQ(g.first(), 0);
    EXPECT_EQ(g.cell(0), (IntRect{6, 10, 146, 115}));
    EXPECT_EQ(g.cell(5), (IntRect{156, 125, 296, 230}));
    EXPECT_EQ(g.entryAt(160, 130, 20), 5);
    EXPECT_EQ(g.entryAt(150, 130, 20), -1); // between two cells
    EXPECT_EQ(g.entryAt(160, 130, 5), -1);  // past the last entry

    const ThumbnailGrid scrolled(631, 355, 140, 105, 2);
    EXPECT_EQ(scrolled.first(), 8);
    EXPECT_EQ(scrolled.cell(8), (IntRect{6, 10, 146, 115}));
    EXPECT_EQ(scrolled.entryAt(10, 20, 20), 8);
    EXPECT_EQ(scrolled.entryAt(10, 20, 8), -1);
}

TEST(ThumbnailGrid, ScrollRange) {
    const ThumbnailGrid g(631, 355, 140, 105, 0); // 4 x 3
    EXPECT_FALSE(g.scrollEnabled(12));
    EXPECT_FALSE(g.scrollEnabled(0));
    EXPECT_TRUE(g.scrollEnabled(13));
    EXPECT_EQ(g.scrollMaximum(13), 1);
    EXPECT_EQ(g.scrollMaximum(20), 3);
    // Too small for one cell: no cells, no scrolling, no division by zero.
    const ThumbnailGrid tiny(100, 50, 140, 105, 3);
    EXPECT_EQ(tiny.visible(), 0);
    EXPECT_FALSE(tiny.scrollEnabled(10));
    EXPECT_TRUE(tiny.cell(0).isEmpty());
    EXPECT_EQ(tiny.entryAt(10, 10, 10), -1);
}

TEST(StripScroll, ShownOnlyWhenTheThumbnailsDoNotFit) {
    // Box 8 + 5 * 146 + 10 wide: five whole cells and part of a sixth.
    const StripMetrics m;
    const IntRect box{8, 660, 8 + 8 + 5 * 146 + 10, 818};
    const int visible = StripVisibleCount(box, m);
    EXPECT_EQ(visible, 6);
    const StripScroll five = StripScrollFor(visible, 5);
    EXPECT_FALSE(five.shown);
    EXPECT_EQ(five.maximum, 0);
    EXPECT_EQ(five.page, 0);
    EXPECT_EQ(five.lastPosition(), 0);
    const StripScroll ten = StripScrollFor(visible, 10);
    EXPECT_TRUE(ten.shown);
    EXPECT_EQ(ten.maximum, 10);
    EXPECT_EQ(ten.page, 6);
    EXPECT_EQ(ten.lastPosition(), 5);
    EXPECT_TRUE(StripScrollFor(visible, 6).shown);
    EXPECT_EQ(StripVisibleCount({8, 660, 12, 818}, m), 1);
}

TEST(StripScroll, HitsFollowTheScrollPosition) {
    const StripMetrics m;
    const IntRect box{8, 660, 8 + 8 + 2 * 146 + 50, 818}; // two whole cells and part of a third
    EXPECT_EQ(StripEntryAt(box, m, 0, 10, 20, 700), 0);
    EXPECT_EQ(StripEntryAt(box, m, 0, 10, 158, 700), -1); // in the gap
    EXPECT_EQ(StripEntryAt(box, m, 0, 10, 310, 700), 2);  // the partly shown cell
    EXPECT_EQ(StripEntryAt(box, m, 3, 10, 170, 700), 4);
    EXPECT_EQ(StripEntryAt(box, m, 3, 4, 170, 700), -1); // no such entry
    EXPECT_EQ(StripEntryAt(box, m, 0, 10, 20, 673), -1); // above the cells
    EXPECT_EQ(StripEntryAt(box, m, 0, 10, 20, 779), -1); // below
    EXPECT_EQ(StripEntryAt(box, m, 0, 10, 20, 778), 0);
}

} // namespace
