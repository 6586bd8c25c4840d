#include "capture/live_frame.h"

#include "capture/frame_rate.h"
#include "capture/white_balance.h"
#include "images/dib_image.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Each pixel names its position: B = x / 8, G = y / 8, R = 7.
CDibImage Positions(int w, int h) {
    CDibImage image;
    image.create(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = image.scanLine(y) + x * 3;
            p[0] = static_cast<std::uint8_t>(x / 8);
            p[1] = static_cast<std::uint8_t>(y / 8);
            p[2] = 7;
        }
    return image;
}

std::pair<int, int> SourceOf(const CDibImage& image, int x, int y) {
    const std::uint8_t* p = image.scanLine(y) + x * 3;
    return {p[0], p[1]};
}

TEST(LiveFrame, ResizeIsANearestNeighbourPicture) {
    const CDibImage frame = Positions(1280, 1024);
    ResizeSettings resize;
    resize.Resize_Width = 800;
    resize.Resize_Height = 600;
    int w = 0, h = 0;
    DisplaySizeFor(resize, 1280, 1024, w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    CDibImage display;
    display.create(w, h, 24);
    FillDisplayFromFrame(frame, display, resize);
    // Display (j, i) shows frame column floor(j * 1.6) and row floor(i * 1024 / 600).
    for (auto [j, i] : {std::pair{0, 0}, {799, 599}, {400, 300}, {123, 77}}) {
        const int sx = static_cast<int>(j * 1.6f), sy = static_cast<int>(i * (1024.0f / 600.0f));
        EXPECT_EQ(SourceOf(display, j, i), std::make_pair(sx / 8, sy / 8)) << j << "," << i;
    }

    // A source rectangle supplies the sampled size: 640 x 480 of the frame.
    resize.Resize_Left = 0;
    resize.Resize_Top = 0;
    resize.Resize_Right = 640;
    resize.Resize_Bottom = 480;
    FillDisplayFromFrame(frame, display, resize);
    EXPECT_EQ(SourceOf(display, 799, 599), std::make_pair(639 / 8, 479 / 8));
    // A rectangle turned inside out counts as none.
    resize.Resize_Right = 0;
    resize.Resize_Left = 700;
    resize.Resize_Right = 100;
    FillDisplayFromFrame(frame, display, resize);
    EXPECT_EQ(SourceOf(display, 799, 599), std::make_pair(1278 / 8, 1022 / 8));
}

TEST(LiveFrame, ValuesOfZeroOrLessShowTheFrameUnscaled) {
    for (auto [rw, rh] : {std::pair{-1, -1}, {0, 600}, {800, 0}, {-5, 600}}) {
        ResizeSettings resize;
        resize.Resize_Width = rw;
        resize.Resize_Height = rh;
        int w = 0, h = 0;
        DisplaySizeFor(resize, 640, 480, w, h);
        EXPECT_EQ(w, 640);
        EXPECT_EQ(h, 480);
        const CDibImage frame = Positions(640, 480);
        CDibImage display;
        display.create(w, h, 24);
        FillDisplayFromFrame(frame, display, resize);
        EXPECT_EQ(SourceOf(display, 639, 479), std::make_pair(639 / 8, 479 / 8));
        EXPECT_EQ(SourceOf(display, 17, 9), std::make_pair(2, 1));
    }
}

TEST(LiveFrame, LateFramesMeasuredFramesAndShownFrames) {
    const CDibImage frame = Positions(64, 48);
    CDibImage display;
    display.create(64, 48, 24);
    display.fillRect(RGB(255, 255, 255));
    WhiteBalanceMeasure measure;
    WhiteBalanceOffsets offsets;

    // The timer last ran 501 ms ago: dropped, the display untouched.
    EXPECT_EQ(PrepareLiveFrame(frame, display, {}, offsets, measure, 10501, 10000), LiveFrameOutcome::Late);
    EXPECT_EQ(SourceOf(display, 63, 47), std::make_pair(255, 255));
    EXPECT_EQ(PrepareLiveFrame(frame, display, {}, offsets, measure, 10500, 10000), LiveFrameOutcome::Shown);
    EXPECT_EQ(SourceOf(display, 63, 47), std::make_pair(7, 5));
    // The tick count wraps around.
    EXPECT_EQ(PrepareLiveFrame(frame, display, {}, offsets, measure, 100, 0xFFFFFF00u), LiveFrameOutcome::Shown);

    // Offsets apply before the measurement, which then takes the frame.
    offsets.m_WB_Flg = 1;
    offsets.m_WB_R = 300;
    measure.request = 1;
    EXPECT_EQ(PrepareLiveFrame(frame, display, {}, offsets, measure, 1000, 900), LiveFrameOutcome::Measured);
    EXPECT_EQ(measure.request, 0);
    EXPECT_EQ(display.scanLine(0)[2], 255);
    EXPECT_LT(measure.ratioGR, 0.2);
    // Offsets configured but switched off change nothing.
    offsets.m_WB_Flg = 0;
    EXPECT_EQ(PrepareLiveFrame(frame, display, {}, offsets, measure, 1000, 900), LiveFrameOutcome::Shown);
    EXPECT_EQ(display.scanLine(0)[2], 7);
}

TEST(FrameRate, CountsOverMoreThanOneSecond) {
    FrameRateCounter rate;
    rate.restart(5000);
    for (int i = 1; i <= 30; ++i)
        rate.count(5000 + i * 33); // the 30th frame at 5990 ms
    EXPECT_EQ(rate.frameRate, 0.0);
    EXPECT_EQ(rate.frameCount(), 30u);
    rate.count(6002);
    EXPECT_NEAR(rate.frameRate, 31 * 1000.0 / 1002, 1e-9);
    EXPECT_EQ(rate.frameCount(), 0u);
    // Exactly 1000 ms is not yet "more than".
    rate.count(7002);
    EXPECT_EQ(rate.frameCount(), 1u);
    EXPECT_TRUE(FrameIsLate(1501, 1000));
    EXPECT_FALSE(FrameIsLate(1500, 1000));
    EXPECT_FALSE(FrameIsLate(5, 0xFFFFFFF0u));
}

} // namespace
