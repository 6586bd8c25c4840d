// CCapture and its grabber callback without the main window.
#include "capture/capture.h"
#include "capture/capture_events.h"
#include "capture/grab_cb.h"
#include "capture/shared_frame.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Counts the frame announcements it receives.
class Receiver : public QObject {
public:
    int frames = 0;
    std::uint64_t generation = 0;

protected:
    void customEvent(QEvent* e) override {
        if (e->type() == WM_FRAME_ARRIVED) {
            ++frames;
            generation = static_cast<FrameArrivedEvent*>(e)->generation();
        }
    }
};

CameraSources Virtual(int count) {
    CameraSources s;
    s.realDevices = false;
    for (int i = 0; i < count; ++i) {
        VirtualCameraConfig config;
        config.name = "Cam" + std::to_string(i);
        config.width = 64;
        config.height = 48;
        config.pattern = SyntheticPicture::Pattern::Quadrants;
        s.virtualCameras.push_back(config);
    }
    return s;
}

TEST(Capture, NoDeviceAtAllEnumeratesAsMinusOne) {
    CCapture capture(Virtual(0));
    std::vector<std::string> names{"stale"};
    EXPECT_EQ(capture.EnumDeviceNames(names), -1);
    EXPECT_TRUE(names.empty());
    std::string name = "stale";
    EXPECT_EQ(capture.GetDeviceName(0, name), 0);
    EXPECT_EQ(name, "");
    capture.deviceIndex = 0;
    EXPECT_LT(capture.OpenDevice(), 0);
    EXPECT_EQ(capture.BuildGraph(nullptr, nullptr, 0, false), 0);
    EXPECT_EQ(capture.Run(), 0);
    EXPECT_EQ(capture.Stop(), 0);
}

TEST(Capture, TenDevicesAtMostAndIndexTenIsNeverOpened) {
    CCapture capture(Virtual(12));
    std::vector<std::string> names;
    EXPECT_EQ(capture.EnumDeviceNames(names), 10);
    EXPECT_EQ(names.back(), "Cam9");
    std::string name;
    EXPECT_EQ(capture.GetDeviceName(9, name), 1);
    EXPECT_EQ(name, "Cam9");
    EXPECT_EQ(capture.GetDeviceName(10, name), 0);
    EXPECT_EQ(capture.GetDeviceName(-1, name), 0);
    for (int index : {10, 11, -1, -5}) {
        capture.deviceIndex = index;
        EXPECT_LT(capture.OpenDevice(), 0) << index;
        EXPECT_FALSE(capture.hasGraph());
    }
    capture.deviceIndex = 9;
    capture.width = 64;
    capture.height = 48;
    EXPECT_EQ(capture.OpenDevice(), 0);
    EXPECT_TRUE(capture.hasGraph());
    EXPECT_EQ(capture.formatChoice().kind, FormatChoice::Kind::Requested);
    capture.Teardown();
    EXPECT_FALSE(capture.hasGraph());
}

TEST(Capture, RunStopAndTeardownAroundAStream) {
    CCapture capture(Virtual(1));
    capture.deviceIndex = 0;
    capture.width = 64;
    capture.height = 48;
    capture.subtype = MEDIASUBTYPE_RGB24;
    SharedFrame frame;
    ASSERT_EQ(frame.create(64, 48), 1);
    Receiver receiver;
    EXPECT_EQ(capture.BuildGraph(&receiver, &frame, frame.byteSize(), true), 1);
    EXPECT_EQ(capture.running, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.frames >= 1; }, 3000));
    EXPECT_EQ(receiver.generation, capture.generation());
    // Until the frame is read, later frames are merged into the one announcement.
    QTest::qWait(200);
    EXPECT_EQ(receiver.frames, 1);
    EXPECT_GT(frame.counters().merged, 0u);
    const int red = frame.read([](const CDibImage& image) { return image.scanLine(0)[2]; });
    EXPECT_EQ(red, 255);
    ASSERT_TRUE(QTest::qWaitFor([&] { return receiver.frames >= 2; }, 3000));
    EXPECT_EQ(capture.Stop(), 1);
    EXPECT_EQ(capture.running, 0);
    EXPECT_EQ(capture.Run(), 1);
    const std::uint64_t before = capture.generation();
    capture.Teardown();
    EXPECT_EQ(capture.running, 0);
    EXPECT_NE(capture.generation(), before);
    capture.Teardown(); // twice is harmless
}

TEST(GrabCallback, CopiesAnnouncesOnceAndRefusesARecreatedImage) {
    SharedFrame frame;
    ASSERT_EQ(frame.create(4, 2), 1);
    Receiver receiver;
    std::vector<std::uint8_t> bytes(12 * 2, 7);
    CGrabCB callback(&frame, &receiver, frame.byteSize(), 42);
    EXPECT_EQ(callback.BufferCB({bytes.data(), bytes.size(), 4, 2, 12}), 0);
    EXPECT_EQ(callback.BufferCB({bytes.data(), bytes.size(), 4, 2, 12}), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(receiver.frames, 1);
    EXPECT_EQ(receiver.generation, 42u);
    EXPECT_EQ(frame.counters().offered, 2u);
    // A frame image of another size than the graph was built for is not written.
    ASSERT_EQ(frame.create(8, 8), 1);
    callback.BufferCB({bytes.data(), bytes.size(), 4, 2, 12});
    EXPECT_EQ(frame.read([](const CDibImage& image) { return image.scanLine(0)[0]; }), 255);
    // Without a window nothing stays outstanding.
    SharedFrame other;
    ASSERT_EQ(other.create(4, 2), 1);
    CGrabCB orphan(&other, nullptr, other.byteSize(), 1);
    orphan.BufferCB({bytes.data(), bytes.size(), 4, 2, 12});
    orphan.BufferCB({bytes.data(), bytes.size(), 4, 2, 12});
    EXPECT_EQ(other.counters().posted, 2u);
}

} // namespace
