#include "view/snap_to_edge.h"

#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <utility>

namespace {

struct Pixel {
    int x, y, value;
};

// An edge image of zeros with the given pixels set (picture rows top-down).
CDibImage EdgeWith(std::initializer_list<Pixel> pixels, int width = 40, int height = 30) {
    CDibImage edge;
    edge.createMemoryOnly(width, height, 8);
    for (const Pixel& p : pixels)
        edge.scanLine(p.y)[p.x] = static_cast<std::uint8_t>(p.value);
    return edge;
}

TEST(SnapToEdgeTest, SinglePixelIsTakenOnlyAboveTheThreshold) {
    const CDibImage edge = EdgeWith({{12, 10, 200}});
    DPOINT p{10.7, 10.2};
    EXPECT_EQ(SnapToEdge(p, edge, 128, 10), 1);
    EXPECT_EQ(p, (DPOINT{12.0, 10.0}));

    DPOINT q{10.7, 10.2};
    EXPECT_EQ(SnapToEdge(q, edge, 200, 10), 0);
    EXPECT_EQ(q, (DPOINT{10.7, 10.2}));
}

TEST(SnapToEdgeTest, PointOnAnEdgePixelStaysAndIsNotMoved) {
    const CDibImage edge = EdgeWith({{12, 10, 200}, {13, 10, 250}, {11, 11, 250}});
    DPOINT p{12.6, 10.9};
    EXPECT_EQ(SnapToEdge(p, edge, 128, 10), 0);
    EXPECT_EQ(p, (DPOINT{12.6, 10.9}));
}

TEST(SnapToEdgeTest, TiesGoToTheLowerRowThenToTheLeft) {
    // The point (20.5, 20.5) truncates to (20, 20); each case holds two candidates at the
    // same distance.
    struct Case {
        Pixel a, b;
        DPOINT expected;
    } cases[] = {
        {{20, 18, 200}, {20, 22, 200}, {20, 22}}, // above and below: the lower one
        {{18, 20, 200}, {22, 20, 200}, {18, 20}}, // left and right: the left one
        {{18, 22, 200}, {22, 22, 200}, {18, 22}}, // same lower row: the left one
        {{21, 19, 200}, {19, 21, 200}, {19, 21}}, // diagonal: the lower one
        {{21, 21, 200}, {19, 19, 200}, {21, 21}},
    };
    for (const Case& c : cases) {
        for (const auto& [first, second] : {std::pair{c.a, c.b}, std::pair{c.b, c.a}}) {
            const CDibImage edge = EdgeWith({first, second});
            DPOINT p{20.5, 20.5};
            EXPECT_EQ(SnapToEdge(p, edge, 128, 10), 1);
            EXPECT_EQ(p, c.expected) << c.a.x << "," << c.a.y << " / " << c.b.x << "," << c.b.y;
        }
    }
}

TEST(SnapToEdgeTest, SearchSquareIsHalfOpenAndCutByThePicture) {
    struct Case {
        Pixel edgePixel;
        DPOINT point;
        int size;
        bool moves;
    } cases[] = {
        {{10, 20, 200}, {20.9, 20.9}, 10, true},  // x - s is inside the square
        {{30, 20, 200}, {20.9, 20.9}, 10, false}, // x + s is not
        {{20, 10, 200}, {20.9, 20.9}, 10, true},
        {{20, 30, 200}, {20.9, 20.9}, 10, false},
        {{0, 0, 200}, {1.5, 1.5}, 10, true},     // square cut at the top-left corner
        {{39, 39, 200}, {37.2, 38.7}, 10, true}, // and at the bottom-right
        {{0, 5, 200}, {-3.5, 5.0}, 10, true},    // a point left of the picture
        {{0, 5, 200}, {-10.5, 5.0}, 10, false},  // truncated to -10: 0 is the square's end
        {{5, 5, 200}, {6.0, 6.0}, 1, true},      // Size 1: the pixels x - 1 ... x
        {{7, 6, 200}, {6.0, 6.0}, 1, false},
        {{5, 5, 200}, {6.0, 6.0}, 0, true}, // Size below 1 searches half-width 1
        {{5, 5, 200}, {6.0, 6.0}, -7, true},
        {{4, 6, 200}, {6.0, 6.0}, 0, false},
    };
    for (const Case& c : cases) {
        const CDibImage edge = EdgeWith({c.edgePixel}, 40, 40);
        DPOINT p = c.point;
        EXPECT_EQ(SnapToEdge(p, edge, 128, c.size), c.moves ? 1 : 0)
            << c.edgePixel.x << "," << c.edgePixel.y << " size " << c.size;
        if (c.moves)
            EXPECT_EQ(p, (DPOINT{double(c.edgePixel.x), double(c.edgePixel.y)}));
        else
            EXPECT_EQ(p, c.point);
    }
}

TEST(SnapToEdgeTest, ThresholdLimitsAndMissingPictures) {
    CDibImage full;
    full.createMemoryOnly(20, 20, 8);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            full.scanLine(y)[x] = 255;
    DPOINT p{5.5, 5.5};
    EXPECT_EQ(SnapToEdge(p, full, 255, 10), 0); // 255 or more never snaps
    EXPECT_EQ(SnapToEdge(p, full, 1000, 10), 0);
    // A negative threshold makes every pixel a candidate: the point's own wins.
    const CDibImage zeros = EdgeWith({}, 20, 20);
    EXPECT_EQ(SnapToEdge(p, zeros, -1, 10), 0);
    EXPECT_EQ(p, (DPOINT{5.5, 5.5}));

    const CDibImage none;
    EXPECT_EQ(SnapToEdge(p, none, 128, 10), 0);
    CDibImage colour;
    colour.createMemoryOnly(20, 20, 24);
    EXPECT_EQ(SnapToEdge(p, colour, -1, 10), 0);
    for (DPOINT far : {DPOINT{1e300, 5.0}, DPOINT{5.0, -1e12}, DPOINT{std::nan(""), 5.0}}) {
        EXPECT_EQ(SnapToEdge(far, zeros, -1, 10), 0);
    }
}

TEST(SnapToEdgeTest, HugeSizeFromTheSettingsFileSearchesThePicture) {
    const CDibImage edge = EdgeWith({{39, 29, 200}});
    DPOINT p{0.0, 0.0};
    EXPECT_EQ(SnapToEdge(p, edge, 128, 2147483647), 1);
    EXPECT_EQ(p, (DPOINT{39.0, 29.0}));
}

} // namespace
