#include "model/polygon_pixel_count.h"

#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

using Poly = std::vector<DPOINT>;

std::optional<std::int64_t> Count(const Poly& p, int w, int h) {
    return PolygonPixelCount(p.data(), static_cast<int>(p.size()), w, h);
}

// Pixel-by-pixel statement of the documented rule, to hold the scanline
// rasteriser against. Exact in 128-bit integers.
__extension__ typedef __int128 i128;

i128 FloorDiv(i128 a, i128 d) { // d > 0
    const i128 q = a / d;
    return (a % d != 0 && a < 0) ? q - 1 : q;
}

struct IV {
    i128 x, y;
};

bool InsideByEvenOdd(const std::vector<IV>& v, i128 c, i128 r) {
    bool inside = false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        IV a = v[i], b = v[(i + 1) % v.size()];
        if (a.y == b.y)
            continue;
        if (a.y > b.y)
            std::swap(a, b);
        if (r < a.y || r >= b.y)
            continue; // the centre line of row r does not cross this edge
        // Crossing x (times 2dy) against the pixel centre c + 0.5 (times 2dy).
        const i128 dy = b.y - a.y;
        const i128 crossing2dy = 2 * a.x * dy + (2 * r + 1 - 2 * a.y) * (b.x - a.x);
        if (crossing2dy <= (2 * c + 1) * dy)
            inside = !inside;
    }
    return inside;
}

bool OnOutline(const std::vector<IV>& v, i128 c, i128 r) {
    for (std::size_t i = 0; i < v.size(); ++i) {
        IV a = v[i], b = v[(i + 1) % v.size()];
        const i128 dx = b.x - a.x, dy = b.y - a.y;
        const i128 adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
        if (adx == 0 && ady == 0) {
            if (c == a.x && r == a.y)
                return true;
        } else if (adx >= ady) {
            if (a.x > b.x)
                std::swap(a, b);
            if (c < a.x || c > b.x)
                continue;
            // row nearest to the line at column c, halfway rounding up
            if (r == FloorDiv(2 * a.y * (b.x - a.x) + 2 * (c - a.x) * (b.y - a.y) + (b.x - a.x),
                              2 * (b.x - a.x)))
                return true;
        } else {
            if (a.y > b.y)
                std::swap(a, b);
            if (r < a.y || r > b.y)
                continue;
            if (c == FloorDiv(2 * a.x * (b.y - a.y) + 2 * (r - a.y) * (b.x - a.x) + (b.y - a.y),
                              2 * (b.y - a.y)))
                return true;
        }
    }
    return false;
}

std::int64_t Reference(const Poly& p, int w, int h) {
    std::vector<IV> v;
    for (const DPOINT& q : p)
        v.push_back(IV{static_cast<i128>(std::trunc(q.x)), static_cast<i128>(std::trunc(q.y))});
    std::int64_t n = 0;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            if (InsideByEvenOdd(v, c, r) || OnOutline(v, c, r))
                ++n;
    return n;
}

// Deterministic pseudo-random numbers for the comparison polygons.
struct Lcg {
    std::uint64_t s;
    int Next(int lo, int hi) {
        s = s * 6364136223846793005ULL + 1442695040888963407ULL;
        return lo + static_cast<int>((s >> 33) % static_cast<std::uint64_t>(hi - lo + 1));
    }
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMax = kMaxPolygonCoordinate;

} // namespace

TEST(PolygonPixelCount, KnownFigures) {
    struct Case {
        const char* name;
        Poly p;
        int w, h;
        std::int64_t count;
    };
    const std::vector<Case> cases = {
        {"10 x 10 square: interior and outline", {{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 100, 100, 121},
        {"same square, other winding", {{0, 10}, {10, 10}, {10, 0}, {0, 0}}, 100, 100, 121},
        {"fractions truncate toward zero",
         {{0.9, 0.9}, {10.9, -0.9}, {10.99, 10.5}, {-0.99, 10.01}}, 100, 100, 121},
        // 45 interior pixels (9 + 8 + ... + 0) and 30 outline pixels, 17 of them shared.
        {"right triangle", {{0, 0}, {10, 0}, {0, 10}}, 100, 100, 58},
        // Even-odd lobes of 25 + 25, outline 39, shared 17.
        {"bow-tie", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, 100, 100, 72},
        {"clipped at the top-left corner", {{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, 100, 100, 36},
        {"clipped at the bottom-right corner", {{95, 95}, {105, 95}, {105, 105}, {95, 105}}, 100, 100, 25},
        {"entirely outside", {{200, 200}, {300, 200}, {300, 300}}, 100, 100, 0},
        {"vertices far outside cover the picture",
         {{-1e6, -1e6}, {1e7, -1e6}, {-1e6, 1e7}}, 64, 48, 64 * 48},
        {"largest coordinates cover the picture",
         {{-kMax, -kMax}, {kMax, -kMax}, {kMax, kMax}, {-kMax, kMax}}, 64, 48, 64 * 48},
        {"two vertices: horizontal line", {{0, 5}, {9, 5}}, 100, 100, 10},
        {"two vertices: diagonal line", {{0, 0}, {9, 9}}, 100, 100, 10},
        {"two vertices: steep line, one pixel per row", {{0, 0}, {3, 9}}, 100, 100, 10},
        {"two vertices on one pixel", {{3.2, 3.7}, {3.9, 3.1}}, 100, 100, 1},
        {"line leaving the picture", {{-50, 2}, {50, 2}}, 20, 10, 20},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        const auto n = Count(tc.p, tc.w, tc.h);
        ASSERT_TRUE(n.has_value());
        EXPECT_EQ(*n, tc.count);
        EXPECT_EQ(Reference(tc.p, tc.w, tc.h), tc.count);
    }
}

TEST(PolygonPixelCount, Failures) {
    struct Case {
        const char* name;
        Poly p;
        int w, h;
    };
    const std::vector<Case> cases = {
        {"no vertex", {}, 100, 100},
        {"one vertex", {{5, 5}}, 100, 100},
        {"NaN", {{0, 0}, {kNaN, 5}, {5, 5}}, 100, 100},
        {"infinity", {{0, 0}, {5, -kInf}, {5, 5}}, 100, 100},
        {"beyond the coordinate bound", {{0, 0}, {1e12, 0}, {5, 5}}, 100, 100},
        {"just beyond the bound", {{0, 0}, {0, -(kMax + 1)}, {5, 5}}, 100, 100},
        {"empty picture", {{0, 0}, {10, 0}, {10, 10}}, 0, 100},
        {"negative height", {{0, 0}, {10, 0}, {10, 10}}, 100, -1},
        {"picture too large", {{0, 0}, {10, 0}, {10, 10}}, 1 << 16, 1 << 16},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.name);
        EXPECT_FALSE(Count(tc.p, tc.w, tc.h).has_value());
    }
    EXPECT_FALSE(PolygonPixelCount(nullptr, 3, 100, 100).has_value());
}

TEST(PolygonPixelCount, TakesTheSizeOfThePicture) {
    CDibImage picture;
    ASSERT_NE(picture.create(8, 6, 24), 0);
    const Poly square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_EQ(PolygonPixelCount(square.data(), 4, picture), std::optional<std::int64_t>(48));

    CDibImage none;
    EXPECT_FALSE(PolygonPixelCount(square.data(), 4, none).has_value());
}

// Random polygons, convex or not, self-intersecting, partly outside the
// picture, with duplicate and collinear vertices: the rasteriser must agree
// with the pixel-by-pixel rule, whatever vertex it starts from or which way
// it runs.
TEST(PolygonPixelCount, AgreesWithThePixelRuleOnRandomPolygons) {
    Lcg rng{12345};
    const int w = 48, h = 36;
    for (int trial = 0; trial < 300; ++trial) {
        const int n = rng.Next(2, 9);
        Poly p;
        for (int i = 0; i < n; ++i) {
            DPOINT q{static_cast<double>(rng.Next(-20, w + 20)), static_cast<double>(rng.Next(-20, h + 20))};
            if (i > 0 && rng.Next(0, 9) == 0)
                q = p.back(); // a repeated vertex
            p.push_back(q);
        }
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        const std::int64_t expected = Reference(p, w, h);
        ASSERT_EQ(Count(p, w, h), std::optional<std::int64_t>(expected));

        Poly reversed(p.rbegin(), p.rend());
        EXPECT_EQ(Count(reversed, w, h), std::optional<std::int64_t>(expected));
        std::rotate(p.begin(), p.begin() + 1, p.end());
        EXPECT_EQ(Count(p, w, h), std::optional<std::int64_t>(expected));
    }
}

TEST(PolygonPixelCount, AgreesWithThePixelRuleWithFarVertices) {
    // Long edges from near the coordinate bound exercise the 64-bit arithmetic.
    Lcg rng{777};
    const int w = 40, h = 30;
    const int far[] = {-536870912, -400000000, -1000, 1000, 400000000, 536870912};
    for (int trial = 0; trial < 200; ++trial) {
        const int n = rng.Next(3, 6);
        Poly p;
        for (int i = 0; i < n; ++i) {
            const bool isFar = rng.Next(0, 2) == 0;
            const double x = isFar ? far[rng.Next(0, 5)] : rng.Next(-5, w + 5);
            const double y = isFar ? far[rng.Next(0, 5)] : rng.Next(-5, h + 5);
            p.push_back(DPOINT{x, y});
        }
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        EXPECT_EQ(Count(p, w, h), std::optional<std::int64_t>(Reference(p, w, h)));
    }
}
