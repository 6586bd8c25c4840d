// The register camera on a simulated controller: its life cycle with the camera, and the
// image-setting window that SET opens while it runs.
#include "live_fixture.h"

#include "capture/image_set_kt4_dlg.h"
#include "capture/simulated_register_camera.h"
#include "platform/profile.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <cstdio>

namespace e2e {
namespace {

constexpr int kRed = 0x02D;

class RegisterCamera : public LiveFixture {
protected:
    void SetUp() override {
        LiveFixture::SetUp();
        VirtualCameraConfig cam = TestCamera("VESPIR-220KT4");
        cam.path = "usb#vid_3f7a&pid_0b41#virtual";
        cam.pattern = SyntheticPicture::Pattern::Solid;
        cam.solid = RGB(100, 100, 100);
        cam.registerCamera = sensor;
        sources.virtualCameras = {cam};
    }

    // The number of restart pulses (bit 0x8000 of 0x106 set) the camera saw.
    int restartPulses() const {
        int n = 0;
        for (const auto& [address, value] : sensor->registerWrites())
            n += address == 0x106 && (value & 0x8000) ? 1 : 0;
        return n;
    }
    Rgb centre() { return PixelAt(dlg->displayImage(), 160, 120); }
    // Opens the settings with SET; `work` runs while the window is shown, and closes it.
    void withWindow(const std::function<void(CImageSetKT4Dlg&)>& work) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            ASSERT_TRUE(WaitFor([] { return qobject_cast<CImageSetKT4Dlg*>(QApplication::activeModalWidget()); }));
            auto* w = qobject_cast<CImageSetKT4Dlg*>(QApplication::activeModalWidget());
            ran = true;
            work(*w);
            if (w->isVisible())
                w->reject();
        });
        QTest::mouseClick(dlg->item(idc::Set), Qt::LeftButton);
        EXPECT_TRUE(ran);
    }
    static void type(CImageSetKT4Dlg& w, int field, int value) {
        auto* edit = qobject_cast<QLineEdit*>(w.item(field));
        ASSERT_NE(edit, nullptr);
        edit->setText(QString::number(value));
    }

    std::shared_ptr<SimulatedRegisterCamera> sensor = std::make_shared<SimulatedRegisterCamera>();
};

TEST_F(RegisterCamera, StoredSettingsAreAppliedOnceAfterTheFirstFramesAndStoredAtTheStop) {
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n[Camera]\nWB_RED=64\nEXPOSURE=300\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(live().controller().attached());
    // Initialised at the start: automatic exposure off, bit 0x0010 on.
    EXPECT_EQ(sensor->reg(0x106) & 0x4012, 0x0010);
    EXPECT_FALSE(d.item(idc::Set)->isEnabled());
    EXPECT_EQ(restartPulses(), 0);
    ASSERT_TRUE(WaitFor([&] { return live().controllerApplied == 1; }));
    EXPECT_GT(live().controllerFrames, 10);
    EXPECT_TRUE(d.item(idc::Set)->isEnabled());
    EXPECT_EQ(sensor->reg(kRed), 64);
    EXPECT_EQ(sensor->reg(0x009), 300);
    // Later ticks and frames apply nothing again.
    ASSERT_TRUE(waitFrames(10));
    QTest::qWait(300);
    EXPECT_EQ(restartPulses(), 1);

    sensor->setReg(0x02C, 0x41);
    clickLive();
    const Profile stored(dir + "/Mirelta.ini");
    EXPECT_EQ(stored.GetInt("Camera", "WB_AUTO", -1), 0);
    EXPECT_EQ(stored.GetInt("Camera", "WB_RED", -1), 64);
    EXPECT_EQ(stored.GetInt("Camera", "WB_BLUE", -1), 0x41);
    EXPECT_EQ(stored.GetInt("Camera", "EXPOSURE", -1), 300);
    EXPECT_EQ(stored.GetInt("Camera", "VP_SATURATION", -1), 64);

    // The next start applies them again, once.
    sensor->clearLog();
    clickLive();
    ASSERT_TRUE(WaitFor([&] { return live().controllerApplied == 1; }));
    EXPECT_EQ(restartPulses(), 1);
    EXPECT_EQ(sensor->reg(0x02C), 0x41);
}

TEST_F(RegisterCamera, StoppedWithinTheFirstFramesKeepsTheStoredSettings) {
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n[Camera]\nWB_RED=64\n");
    open();
    clickLive(); // before any tick could apply them
    EXPECT_EQ(Profile(dir + "/Mirelta.ini").GetInt("Camera", "WB_RED", -1), 64);
}

TEST_F(RegisterCamera, TheWindowChangesThePictureAndCancelRestoresIt) {
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n");
    open();
    ASSERT_TRUE(WaitFor([&] { return live().controllerApplied == 1; }));
    ASSERT_TRUE(waitFrames(2));
    const Rgb before = centre();
    EXPECT_TRUE(Near(before, {100, 100, 100}, 2)) << before;
    sensor->clearLog();
    withWindow([&](CImageSetKT4Dlg& w) {
        EXPECT_TRUE(w.isModal());
        // Opening only reads: no slider's range may write its clamped position.
        EXPECT_TRUE(sensor->registerWrites().empty());
        EXPECT_EQ(sensor->processingValue(ProcessingControl::Gamma), 100);
        EXPECT_EQ(qobject_cast<QSlider*>(w.item(1016))->value(), 0x200);
        auto* red = qobject_cast<QSlider*>(w.item(1003));
        ASSERT_NE(red, nullptr);
        EXPECT_TRUE(red->isEnabled());
        EXPECT_EQ(red->value(), 0x20);
        EXPECT_EQ(qobject_cast<QLineEdit*>(w.item(1006))->text(), QStringLiteral("32"));
        red->setValue(0x30); // 150 %
        EXPECT_EQ(qobject_cast<QLineEdit*>(w.item(1006))->text(), QStringLiteral("48"));
        EXPECT_EQ(sensor->reg(kRed), 0x30);
        type(w, 1017, 0x100); // exposure halved
        ASSERT_TRUE(WaitFor([&] { return Near(centre(), {75, 50, 50}, 2); })) << centre();
        QTest::mouseClick(w.item(CImageSetKT4Dlg::kCancel), Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(sensor->reg(kRed), 0x20);
    EXPECT_EQ(sensor->reg(0x009), 0x200);
    EXPECT_TRUE(WaitFor([&] { return Near(centre(), before, 2); })) << centre();
}

TEST_F(RegisterCamera, AwbBalancesARaisedRedGain) {
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n[Camera]\nWB_RED=64\n");
    open();
    ASSERT_TRUE(WaitFor([&] { return live().controllerApplied == 1; }));
    ASSERT_TRUE(WaitFor([&] { return Near(centre(), {200, 100, 100}, 2); })) << centre();
    withWindow([&](CImageSetKT4Dlg& w) {
        QTest::mouseClick(w.item(CImageSetKT4Dlg::kAwb), Qt::LeftButton);
        EXPECT_TRUE(w.awbTimer().isActive());
        EXPECT_FALSE(w.item(1003)->isEnabled()); // while measuring
        ASSERT_TRUE(WaitFor([&] { return !w.awbTimer().isActive(); }, 3000));
        EXPECT_TRUE(w.item(1003)->isEnabled());
        EXPECT_EQ(qobject_cast<QSlider*>(w.item(1003))->value(), 0x20);
        w.accept(); // OK keeps the balanced gain
    });
    EXPECT_EQ(sensor->reg(kRed), 0x20);
    EXPECT_TRUE(WaitFor([&] { return Near(centre(), {100, 100, 100}, 2); })) << centre();
}

TEST_F(RegisterCamera, AutoExposureSettlesThePictureAndReadsBack) {
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n");
    open();
    ASSERT_TRUE(WaitFor([&] { return live().controllerApplied == 1; }));
    withWindow([&](CImageSetKT4Dlg& w) {
        auto* autoBox = qobject_cast<QCheckBox*>(w.item(CImageSetKT4Dlg::kAuto));
        QTest::mouseClick(autoBox, Qt::LeftButton);
        EXPECT_TRUE(autoBox->isChecked());
        EXPECT_TRUE(w.readBackTimer().isActive());
        EXPECT_FALSE(w.item(1016)->isEnabled());
        // Mid-grey from a picture of level 100: the exposure grows, and the window shows it.
        ASSERT_TRUE(WaitFor([&] { return qobject_cast<QSlider*>(w.item(1016))->value() > 0x260; }));
        ASSERT_TRUE(WaitFor([&] { return Near(centre(), {128, 128, 128}, 4); })) << centre();
        QTest::mouseClick(autoBox, Qt::LeftButton);
        EXPECT_FALSE(w.readBackTimer().isActive());
        EXPECT_TRUE(w.item(1016)->isEnabled());
        w.accept();
    });
    EXPECT_EQ(sensor->reg(0x106) & 0x4000, 0);
}

TEST_F(RegisterCamera, ADeadControllerLeavesTheWindowInert) {
    sensor->setDead(true);
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n");
    CMeasureDlg& d = open();
    EXPECT_FALSE(live().controller().attached());
    // SET still comes back after the first frames, to an inert window.
    ASSERT_TRUE(WaitFor([&] { return d.item(idc::Set)->isEnabled(); }));
    withWindow([&](CImageSetKT4Dlg& w) {
        for (int id : CImageSetKT4Dlg::kSliders)
            EXPECT_FALSE(w.item(id)->isEnabled()) << id;
        EXPECT_FALSE(w.item(CImageSetKT4Dlg::kAwb)->isEnabled());
        type(w, 1006, 0x40);
    });
    EXPECT_TRUE(prompt.asked().empty());
    clickLive();
    EXPECT_EQ(Profile(dir + "/Mirelta.ini").GetInt("Camera", "WB_RED", -1), -1);
}

TEST_F(RegisterCamera, JapaneseWindow) {
    g_bJapanese = true;
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n");
    open();
    ASSERT_TRUE(WaitFor([&] { return live().controllerApplied == 1; }));
    withWindow([&](CImageSetKT4Dlg& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("イメージ設定"));
        EXPECT_EQ(qobject_cast<QPushButton*>(w.item(CImageSetKT4Dlg::kCancel))->text(), QStringLiteral("キャンセル"));
        EXPECT_EQ(qobject_cast<QCheckBox*>(w.item(CImageSetKT4Dlg::kAuto))->text(), QStringLiteral("自動"));
        EXPECT_EQ(qobject_cast<QPushButton*>(w.item(CImageSetKT4Dlg::kDefaultGains))->text(), QStringLiteral("既定値"));
    });
}

// A measurement: dragging the red slider across its range for two seconds, a step per
// frame at 30 frames/s, while the camera delivers 30 frames/s. Every frame should show.
TEST_F(RegisterCamera, SliderDragKeepsEveryFrame) {
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n");
    open();
    ASSERT_TRUE(WaitFor([&] { return live().controllerApplied == 1; }));
    withWindow([&](CImageSetKT4Dlg& w) {
        auto* red = qobject_cast<QSlider*>(w.item(1003));
        ASSERT_TRUE(waitFrames(2));
        live().resetStats();
        QElapsedTimer clock;
        clock.start();
        for (int step = 0; step < 60; ++step) {
            red->setValue(red->minimum() + (red->maximum() - red->minimum()) * step / 59);
            while (clock.elapsed() < (step + 1) * 1000 / 30)
                QTest::qWait(1);
        }
        QTest::qWait(40); // the last frame's announcement
        const double seconds = clock.elapsed() / 1000.0;
        const LiveView::Stats s = live().stats();
        std::printf("slider drag: %.2f s, %llu frames shown, %llu dropped as late, %.1f offered at 30/s\n",
                    seconds, static_cast<unsigned long long>(s.shown),
                    static_cast<unsigned long long>(s.late), seconds * 30);
        EXPECT_EQ(s.late, 0u);
        EXPECT_GE(static_cast<double>(s.shown), seconds * 30 * 0.9);
        EXPECT_EQ(sensor->reg(kRed), red->maximum());
    });
}

} // namespace
} // namespace e2e
