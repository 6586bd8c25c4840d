#include "calib/blob_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// A label image from text, one string per memory row starting with row 0 (the bottom
// picture row, the first one searched); '#' is foreground.
LabelImage FromText(const std::vector<std::string>& rows) {
    LabelImage image;
    image.assign(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), kLabelBackground);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (rows[y][x] == '#')
                image.row(y)[x] = kLabelForeground;
    return image;
}

LabelImage Rectangle(int columns, int rows) {
    LabelImage image;
    image.assign(columns + 10, rows + 10, kLabelBackground);
    for (int y = 5; y < 5 + rows; ++y)
        for (int x = 5; x < 5 + columns; ++x)
            image.row(y)[x] = kLabelForeground;
    return image;
}

std::vector<FoundBlob> Search(LabelImage& image, double lower = 0, double upper = 1e9,
                              double aspect = 1e8) {
    std::vector<FoundBlob> found;
    BlobSearch search;
    EXPECT_EQ(search.run(image, {0, 0, image.width, image.height}, lower, upper, aspect, found),
              BlobSearchResult::Ok);
    return found;
}

// The rule as written, one pixel at a time, to hold the search to on random masks.
std::vector<FoundBlob> ReferenceSearch(LabelImage& image, const IntRect& rect, double lower,
                                       double upper, double aspect) {
    struct Blob {
        long long count = 0, sumX = 0, sumY = 0;
        int minX = 0, minY = 0, maxX = 0, maxY = 0;
    };
    const int w = image.width, h = image.height;
    for (int x = 0; x < w; ++x)
        image.row(0)[x] = image.row(h - 1)[x] = kLabelBackground;
    for (int y = 0; y < h; ++y)
        image.row(y)[0] = image.row(y)[w - 1] = kLabelBackground;
    std::vector<int> table(10);
    for (int i = 0; i < 10; ++i)
        table[i] = i;
    std::vector<Blob> blobs(10);
    int next = 0;
    for (int y = std::max(rect.top, 1); y < std::min(rect.bottom, h - 1); ++y)
        for (int x = std::max(rect.left, 1); x < std::min(rect.right, w - 1); ++x) {
            if (image.row(y)[x] != kLabelForeground)
                continue;
            const int around[8][2] = {{1, 0},  {1, 1},   {0, 1},  {-1, 1},
                                      {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
            int m = kLabelLimit;
            bool linked = false;
            for (const auto& d : around) {
                const int n = image.row(y + d[1])[x + d[0]];
                if (n > kLabelLimit)
                    continue;
                linked = true;
                if (n < m) {
                    m = n;
                } else if (n > m) {
                    while (static_cast<int>(table.size()) <= n)
                        table.push_back(static_cast<int>(table.size()));
                    table[n] = m;
                }
            }
            if (!linked) {
                m = next++;
                while (static_cast<int>(table.size()) <= m)
                    table.push_back(static_cast<int>(table.size()));
                blobs.resize(table.size());
                blobs[m] = {1, x, y, x, y, x, y};
            } else {
                Blob& b = blobs[m];
                ++b.count;
                b.sumX += x;
                b.sumY += y;
                b.minX = std::min(b.minX, x);
                b.minY = std::min(b.minY, y);
                b.maxX = std::max(b.maxX, x);
                b.maxY = std::max(b.maxY, y);
            }
            image.row(y)[x] = m;
        }
    blobs.resize(table.size());
    for (int i = static_cast<int>(table.size()) - 1; i >= 0; --i) {
        const int t = table[i];
        if (t == i)
            continue;
        Blob& to = blobs[t];
        const Blob& from = blobs[i];
        to.count += from.count;
        to.sumX += from.sumX;
        to.sumY += from.sumY;
        to.minX = std::min(to.minX, from.minX);
        to.minY = std::min(to.minY, from.minY);
        to.maxX = std::max(to.maxX, from.maxX);
        to.maxY = std::max(to.maxY, from.maxY);
        blobs[i] = {};
    }
    std::vector<FoundBlob> found;
    for (const Blob& b : blobs) {
        if (b.sumX == 0 && b.sumY == 0)
            continue;
        const int bw = std::max(std::abs(b.maxX - b.minX), 1);
        const int bh = std::max(std::abs(b.maxY - b.minY), 1);
        if (lower < b.count && b.count < upper &&
            static_cast<double>(std::max(bw, bh)) / std::min(bw, bh) < aspect &&
            (bw < 1600 || bh < 1200))
            found.push_back(
                {b.count, b.sumX / b.count, h - b.sumY / b.count, b.minX, b.minY, b.maxX, b.maxY});
    }
    return found;
}

TEST(BlobSearchTest, SameBlobsInTheSameOrderAsTheRuleOnRandomMasks) {
    std::mt19937 rng(21);
    for (int density : {10, 35, 50, 65, 90})
        for (int round = 0; round < 4; ++round) {
            const int w = 3 + static_cast<int>(rng() % 90), h = 3 + static_cast<int>(rng() % 70);
            LabelImage image;
            image.assign(w, h, kLabelBackground);
            for (auto& v : image.values)
                v = static_cast<int>(rng() % 100) < density ? kLabelForeground : kLabelBackground;
            LabelImage copy = image;
            const IntRect rect{static_cast<int>(rng() % 5), static_cast<int>(rng() % 5),
                               w - static_cast<int>(rng() % 5), h - static_cast<int>(rng() % 5)};
            std::vector<FoundBlob> found;
            BlobSearch search;
            ASSERT_EQ(search.run(image, rect, 1, 1e9, 3.0, found), BlobSearchResult::Ok);
            const std::vector<FoundBlob> expected = ReferenceSearch(copy, rect, 1, 1e9, 3.0);
            ASSERT_EQ(found.size(), expected.size()) << density << " " << w << "x" << h;
            for (std::size_t i = 0; i < found.size(); ++i) {
                EXPECT_EQ(found[i].count, expected[i].count) << i;
                EXPECT_EQ(found[i].centreX, expected[i].centreX) << i;
                EXPECT_EQ(found[i].centreY, expected[i].centreY) << i;
                EXPECT_EQ(found[i].minX, expected[i].minX) << i;
                EXPECT_EQ(found[i].minY, expected[i].minY) << i;
                EXPECT_EQ(found[i].maxX, expected[i].maxX) << i;
                EXPECT_EQ(found[i].maxY, expected[i].maxY) << i;
            }
            EXPECT_EQ(image.values, copy.values); // the same labels left in the image
        }
}

TEST(BlobSearchTest, BlobsComeInOrderOfDiscoveryWithSumsCentresAndBoxes) {
    LabelImage image = FromText({
        "..........",
        "......##..", // found first: row 1 is searched before the others
        "......##..",
        ".#........",
        ".##.......",
        "..........",
    });
    const std::vector<FoundBlob> found = Search(image);
    ASSERT_EQ(found.size(), 2u);
    // Columns 6, 7 on rows 1, 2: sum x 26, sum y 6; centre y is height - 6 / 4.
    EXPECT_EQ(found[0].count, 4);
    EXPECT_EQ(found[0].centreX, 6);
    EXPECT_EQ(found[0].centreY, 6 - 1);
    EXPECT_EQ(found[0].minX, 6);
    EXPECT_EQ(found[0].maxX, 7);
    EXPECT_EQ(found[0].minY, 1);
    EXPECT_EQ(found[0].maxY, 2);
    EXPECT_EQ(found[1].count, 3);
    EXPECT_EQ(found[1].centreX, 4 / 3);
    EXPECT_EQ(found[1].centreY, 6 - 11 / 3);
    // The search left its labels in the image.
    EXPECT_EQ(image.row(1)[6], 0);
    EXPECT_EQ(image.row(4)[2], 1);
}

TEST(BlobSearchTest, ArmsJoinedLaterAreMergedIntoTheLowerLabel) {
    LabelImage image = FromText({
        "..........",
        ".#.....#..",
        ".#.....#..",
        ".#######..",
        "..........",
    });
    const std::vector<FoundBlob> found = Search(image);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].count, 11);
    EXPECT_EQ(found[0].minX, 1);
    EXPECT_EQ(found[0].maxX, 7);
}

// The single pass links a larger neighbour label to a smaller one only in the order the
// neighbours are visited: a smaller label met after a larger one replaces it without a
// link, so these two touching parts stay two blobs.
TEST(BlobSearchTest, ASmallerLabelMetLaterIsNotLinkedToTheEarlierOne) {
    LabelImage image = FromText({
        "............",
        "..........#.",
        "...#......#.",
        "...#######..",
        "............",
    });
    const std::vector<FoundBlob> found = Search(image);
    ASSERT_EQ(found.size(), 2u);
    // Blob 0: its two pixels and the pixel (9, 3) that met label 1 on the left first and
    // label 0 at the upper right afterwards.
    EXPECT_EQ(found[0].count, 3);
    EXPECT_EQ(found[1].count, 7);
}

TEST(BlobSearchTest, LimitsOnCountAspectAndTheRing) {
    struct Case {
        int columns, rows;
        double lower, upper, aspect;
        bool reported;
    } cases[] = {
        {21, 20, 0, 1e9, 1.05, false}, // sides 20 and 19: 1.053
        {21, 21, 0, 1e9, 1.05, true},  {20, 21, 0, 1e9, 1.05, false},
        {3, 3, 9, 1e9, 1e8, false},                              // count 9 is not above 9
        {3, 3, 8, 1e9, 1e8, true},     {3, 3, 0, 9, 1e8, false}, // nor below 9
        {3, 3, 0, 10, 1e8, true},      {1, 1, 0, 10, 1e8, true}, // sides of 0 count as 1
        {1, 5, 0, 10, 4.0, false},     {1, 5, 0, 10, 4.1, true},
    };
    for (const Case& c : cases) {
        LabelImage image = Rectangle(c.columns, c.rows);
        EXPECT_EQ(Search(image, c.lower, c.upper, c.aspect).size(), c.reported ? 1u : 0u)
            << c.columns << " x " << c.rows;
    }
    // Foreground on the outermost ring is made background and never labelled.
    LabelImage ring = FromText({"####", "#..#", "####"});
    EXPECT_TRUE(Search(ring).empty());
    EXPECT_EQ(ring.row(0)[0], kLabelBackground);
}

TEST(BlobSearchTest, OnlyTheRectangleIsSearchedAndItIsCutToTheInside) {
    LabelImage image = FromText({
        "..........",
        ".##....##.",
        ".##....##.",
        "..........",
    });
    std::vector<FoundBlob> found;
    BlobSearch search;
    ASSERT_EQ(search.run(image, {5, -3, 40, 40}, 0, 1e9, 1e8, found), BlobSearchResult::Ok);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].minX, 7);
    EXPECT_EQ(image.row(1)[1], kLabelForeground); // outside the rectangle: untouched
    ASSERT_EQ(search.run(image, {9, 1, 3, 2}, 0, 1e9, 1e8, found), BlobSearchResult::Ok);
    EXPECT_EQ(found.size(), 1u); // an empty rectangle finds nothing
    LabelImage empty;
    EXPECT_EQ(search.run(empty, {0, 0, 5, 5}, 0, 1e9, 1e8, found), BlobSearchResult::Ok);
}

TEST(BlobSearchTest, MoreLabelsThanTheTableHoldsStopTheSearch) {
    // Isolated pixels on every other column of every other row: 1000 x 501 blobs.
    LabelImage image;
    image.assign(2002, 1004, kLabelBackground);
    for (int y = 1; y < 1003; y += 2)
        for (int x = 1; x < 2001; x += 2)
            image.row(y)[x] = kLabelForeground;
    std::vector<FoundBlob> found;
    BlobSearch search;
    EXPECT_EQ(search.run(image, {0, 0, image.width, image.height}, 0, 1e9, 1e8, found),
              BlobSearchResult::TooManyLabels);
    EXPECT_TRUE(found.empty());
    // Exactly as many as the table holds is still a search.
    LabelImage fits;
    fits.assign(2002, 1002, kLabelBackground);
    for (int y = 1; y < 1001; y += 2)
        for (int x = 1; x < 2001; x += 2)
            fits.row(y)[x] = kLabelForeground;
    EXPECT_EQ(search.run(fits, {0, 0, fits.width, fits.height}, 0, 1e9, 1e8, found),
              BlobSearchResult::Ok);
    EXPECT_EQ(found.size(), 500000u);
}

} // namespace
