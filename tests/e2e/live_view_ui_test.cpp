// The live picture from start to stop: device choice, frames, title, LIVE, failures.
#include "capture/synthetic_picture.h"
#include "live_fixture.h"
#include "images/bmp_codec.h"
#include "images/thumbnail_store.h"

#include "capture/capture_events.h"
#include "capture/init_camera_dlg.h"
#include "capture/media_subtype.h"
#include "platform/clock.h"

#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>

namespace e2e {
namespace {

using LiveView_ = LiveFixture;

TEST_F(LiveView_, VirtualCameraShowsItsPictureUprightWithTheFrameRateInTheTitle) {
    sources.virtualCameras = {TestCamera("TestCam")};
    writeSettings("[TestCam]\nWidth=320\nHeight=240\nFrame=300\n");
    CMeasureDlg& d = open();
    EXPECT_TRUE(d.camera().started);
    int recreated = 0;
    QObject::connect(&live(), &LiveView::imagesRecreated, [&](int w, int h) {
        EXPECT_EQ(w, 320);
        EXPECT_EQ(h, 240);
        ++recreated;
    });
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.camera().search, CameraSearch::Done);
    ASSERT_TRUE(waitFrames(5));
    const CDibImage& shown = d.displayImage();
    ASSERT_EQ(shown.width(), 320);
    ASSERT_EQ(shown.height(), 240);
    EXPECT_TRUE(Near(PixelAt(shown, 0, 0), {255, 0, 0})) << PixelAt(shown, 0, 0);
    EXPECT_TRUE(Near(PixelAt(shown, 319, 0), {0, 255, 0})) << PixelAt(shown, 319, 0);
    EXPECT_TRUE(Near(PixelAt(shown, 0, 239), {0, 0, 255})) << PixelAt(shown, 0, 239);
    EXPECT_TRUE(Near(PixelAt(shown, 319, 239), {255, 255, 255}));
    // After more than a second the rate is measured; the title shows it with one decimal.
    ASSERT_TRUE(WaitFor([&] { return d.camera().frameRate > 0.0; }, 4000));
    QTest::qWait(150);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^TestCam (\\d+\\.\\d)fps$")).match(d.windowTitle());
    ASSERT_TRUE(m.hasMatch()) << d.windowTitle().toStdString();
    EXPECT_GT(m.captured(1).toDouble(), 20.0);
    EXPECT_LT(m.captured(1).toDouble(), 36.0);
    clickLive();
    clickLive();
    EXPECT_EQ(recreated, 1);
}

TEST_F(LiveView_, EqualPrioritiesChooseTheFirstAndNegativeOnesStartNothing) {
    sources.virtualCameras = {TestCamera("CamA"), TestCamera("CamB")};
    writeSettings("[CamA]\nWidth=320\nHeight=240\nPriority=3\n[CamB]\nWidth=320\nHeight=240\nPriority=3\n");
    CMeasureDlg& d = open();
    EXPECT_EQ(d.camera().name, "CamA");
    EXPECT_EQ(live().capture().deviceIndex, 0);
    dlg.reset();

    writeSettings("[CamA]\nWidth=320\nHeight=240\nPriority=5\n[CamB]\nWidth=320\nHeight=240\nPriority=6\n");
    open();
    EXPECT_EQ(dlg->camera().name, "CamB");
    EXPECT_EQ(live().capture().deviceIndex, 1);
    dlg.reset();

    writeSettings("[CamA]\nPriority=-1\n[CamB]\nPriority=-1\n");
    CMeasureDlg& none = open();
    EXPECT_FALSE(none.camera().started);
    EXPECT_EQ(none.camera().search, CameraSearch::Searching);
    // The search runs with the main window kept hidden.
    EXPECT_FALSE(none.isVisible());
    ASSERT_NE(live().searchWindow(), nullptr);
    EXPECT_TRUE(live().searchWindow()->isVisible());
    EXPECT_EQ(live().searchWindow()->windowTitle(), "Search camera ...");
    EXPECT_EQ(live().capture().deviceIndex, -1);
}

TEST_F(LiveView_, StopKeepsTheLastFrameAndLiveRebuildsTheGraph) {
    sources.virtualCameras = {TestCamera("TestCam")};
    writeSettings("[TestCam]\nWidth=320\nHeight=240\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(waitFrames(3));
    const std::uint64_t firstGraph = live().capture().generation();

    clickLive();
    EXPECT_TRUE(d.camera().stopped);
    EXPECT_FALSE(live().capture().hasGraph());
    EXPECT_EQ(d.camera().frameRate, 0.0);
    QTest::qWait(250);
    EXPECT_EQ(d.windowTitle(), "Mirelta Version 1.658");
    const std::uint64_t shownWhenStopped = live().stats().shown;
    QTest::qWait(200);
    EXPECT_EQ(live().stats().shown, shownWhenStopped);
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 0, 0), {255, 0, 0}));
    // No retries while stopped.
    EXPECT_TRUE(d.camera().started);

    QTest::keyClick(d.item(idc::Line), Qt::Key_F11);
    EXPECT_FALSE(d.camera().stopped);
    EXPECT_TRUE(live().capture().hasGraph());
    EXPECT_NE(live().capture().generation(), firstGraph);
    ASSERT_TRUE(waitFrames(3));
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 0, 0), {255, 0, 0}));
}

TEST_F(LiveView_, AnErrorMidStreamKeepsTheProgramAndTheLastPicture) {
    VirtualCameraConfig cam = TestCamera("Flaky");
    cam.errorAfterFrames = 10;
    sources.virtualCameras = {cam};
    writeSettings("[Flaky]\nWidth=320\nHeight=240\n");
    CMeasureDlg& d = open();
    QString reason;
    QObject::connect(&live(), &LiveView::cameraFailed, [&](const QString& r) { reason = r; });
    ASSERT_TRUE(WaitFor([&] { return d.camera().stopped; }));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(live().capture().hasGraph());
    EXPECT_GE(live().stats().shown, 1u);
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 319, 0), {0, 255, 0}));
    QTest::qWait(250);
    EXPECT_EQ(d.windowTitle(), "Mirelta Version 1.658");
    // Measuring and saving go on, on the last picture.
    QTest::mouseClick(d.item(idc::Line), Qt::LeftButton);
    const auto at = [&d](double x, double y) {
        const DPOINT w = d.ImageToWindow({x, y});
        return QPoint(static_cast<int>(w.x), static_cast<int>(w.y));
    };
    QTest::mouseClick(&d, Qt::LeftButton, {}, at(20, 20));
    QTest::qWait(600); // not half of a double-click
    QTest::mouseClick(&d, Qt::LeftButton, {}, at(220, 20));
    EXPECT_EQ(d.measurements().GetCount(), 1);
    const std::size_t told = prompt.asked().size();
    d.settings().m_FilterIndex = 1;
    d.QuickSave();
    EXPECT_EQ(prompt.asked().size(), told);
    ASSERT_EQ(d.thumbnails().GetCount(), 1);
    CDibImage saved;
    ASSERT_EQ(ReadBmp(d.thumbnails().At(0)->path, saved), 1);
    EXPECT_TRUE(Near(PixelAt(saved, 319, 0), {0, 255, 0}));
    // LIVE tries again: the camera delivers until it fails once more.
    const std::uint64_t before = live().stats().shown;
    clickLive();
    EXPECT_FALSE(d.camera().stopped);
    ASSERT_TRUE(WaitFor([&] { return d.camera().stopped; }));
    EXPECT_GT(live().stats().shown, before);
}

TEST_F(LiveView_, ACameraWithoutFramesLeavesTheWhitePicture) {
    VirtualCameraConfig cam = TestCamera("Silent");
    cam.noFrames = true;
    sources.virtualCameras = {cam};
    writeSettings("[Silent]\nWidth=320\nHeight=240\n");
    CMeasureDlg& d = open();
    EXPECT_TRUE(d.camera().started);
    QTest::qWait(400);
    EXPECT_EQ(live().stats().shown, 0u);
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 10, 10), {255, 255, 255}));
    EXPECT_EQ(d.windowTitle(), "Silent 0.0fps");
    clickLive(); // stopping a silent camera returns at once
    EXPECT_FALSE(live().capture().hasGraph());
}

TEST_F(LiveView_, FramesOfAnotherSizeAreCopiedSafely) {
    VirtualCameraConfig small = TestCamera("Small", 640, 480);
    small.deliverWidth = 320;
    small.deliverHeight = 240;
    sources.virtualCameras = {small};
    writeSettings("[Small]\nWidth=640\nHeight=480\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(waitFrames(3));
    const CDibImage& shown = d.displayImage();
    ASSERT_EQ(shown.width(), 640);
    EXPECT_TRUE(Near(PixelAt(shown, 0, 0), {255, 0, 0}));
    EXPECT_TRUE(Near(PixelAt(shown, 319, 0), {0, 255, 0}));
    EXPECT_TRUE(Near(PixelAt(shown, 0, 239), {0, 0, 255}));
    EXPECT_TRUE(Near(PixelAt(shown, 320, 0), {255, 255, 255})); // never written
    EXPECT_TRUE(Near(PixelAt(shown, 639, 479), {255, 255, 255}));
    dlg.reset();

    VirtualCameraConfig large = TestCamera("Large", 320, 240);
    large.deliverWidth = 1280;
    large.deliverHeight = 960;
    sources.virtualCameras = {large};
    writeSettings("[Large]\nWidth=320\nHeight=240\n");
    open();
    ASSERT_TRUE(waitFrames(3));
    // Only the frame image's share of the larger frame: its top-left quarter, all red.
    for (auto [x, y] : {std::pair{0, 0}, {319, 0}, {0, 239}, {319, 239}})
        EXPECT_TRUE(Near(PixelAt(dlg->displayImage(), x, y), {255, 0, 0})) << x << "," << y;
}

TEST_F(LiveView_, StaleAnnouncementsOfAnOldGraphAreIgnored) {
    VirtualCameraConfig cam = TestCamera("Quiet");
    cam.noFrames = true;
    sources.virtualCameras = {cam};
    writeSettings("[Quiet]\nWidth=320\nHeight=240\n");
    CMeasureDlg& d = open();
    const std::uint64_t old = live().capture().generation();
    clickLive();
    clickLive();
    ASSERT_FALSE(d.camera().stopped);
    QCoreApplication::postEvent(&live(), new FrameArrivedEvent(old));
    QCoreApplication::postEvent(&live(), new CaptureErrorEvent(old, QStringLiteral("old graph")));
    QTest::qWait(50);
    EXPECT_EQ(live().stats().stale, 1u);
    EXPECT_EQ(live().stats().shown, 0u);
    EXPECT_FALSE(d.camera().stopped);
}

TEST_F(LiveView_, SearchGivesUpAfterThirtySecondsAndStartGoesOnWithoutACamera) {
    ManualClock clock(100000);
    Clock::install(&clock);
    CMeasureDlg& d = open();
    CInitCameraDlg* search = live().searchWindow();
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->progress()->maximum(), 30);
    clock.advance(12500);
    search->OnTimer();
    EXPECT_EQ(search->progress()->value(), 12);
    EXPECT_TRUE(prompt.asked().empty());
    clock.advance(17500);
    search->OnTimer();
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, "Imageing device not found");
    EXPECT_EQ(d.camera().search, CameraSearch::GiveUp);
    // The retry timer ends the main window with result 0, which ends the program.
    ASSERT_TRUE(WaitFor([&] { return d.camera().search == CameraSearch::Ended; }, 2000));
    EXPECT_EQ(d.result(), 0);
    EXPECT_FALSE(d.isVisible());
    Clock::install(nullptr);
    dlg.reset();

    g_bJapanese = true;
    CMeasureDlg& again = open();
    search = live().searchWindow();
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->windowTitle(), QString::fromUtf8("カメラ接続待ち"));
    EXPECT_EQ(search->startButton()->text(), QString::fromUtf8("起動"));
    EXPECT_FALSE(again.isVisible());
    QTest::mouseClick(search->startButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return again.camera().search == CameraSearch::Done; }, 2000));
    EXPECT_TRUE(again.isVisible());
    EXPECT_FALSE(again.camera().started);
    EXPECT_EQ(again.windowTitle(), QString::fromUtf8("Mirelta Version 1.658"));
}

TEST_F(LiveView_, ACameraPluggedInDuringTheSearchIsTakenByTheRetryTimer) {
    sources.virtualCameras = {TestCamera("Late")};
    writeSettings("[Late]\nWidth=320\nHeight=240\nPriority=-1\n");
    CMeasureDlg& d = open();
    ASSERT_FALSE(d.camera().started);
    QPointer<CInitCameraDlg> search = live().searchWindow();
    ASSERT_TRUE(search);
    writeSettings("[Late]\nWidth=320\nHeight=240\nPriority=0\n");
    ASSERT_TRUE(WaitFor([&] { return d.camera().started; }, 3000));
    EXPECT_EQ(d.camera().search, CameraSearch::Done);
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(!search || !search->isVisible());
    ASSERT_TRUE(waitFrames(2));
}

} // namespace
} // namespace e2e

namespace e2e {
namespace {

CaptureDeviceInfo V4l2Device(const std::string& name, const std::string& node) {
    CaptureDeviceInfo d;
    d.name = name;
    d.node = node;
    d.path = "usb#vid_046d&pid_0825#" + node;
    d.formats = {CaptureFormat{640, 480, MEDIASUBTYPE_YUY2, {{30, 1}}, {}, {}},
                 CaptureFormat{1280, 1024, MEDIASUBTYPE_MJPG, {{30, 1}}, {}, {}}};
    return d;
}

TEST_F(LiveView_, ARealCameraComesFirstAndAVanishedOneStopsWithoutEndingTheProgram) {
    sources.fixedDevices = {V4l2Device("USB Microscope", "/nonexistent/video3")};
    sources.virtualCameras = {DemoCameraConfig()};
    writeSettings("[USB Microscope]\nWidth=1280\nHeight=1024\nSubType=" + GuidToText(MEDIASUBTYPE_MJPG) +
                  "\n[Demo Microscope]\nWidth=1280\nHeight=1024\n");
    std::vector<std::string> names;
    CMeasureDlg& d = open();
    EXPECT_EQ(live().capture().EnumDeviceNames(names), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"USB Microscope", "Demo Microscope"}));
    // Equal priorities: the real camera, enumerated first, is chosen.
    EXPECT_EQ(d.camera().name, "USB Microscope");
    EXPECT_TRUE(d.camera().started);
    EXPECT_EQ(live().capture().formatChoice().kind, FormatChoice::Kind::Exact);
    // Its node is gone: v4l2src reports on the bus and the camera counts as stopped.
    ASSERT_TRUE(WaitFor([&] { return d.camera().stopped; }, 3000));
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(live().capture().hasGraph());
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 0, 0), {255, 255, 255}));

    // Choosing the demo camera by hand gives the specimen.
    live().capture().deviceIndex = 1;
    clickLive();
    EXPECT_EQ(d.camera().name, "Demo Microscope");
    ASSERT_TRUE(waitFrames(3));
    EXPECT_LT(PixelAt(d.displayImage(), 320, 340).g, 80); // the target's central dot
    EXPECT_GT(PixelAt(d.displayImage(), 320 + SyntheticPicture::kCentreDotRadius + 5, 340).g, 200); // beside it
}

} // namespace
} // namespace e2e
