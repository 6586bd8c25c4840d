#include "view/edge_image.h"

#include "images/dib_image.h"
#include "images/grey_convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>

namespace {

// The rule written out plainly, pixel by pixel, on picture rows top-down.
CDibImage ReferenceEdge(const CDibImage& display, int vector) {
    const int w = display.width(), h = display.height();
    CDibImage grey;
    grey.createMemoryOnly(w, h, 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* s = display.scanLine(y) + x * display.bytesPerPixel();
            grey.scanLine(y)[x] = display.bitCount() == 8
                                      ? s[0]
                                      : static_cast<std::uint8_t>(GreyLevel(s[2], s[1], s[0]));
        }
    auto g = [&](int x, int y) { return static_cast<int>(grey.scanLine(y)[x]); };
    const int polarity = vector == 1 ? 1 : vector == 2 ? -1 : 0;
    CDibImage edge;
    edge.createMemoryOnly(w, h, 8);
    for (int y = 1; y <= h - 2; ++y)
        for (int x = 1; x <= w - 2; ++x) {
            const int gx = (g(x + 1, y - 1) + 2 * g(x + 1, y) + g(x + 1, y + 1)) -
                           (g(x - 1, y - 1) + 2 * g(x - 1, y) + g(x - 1, y + 1));
            const int gy = (g(x - 1, y + 1) + 2 * g(x, y + 1) + g(x + 1, y + 1)) -
                           (g(x - 1, y - 1) + 2 * g(x, y - 1) + g(x + 1, y - 1));
            float m = std::sqrt(static_cast<float>(gx) * gx + static_cast<float>(gy) * gy);
            if (polarity == 1 && g(x, y) < 128)
                m = 0;
            if (polarity == -1 && g(x, y) > 128)
                m = 0;
            edge.scanLine(y)[x] = static_cast<std::uint8_t>(std::clamp(m, 0.0f, 255.0f));
        }
    return edge;
}

void ExpectSamePixels(const CDibImage& a, const CDibImage& b, const char* what) {
    ASSERT_EQ(a.width(), b.width());
    ASSERT_EQ(a.height(), b.height());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.scanLine(y)[x], b.scanLine(y)[x]) << what << " at " << x << "," << y;
}

CDibImage RandomPicture(int w, int h, int bitCount, std::mt19937& rng, int levels = 256) {
    CDibImage image;
    image.createMemoryOnly(w, h, bitCount);
    for (std::size_t i = 0; i < image.byteSize(); ++i)
        image.bits()[i] = static_cast<std::uint8_t>(rng() % levels * (256 / levels));
    return image;
}

// Every kernel the processor runs, and the whole ComputeEdgeImage, give the rule's bytes:
// random pictures (full range and few levels, so that small and saturated magnitudes and
// the polarity limit at 128 all occur) of odd sizes, every edge type.
TEST(EdgeImageTest, EveryKernelGivesTheRulesBytes) {
    std::mt19937 rng(7);
    const int sizes[][2] = {{1, 1}, {2, 5}, {3, 3}, {5, 2}, {17, 13}, {64, 7}, {131, 33}};
    for (const auto& size : sizes)
        for (int bitCount : {8, 24, 32})
            for (int levels : {256, 4, 2}) {
                const CDibImage display = RandomPicture(size[0], size[1], bitCount, rng, levels);
                for (int vector = 0; vector <= 3; ++vector) {
                    const CDibImage expected = ReferenceEdge(display, vector);
                    CDibImage grey, edge;
                    grey.createMemoryOnly(size[0], size[1], 8);
                    edge.createMemoryOnly(size[0], size[1], 8);
                    ASSERT_EQ(ComputeEdgeImage(display, grey, edge, vector), 1);
                    ExpectSamePixels(edge, expected, "ComputeEdgeImage");
                    if (bitCount == 8)
                        continue;
                    for (const EdgeKernelInfo& k : AvailableEdgeKernels()) {
                        CDibImage other;
                        other.createMemoryOnly(size[0], size[1], 8);
                        ASSERT_EQ(EdgeImageFromGrey(grey, other, EdgePolarity(vector), k.kernel),
                                  1);
                        ExpectSamePixels(other, expected, k.name);
                    }
                }
            }
}

TEST(EdgeImageTest, MagnitudeOfStepsIsTruncatedAndCutAt255) {
    // A vertical step from 0 to level: the two columns beside it get 4 x level.
    struct Case {
        int level, expected;
    } cases[] = {{10, 40}, {63, 252}, {64, 255}, {200, 255}};
    for (const Case& c : cases) {
        CDibImage display, grey, edge;
        display.createMemoryOnly(8, 5, 8);
        grey.createMemoryOnly(8, 5, 8);
        edge.createMemoryOnly(8, 5, 8);
        for (int y = 0; y < 5; ++y)
            for (int x = 4; x < 8; ++x)
                display.scanLine(y)[x] = static_cast<std::uint8_t>(c.level);
        ASSERT_EQ(ComputeEdgeImage(display, grey, edge, 0), 1);
        EXPECT_EQ(edge.scanLine(2)[3], c.expected);
        EXPECT_EQ(edge.scanLine(2)[4], c.expected);
        EXPECT_EQ(edge.scanLine(2)[2], 0);
        EXPECT_EQ(edge.scanLine(0)[3], 0) << "border row";
    }
    // A diagonal magnitude: Gx = Gy = 3 gives sqrt(18) = 4.24, truncated to 4.
    CDibImage display, grey, edge;
    display.createMemoryOnly(3, 3, 8);
    grey.createMemoryOnly(3, 3, 8);
    edge.createMemoryOnly(3, 3, 8);
    display.scanLine(2)[2] = 3; // bottom right corner of the neighbourhood
    ASSERT_EQ(ComputeEdgeImage(display, grey, edge, 0), 1);
    EXPECT_EQ(edge.scanLine(1)[1], 4);
}

TEST(EdgeImageTest, PolarityKeepsLightOrDarkPixelsOnly) {
    // Columns of grey 100 | 128 | 160 side by side: every inner pixel lies on a step.
    CDibImage display, grey, edge;
    display.createMemoryOnly(6, 3, 24);
    grey.createMemoryOnly(6, 3, 8);
    edge.createMemoryOnly(6, 3, 8);
    const int levels[6] = {100, 100, 128, 160, 160, 160};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            std::fill_n(display.scanLine(y) + 3 * x, 3, static_cast<std::uint8_t>(levels[x]));
    struct Case {
        int vector;
        bool at100, at128, at160;
    } cases[] = {{0, true, true, true},
                 {1, false, true, true},
                 {2, true, true, false},
                 {3, true, true, true}};
    for (const Case& c : cases) {
        ASSERT_EQ(ComputeEdgeImage(display, grey, edge, c.vector), 1);
        EXPECT_EQ(edge.scanLine(1)[1] > 0, c.at100) << c.vector;
        EXPECT_EQ(edge.scanLine(1)[2] > 0, c.at128) << c.vector;
        EXPECT_EQ(edge.scanLine(1)[3] > 0, c.at160) << c.vector;
    }
}

TEST(EdgeImageTest, BorderIsZeroEvenInAReusedImage) {
    std::mt19937 rng(3);
    const CDibImage display = RandomPicture(9, 7, 24, rng);
    CDibImage grey, edge;
    grey.createMemoryOnly(9, 7, 8);
    edge.createMemoryOnly(9, 7, 8);
    std::fill_n(edge.bits(), edge.byteSize(), 0xEE);
    ASSERT_EQ(ComputeEdgeImage(display, grey, edge, 0), 1);
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(edge.scanLine(0)[x], 0);
        EXPECT_EQ(edge.scanLine(6)[x], 0);
    }
    for (int y = 0; y < 7; ++y) {
        EXPECT_EQ(edge.scanLine(y)[0], 0);
        EXPECT_EQ(edge.scanLine(y)[8], 0);
    }
}

TEST(EdgeImageTest, ImagesThatDoNotFitAreLeftAlone) {
    CDibImage display, grey, edge, small, colour, none;
    display.createMemoryOnly(10, 10, 24);
    grey.createMemoryOnly(10, 10, 8);
    edge.createMemoryOnly(10, 10, 8);
    small.createMemoryOnly(9, 10, 8);
    colour.createMemoryOnly(10, 10, 24);
    EXPECT_EQ(ComputeEdgeImage(display, grey, small, 0), 0);
    EXPECT_EQ(ComputeEdgeImage(display, small, edge, 0), 0);
    EXPECT_EQ(ComputeEdgeImage(display, grey, colour, 0), 0);
    EXPECT_EQ(ComputeEdgeImage(none, grey, edge, 0), 0);
    CDibImage sixteen;
    sixteen.createMemoryOnly(10, 10, 16);
    EXPECT_EQ(ComputeEdgeImage(sixteen, grey, edge, 0), 0);
    EXPECT_EQ(EdgeImageFromGrey(display, edge, 0), 0);
}

TEST(EdgeImageTest, PolarityOfEachType) {
    EXPECT_EQ(EdgePolarity(0), 0);
    EXPECT_EQ(EdgePolarity(1), 1);
    EXPECT_EQ(EdgePolarity(2), -1);
    EXPECT_EQ(EdgePolarity(3), 0);
    EXPECT_EQ(EdgePolarity(-1), 0);
    EXPECT_EQ(EdgePolarity(9), 0);
}

} // namespace
