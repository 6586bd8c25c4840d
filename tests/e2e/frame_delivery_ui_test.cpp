// What the frame handler makes of each frame: resizing, white balance, subtypes.
#include "live_fixture.h"

#include "capture/capture_events.h"
#include "capture/media_subtype.h"

namespace e2e {
namespace {

using FrameDelivery = LiveFixture;

TEST_F(FrameDelivery, ResizeShowsANearestNeighbourPicture) {
    sources.virtualCameras = {TestCamera("Big", 1280, 1024)};
    writeSettings("[Big]\nWidth=1280\nHeight=1024\nResize_Width=800\nResize_Height=600\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(waitFrames(2));
    const CDibImage& shown = d.displayImage();
    ASSERT_EQ(shown.width(), 800);
    ASSERT_EQ(shown.height(), 600);
    // The quarters meet at frame column 640 and row 512: display column 400 samples
    // column 640 and column 399 samples 638; row 300 samples 512 and row 299 samples 510.
    // A smoothing scaler would blend the colours at the seams.
    EXPECT_TRUE(Near(PixelAt(shown, 399, 0), {255, 0, 0}));
    EXPECT_TRUE(Near(PixelAt(shown, 400, 0), {0, 255, 0}));
    EXPECT_TRUE(Near(PixelAt(shown, 0, 299), {255, 0, 0}));
    EXPECT_TRUE(Near(PixelAt(shown, 0, 300), {0, 0, 255}));
    EXPECT_TRUE(Near(PixelAt(shown, 799, 599), {255, 255, 255}));
}

TEST_F(FrameDelivery, ResizeValuesOfZeroOrLessShowTheFrameUnscaled) {
    sources.virtualCameras = {TestCamera("Cam")};
    writeSettings("[Cam]\nWidth=320\nHeight=240\nResize_Width=0\nResize_Height=600\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(waitFrames(2));
    EXPECT_EQ(d.displayImage().width(), 320);
    EXPECT_EQ(d.displayImage().height(), 240);
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 159, 119), {255, 0, 0}));
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 160, 120), {255, 255, 255}));
}

TEST_F(FrameDelivery, WhiteBalanceOffsetsSaturateAndLeaveGreen) {
    VirtualCameraConfig cam = TestCamera("Grey");
    cam.pattern = SyntheticPicture::Pattern::Solid;
    cam.solid = RGB(100, 110, 120);
    sources.virtualCameras = {cam};
    writeSettings("[Grey]\nWidth=320\nHeight=240\n[Mirelta]\nm_WB_Flg=1\nm_WB_R=300\nm_WB_G=-90\nm_WB_B=-300\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(waitFrames(2));
    const Rgb c = PixelAt(d.displayImage(), 100, 100);
    EXPECT_EQ(c.r, 255);
    EXPECT_EQ(c.g, 110);
    EXPECT_EQ(c.b, 0);
    quit();
    EXPECT_NE(readSettings().find("m_WB_G=-90"), std::string::npos);
}

TEST_F(FrameDelivery, TheMeasuredFrameIsNotCountedAnalysedOrRepainted) {
    // A camera that sends nothing by itself: the test hands in the frames.
    VirtualCameraConfig cam = TestCamera("Manual", 64, 48);
    cam.noFrames = true;
    sources.virtualCameras = {cam};
    writeSettings("[Manual]\nWidth=64\nHeight=48\n");
    CMeasureDlg& d = open();
    int analysed = 0;
    QObject::connect(&live(), &LiveView::frameShown, [&] { ++analysed; });
    auto deliver = [&](std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::vector<std::uint8_t> bytes(64 * 3 * 48);
        for (std::size_t i = 0; i < bytes.size(); i += 3) {
            bytes[i] = b;
            bytes[i + 1] = g;
            bytes[i + 2] = r;
        }
        live().frameImage().write({bytes.data(), bytes.size(), 64, 48, 64 * 3});
        QCoreApplication::postEvent(&live(), new FrameArrivedEvent(live().capture().generation()));
        QTest::qWait(20);
    };
    deliver(90, 90, 90);
    EXPECT_EQ(live().stats().shown, 1u);
    EXPECT_EQ(analysed, 1);

    live().whiteBalanceMeasure().request = 1;
    deliver(60, 60, 60);
    EXPECT_EQ(live().whiteBalanceMeasure().request, 0);
    EXPECT_DOUBLE_EQ(live().whiteBalanceMeasure().ratioGR, 1.0);
    EXPECT_DOUBLE_EQ(live().whiteBalanceMeasure().ratioGB, 1.0);
    EXPECT_EQ(live().stats().shown, 1u);
    EXPECT_EQ(live().stats().measured, 1u);
    EXPECT_EQ(analysed, 1);

    live().whiteBalanceMeasure().request = 1;
    deliver(50, 100, 0); // no blue: its ratio stays
    EXPECT_DOUBLE_EQ(live().whiteBalanceMeasure().ratioGR, 2.0);
    EXPECT_DOUBLE_EQ(live().whiteBalanceMeasure().ratioGB, 1.0);

    deliver(10, 20, 30);
    EXPECT_EQ(live().stats().shown, 2u);
    EXPECT_EQ(analysed, 2);
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 3, 3), {10, 20, 30}));
}

TEST_F(FrameDelivery, FramesAnnouncedWhileTheWindowIsHalfASecondBehindAreDropped) {
    VirtualCameraConfig cam = TestCamera("Manual", 64, 48);
    cam.noFrames = true;
    sources.virtualCameras = {cam};
    writeSettings("[Manual]\nWidth=64\nHeight=48\n");
    CMeasureDlg& d = open();
    d.titleTimer().stop(); // the window's timer no longer runs
    live().state().lastTick -= 600;
    std::vector<std::uint8_t> bytes(64 * 3 * 48, 0);
    live().frameImage().write({bytes.data(), bytes.size(), 64, 48, 64 * 3});
    QCoreApplication::postEvent(&live(), new FrameArrivedEvent(live().capture().generation()));
    QTest::qWait(30);
    EXPECT_EQ(live().stats().late, 1u);
    EXPECT_EQ(live().stats().shown, 0u);
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 1, 1), {255, 255, 255}));
}

TEST_F(FrameDelivery, CameraSubtypesAreConvertedToTheFramePicture) {
    struct Case {
        GUID subtype;
        int tolerance;
    };
    // Raw YUV loses a little colour; JPEG more (and blurs the seams, so the points sit
    // well inside the quarters).
    const Case cases[] = {{MEDIASUBTYPE_YUY2, 12}, {MEDIASUBTYPE_I420, 12}, {MEDIASUBTYPE_NV12, 12},
                          {MEDIASUBTYPE_MJPG, 40}};
    for (const Case& c : cases) {
        VirtualCameraConfig cam = TestCamera("Coded");
        cam.subtype = c.subtype;
        sources.virtualCameras = {cam};
        writeSettings("[Coded]\nWidth=320\nHeight=240\nSubType=" + GuidToText(c.subtype) + "\n");
        CMeasureDlg& d = open();
        EXPECT_EQ(live().capture().formatChoice().kind, FormatChoice::Kind::Exact) << MediaSubtypeLabel(c.subtype);
        ASSERT_TRUE(waitFrames(2)) << MediaSubtypeLabel(c.subtype);
        const CDibImage& shown = d.displayImage();
        EXPECT_TRUE(Near(PixelAt(shown, 40, 40), {255, 0, 0}, c.tolerance))
            << MediaSubtypeLabel(c.subtype) << PixelAt(shown, 40, 40);
        EXPECT_TRUE(Near(PixelAt(shown, 280, 40), {0, 255, 0}, c.tolerance))
            << MediaSubtypeLabel(c.subtype) << PixelAt(shown, 280, 40);
        EXPECT_TRUE(Near(PixelAt(shown, 40, 200), {0, 0, 255}, c.tolerance))
            << MediaSubtypeLabel(c.subtype) << PixelAt(shown, 40, 200);
        dlg.reset();
    }
}

} // namespace
} // namespace e2e
