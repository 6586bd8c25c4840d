#include "view/edge_snapper.h"

#include "platform/clock.h"
#include "settings/app_settings.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// A grey picture, dark on the left and light from column `step` on.
CDibImage StepPicture(int width, int height, int step) {
    CDibImage picture;
    picture.createMemoryOnly(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = step; x < width; ++x)
            std::fill_n(picture.scanLine(y) + 3 * x, 3, std::uint8_t{200});
    return picture;
}

MagnetSettings Magnet(int show) {
    MagnetSettings m;
    m.Show = show;
    return m;
}

TEST(EdgeSnapperTest, WhileShownEveryFrameRecomputesEvenWithSnappingOff) {
    ManualClock clock(5000);
    EdgeSnapper snapper(clock);
    const CDibImage picture = StepPicture(40, 30, 20);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(snapper.onFrame(picture, Magnet(1)));
    EXPECT_EQ(snapper.edgeImage().scanLine(10)[20], 255);
}

TEST(EdgeSnapperTest, OtherwiseOncePerSecondWhileSnappingIsOn) {
    ManualClock clock(5000);
    EdgeSnapper snapper(clock);
    const CDibImage picture = StepPicture(40, 30, 20);
    const MagnetSettings hidden = Magnet(0);
    EXPECT_FALSE(snapper.onFrame(picture, hidden)); // off: nothing at all
    clock.advance(5000);
    EXPECT_FALSE(snapper.onFrame(picture, hidden));

    snapper.setEnabled(true);
    struct Step {
        std::uint32_t advance;
        bool recomputed;
    } steps[] = {
        {0, false},    // the first frame only starts the clock
        {1000, false}, // 1000 ms is not more than 1000 ms
        {1, true},     {600, false}, {401, true}, {1001, true},
    };
    for (const Step& s : steps) {
        clock.advance(s.advance);
        EXPECT_EQ(snapper.onFrame(picture, hidden), s.recomputed) << "at " << clock.nowMs();
    }
}

TEST(EdgeSnapperTest, TheSecondRuleSurvivesTheTickCountWrapping) {
    ManualClock clock(0xFFFFFF00u);
    EdgeSnapper snapper(clock);
    snapper.setEnabled(true);
    const CDibImage picture = StepPicture(10, 10, 5);
    EXPECT_FALSE(snapper.onFrame(picture, Magnet(0)));
    clock.advance(900); // past the wrap
    EXPECT_FALSE(snapper.onFrame(picture, Magnet(0)));
    clock.advance(200);
    EXPECT_TRUE(snapper.onFrame(picture, Magnet(0)));
}

TEST(EdgeSnapperTest, SnapsOnlyWhileOnAndClearingStopsAtOnce) {
    ManualClock clock;
    EdgeSnapper snapper(clock);
    const CDibImage picture = StepPicture(40, 30, 20);
    MagnetSettings magnet = Magnet(1);
    ASSERT_TRUE(snapper.onFrame(picture, magnet));
    DPOINT p{16.5, 12.5};
    EXPECT_EQ(snapper.snapToEdge(p, magnet), 0); // off
    snapper.setEnabled(true);
    EXPECT_EQ(snapper.snapToEdge(p, magnet), 1);
    EXPECT_EQ(p, (DPOINT{19.0, 12.0}));
    snapper.setEnabled(false);
    DPOINT q{16.5, 12.5};
    EXPECT_EQ(snapper.snapToEdge(q, magnet), 0);
    EXPECT_EQ(snapper.snapped(q, magnet), q);
    EXPECT_TRUE(snapper.onFrame(picture, magnet)); // the shown preview keeps being made
}

TEST(EdgeSnapperTest, ImagesFollowThePictureSizeAndFramesAllocateNothing) {
    ManualClock clock;
    EdgeSnapper snapper(clock);
    ASSERT_TRUE(snapper.resize(64, 48));
    EXPECT_EQ(snapper.edgeImage().width(), 64);
    EXPECT_FALSE(snapper.resize(0, 48));

    const CDibImage picture = StepPicture(64, 48, 30);
    const MagnetSettings shown = Magnet(1);
    ASSERT_TRUE(snapper.onFrame(picture, shown));
    const std::uint8_t* edgeBits = snapper.edgeImage().bits();
    const CDibImage* preview = snapper.preview(picture, shown);
    ASSERT_NE(preview, nullptr);
    const std::uint8_t* previewBits = preview->bits();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(snapper.onFrame(picture, shown));
        EXPECT_EQ(snapper.edgeImage().bits(), edgeBits);
        EXPECT_EQ(snapper.preview(picture, shown)->bits(), previewBits);
    }

    // A still picture of another size: the images take its size and its edges.
    const CDibImage still = StepPicture(30, 20, 10);
    ASSERT_TRUE(snapper.onStillPicture(still, Magnet(0)));
    EXPECT_EQ(snapper.edgeImage().width(), 30);
    EXPECT_EQ(snapper.edgeImage().height(), 20);
    EXPECT_EQ(snapper.edgeImage().scanLine(5)[10], 255);
}

TEST(EdgeSnapperTest, PreviewOnlyWhileShownAndFromTheRightSource) {
    ManualClock clock;
    EdgeSnapper snapper(clock);
    const CDibImage picture = StepPicture(40, 30, 20);
    MagnetSettings magnet = Magnet(1);
    ASSERT_TRUE(snapper.onFrame(picture, magnet));
    const CDibImage* edges = snapper.preview(picture, magnet);
    ASSERT_NE(edges, nullptr);
    EXPECT_EQ(edges->scanLine(10)[19], 255); // on the step
    EXPECT_EQ(edges->scanLine(10)[30], 0);   // light but flat

    magnet.Vector = 3;
    const CDibImage* binary = snapper.preview(picture, magnet);
    ASSERT_NE(binary, nullptr);
    EXPECT_EQ(binary->scanLine(10)[19], 0);
    EXPECT_EQ(binary->scanLine(10)[30], 255);

    magnet.Show = 0;
    EXPECT_EQ(snapper.preview(picture, magnet), nullptr);
}

} // namespace
