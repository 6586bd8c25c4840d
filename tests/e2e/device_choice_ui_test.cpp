// Device sections, model names, formats and the SET windows with virtual cameras.
#include "live_fixture.h"

#include "capture/camera_select_dlg.h"
#include "capture/device_controls_dlg.h"
#include "capture/device_set_dlg.h"
#include "capture/format_dlg.h"
#include "capture/input_dlg.h"
#include "capture/media_subtype.h"
#include "capture/virtual_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>

namespace e2e {
namespace {

using DeviceChoice = LiveFixture;

TEST_F(DeviceChoice, OneModelNameKeepsTheFormatInItsOwnSectionAndNamesTheWindow) {
    sources.virtualCameras = {TestCamera("CamName")};
    writeSettings("[CamName]\nCount=1\nName1=ModelA\n[ModelA]\nWidth=320\nHeight=240\nFrame=150\n");
    CMeasureDlg& d = open();
    EXPECT_EQ(d.camera().name, "ModelA");
    EXPECT_EQ(live().modelName(), "ModelA");
    ASSERT_TRUE(waitFrames(1));
    ASSERT_TRUE(WaitFor([&] { return d.windowTitle().startsWith(QStringLiteral("ModelA ")); }, 1000));
    quit();
    const std::string text = readSettings();
    EXPECT_NE(text.find("[ModelA]\nWidth=320\nHeight=240\nFrame=150\nPriority=0\nSubType="), std::string::npos)
        << text;
    EXPECT_EQ(text.find("[CamName]\nCount=1\nName1=ModelA\n[ModelA]"), 0u) << text;
    // Section "Mirelta" keeps the capture's values for the next start.
    EXPECT_NE(text.find("\nwidth=320\nheight=240\nFrame=150\nDevice=0\n"), std::string::npos) << text;
}

TEST_F(DeviceChoice, SeveralModelsAreAskedForOncePerRun) {
    sources.virtualCameras = {TestCamera("CamName")};
    writeSettings("[CamName]\nCount=3\nName1=ModelC\nName2=ModelA\nName3=ModelB\n"
                  "[ModelB]\nWidth=320\nHeight=240\n");
    QStringList offered;
    ModalAnswer<CCameraSelectDlg> answer([&](CCameraSelectDlg& w) {
        EXPECT_EQ(w.windowTitle(), "Select camera");
        for (int i = 0; i < w.list()->count(); ++i)
            offered << w.list()->itemText(i);
        w.list()->setCurrentIndex(w.list()->findText(QStringLiteral("ModelB")));
        w.accept();
    });
    CMeasureDlg& d = open();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(offered, (QStringList{"ModelA", "ModelB", "ModelC"})); // sorted
    EXPECT_EQ(d.camera().name, "ModelB");
    clickLive();
    clickLive();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(d.camera().name, "ModelB");
    ASSERT_TRUE(waitFrames(1));
}

TEST_F(DeviceChoice, SubTypeTextInEitherCaseReadsBackAsRgb24) {
    sources.virtualCameras = {TestCamera("TestCam")};
    for (const char* text : {"E436EB7D524F11CE9F530020AF0BA770", "e436eb7d524f11ce9f530020af0ba770"}) {
        writeSettings(std::string("[TestCam]\nWidth=320\nHeight=240\nSubType=") + text + "\n");
        open();
        EXPECT_EQ(live().capture().subtype, MEDIASUBTYPE_RGB24);
        EXPECT_EQ(live().capture().formatChoice().kind, FormatChoice::Kind::Exact);
        quit();
        EXPECT_NE(readSettings().find("SubType=E436EB7D524F11CE9F530020AF0BA770"), std::string::npos);
        dlg.reset();
    }
}

TEST_F(DeviceChoice, AnUnconfiguredCameraAsksForItsFormatFirst) {
    VirtualCameraConfig cam = TestCamera("Multi");
    CaptureFormat big{640, 480, MEDIASUBTYPE_RGB24, {{30, 1}, {15, 1}}, {}, {}};
    CaptureFormat yuv{320, 240, MEDIASUBTYPE_YUY2, {{30, 1}}, {}, {}};
    cam.formats = {big, yuv};
    sources.virtualCameras = {cam};
    int rows = 0;
    ModalAnswer<CFormatDlg> answer([&](CFormatDlg& w) {
        rows = w.list()->topLevelItemCount();
        EXPECT_EQ(w.list()->topLevelItem(1)->text(0), "640 x 480");
        EXPECT_EQ(w.list()->topLevelItem(1)->text(1), "15.0 fps");
        EXPECT_EQ(w.list()->topLevelItem(2)->text(2), "YUY2");
        w.selectRow(1);
        w.accept();
    });
    CMeasureDlg& d = open();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(rows, 3);
    EXPECT_TRUE(d.camera().started);
    EXPECT_EQ(live().capture().width, 640);
    EXPECT_EQ(live().capture().frameInterval, 666666);
    ASSERT_TRUE(waitFrames(2));
    EXPECT_EQ(d.displayImage().width(), 640);
    quit();
    EXPECT_NE(readSettings().find("[Multi]\nWidth=640\nHeight=480\nFrame=150\nPriority=0\nSubType=E436EB7D"),
              std::string::npos)
        << readSettings();
}

TEST_F(DeviceChoice, ACameraWithASingleFormatIsConfiguredWithoutAsking) {
    sources.virtualCameras = {DemoCameraConfig()};
    ModalAnswer<CFormatDlg> answer([](CFormatDlg& w) { w.reject(); });
    CMeasureDlg& d = open();
    EXPECT_EQ(answer.count(), 0);
    EXPECT_TRUE(d.camera().started);
    EXPECT_EQ(d.camera().name, "Demo Microscope");
    EXPECT_EQ(d.displayImage().width(), 1280);
    EXPECT_EQ(d.displayImage().height(), 1024);
    EXPECT_NE(readSettings().find("[Demo Microscope]\nWidth=1280\nHeight=1024\nFrame=300\nPriority=0\n"
                                  "SubType=E436EB7D524F11CE9F530020AF0BA770\n"),
              std::string::npos)
        << readSettings();
}

TEST_F(DeviceChoice, CancellingTheFormatFailsTheStartWithTheProductSize) {
    VirtualCameraConfig cam = TestCamera("Multi");
    cam.formats = {CaptureFormat{640, 480, MEDIASUBTYPE_RGB24, {{30, 1}}, {}, {}},
                   CaptureFormat{320, 240, MEDIASUBTYPE_RGB24, {{30, 1}}, {}, {}}};
    sources.virtualCameras = {cam};
    writeSettings("[Mirelta]\nwidth=800\nheight=600\n");
    ModalAnswer<CFormatDlg> answer([](CFormatDlg& w) { w.reject(); });
    CMeasureDlg& d = open();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_FALSE(d.camera().started);
    EXPECT_EQ(d.displayImage().width(), 800);
    EXPECT_EQ(d.displayImage().height(), 600);
    EXPECT_NE(live().searchWindow(), nullptr);
}

TEST_F(DeviceChoice, ADeviceLackingTheSizeDeliversItsNearestOne) {
    sources.virtualCameras = {TestCamera("Fixed", 320, 240)};
    writeSettings("[Fixed]\nWidth=1280\nHeight=1024\n");
    CMeasureDlg& d = open();
    EXPECT_EQ(live().capture().formatChoice().kind, FormatChoice::Kind::Nearest);
    EXPECT_EQ(d.displayImage().width(), 320);
    ASSERT_TRUE(waitFrames(2));
    EXPECT_TRUE(Near(PixelAt(d.displayImage(), 319, 239), {255, 255, 255}));
}

TEST_F(DeviceChoice, TheRegisterCameraIsKnownByItsPathAndForcesTheSmartTee) {
    VirtualCameraConfig reg = TestCamera("VESPIR-220KT4");
    reg.path = "usb#vid_3f7a&pid_0b41#/dev/video7";
    VirtualCameraConfig other = TestCamera("VDX-08U1");
    other.path = "usb#vid_3f7a&pid_0b42#/dev/video8";
    sources.virtualCameras = {reg, other};
    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n[VDX-08U1]\nWidth=320\nHeight=240\n"
                  "[Mirelta]\nDevice=0\n");
    CMeasureDlg& d = open();
    EXPECT_EQ(live().capture().controllerPresent, 1);
    EXPECT_EQ(live().controllerCamera, 1);
    EXPECT_EQ(live().useSmartTee, 1);
    EXPECT_FALSE(d.item(idc::Set)->isEnabled()); // until its stored settings are applied
    ASSERT_TRUE(waitFrames(3)); // frames come through the tee
    EXPECT_GE(live().controllerFrames, 3);
    clickLive();
    EXPECT_TRUE(d.item(idc::Set)->isEnabled());
    dlg.reset();

    writeSettings("[VESPIR-220KT4]\nWidth=320\nHeight=240\n[VDX-08U1]\nWidth=320\nHeight=240\n"
                  "[Mirelta]\nDevice=1\n");
    open();
    EXPECT_EQ(live().capture().controllerPresent, 0);
    EXPECT_EQ(live().controllerCamera, 0);
    EXPECT_EQ(live().useSmartTee, 1);
    ASSERT_TRUE(waitFrames(3));
}

TEST_F(DeviceChoice, DeviceWindowWhileStopped) {
    VirtualCameraConfig reg = TestCamera("VESPIR-220KT4-MR");
    VirtualCameraConfig plain = TestCamera("Plain");
    sources.virtualCameras = {plain, reg};
    writeSettings("[Plain]\nWidth=320\nHeight=240\n[VESPIR-220KT4-MR]\nWidth=320\nHeight=240\n"
                  "[Mirelta]\nDevice=0\n");
    CMeasureDlg& d = open();
    clickLive();
    ASSERT_TRUE(d.camera().stopped);
    bool registerChecks = false, plainChecks = false;
    ModalAnswer<CDeviceSetDlg> answer([&](CDeviceSetDlg& w) {
        auto* list = w.list();
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->currentRow(), 0);
        auto* tee = qobject_cast<QCheckBox*>(w.item(CDeviceSetDlg::kSmartTee));
        plainChecks = !tee->isChecked() && tee->isEnabled() && !w.item(CDeviceSetDlg::kRegisterDialog)->isVisible();
        list->setCurrentRow(1);
        registerChecks = tee->isChecked() && !tee->isEnabled() &&
                         qobject_cast<QCheckBox*>(w.item(CDeviceSetDlg::kRegisterDialog))->isChecked();
        w.accept();
    });
    QTest::mouseClick(d.item(idc::Set), Qt::LeftButton);
    EXPECT_EQ(answer.count(), 1);
    EXPECT_TRUE(plainChecks);
    EXPECT_TRUE(registerChecks);
    EXPECT_EQ(d.settings().Device, 1);
    EXPECT_EQ(d.settings().SmartTee, 1);
    EXPECT_EQ(d.settings().ShowKT4Dlg, 1);
    EXPECT_TRUE(d.camera().stopped); // nothing restarts
    clickLive();
    EXPECT_EQ(d.camera().name, "VESPIR-220KT4-MR");
}

TEST_F(DeviceChoice, DeviceWindowCancelRestoresTheDeviceAndCameraSettingWritesTheFormat) {
    VirtualCameraConfig a = TestCamera("CamA");
    VirtualCameraConfig b = TestCamera("CamB");
    b.formats = {CaptureFormat{640, 480, MEDIASUBTYPE_RGB24, {{30, 1}}, {}, {}},
                 CaptureFormat{320, 240, MEDIASUBTYPE_RGB24, {{30, 1}}, {}, {}}};
    sources.virtualCameras = {a, b};
    writeSettings("[CamA]\nWidth=320\nHeight=240\n[CamB]\nWidth=320\nHeight=240\nPriority=4\n"
                  "[Mirelta]\nDevice=0\n");
    CMeasureDlg& d = open();
    clickLive();
    ModalAnswer<CFormatDlg> format([](CFormatDlg& w) {
        w.selectRow(0);
        w.accept();
    });
    ModalAnswer<CDeviceSetDlg> answer([&](CDeviceSetDlg& w) {
        if (format.count() == 0) {
            w.list()->setCurrentRow(1);
            QTest::mouseClick(w.item(CDeviceSetDlg::kCameraSetting), Qt::LeftButton);
        }
        if (format.count() == 1)
            w.reject();
    });
    QTest::mouseClick(d.item(idc::Set), Qt::LeftButton);
    EXPECT_EQ(format.count(), 1);
    EXPECT_EQ(live().capture().deviceIndex, 0);
    EXPECT_EQ(d.settings().Device, 0);
    const std::string text = readSettings();
    EXPECT_NE(text.find("[CamB]\nWidth=640\nHeight=480\nPriority=4\nFrame=300\nSubType="), std::string::npos)
        << text;
}

TEST_F(DeviceChoice, SetWhileLiveOpensTheCameraControlsAndInputs) {
    VirtualCameraConfig cam = TestCamera("Grey");
    cam.pattern = SyntheticPicture::Pattern::Solid;
    cam.solid = RGB(100, 100, 100);
    sources.virtualCameras = {cam};
    writeSettings("[Grey]\nWidth=320\nHeight=240\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(waitFrames(2));
    ModalAnswer<CDeviceControlsDlg> answer([&](CDeviceControlsDlg& w) {
        EXPECT_EQ(w.windowTitle(), "Grey Properties");
        auto* brightness = qobject_cast<QSlider*>(w.editor(VirtualControls::Brightness));
        ASSERT_NE(brightness, nullptr);
        brightness->setValue(40);
        // The running picture follows at once.
        EXPECT_TRUE(WaitFor([&] { return PixelAt(d.displayImage(), 5, 5).g == 140; }, 2000));
        w.restoreDefaults();
        EXPECT_EQ(brightness->value(), 0);
        w.reject();
    });
    QTest::mouseClick(d.item(idc::Set), Qt::LeftButton);
    EXPECT_EQ(answer.count(), 1);

    const auto controls = live().capture().openControls();
    ASSERT_NE(controls, nullptr);
    CInputDlg inputs(*controls, &d);
    EXPECT_EQ(inputs.list()->count(), 1);
    EXPECT_EQ(inputs.list()->item(0)->text(), "Camera");
}

} // namespace
} // namespace e2e
