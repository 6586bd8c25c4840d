// Every window of the program, walked as a screen reader walks it: each control the
// operator can use has a name, and each that shows a value offers it.
#include "measuring_fixture.h"

#include "app/font_colour_dialog.h"
#include "calib/calibration_set.h"
#include "capture/c5u87x_ctl.h"
#include "capture/camera_select_dlg.h"
#include "capture/camera_state.h"
#include "capture/capture.h"
#include "capture/device_set_dlg.h"
#include "capture/capture_device.h"
#include "capture/device_controls_dlg.h"
#include "capture/format_dlg.h"
#include "capture/image_set_kt4_dlg.h"
#include "capture/image_set_kt4_model.h"
#include "capture/init_camera_dlg.h"
#include "capture/input_dlg.h"
#include "capture/simulated_register_camera.h"
#include "capture/virtual_controls.h"
#include "images/thumbnail_dlg.h"
#include "images/thumbnail_store.h"
#include "platform/popup_menu.h"
#include "platform/profile.h"
#include "view/color_set.h"
#include "view/cross_line_set_dlg.h"
#include "view/focus_dlg.h"
#include "view/magnet_dlg.h"

#include <QAccessible>
#include <QTest>

#include <functional>
#include <set>

namespace {

bool IsInteractive(QAccessible::Role role) {
    static const std::set<QAccessible::Role> roles = {
        QAccessible::Button,      QAccessible::CheckBox,  QAccessible::RadioButton, QAccessible::ComboBox,
        QAccessible::EditableText, QAccessible::Slider,   QAccessible::SpinBox,     QAccessible::ScrollBar,
        QAccessible::List,        QAccessible::Table,     QAccessible::Tree,        QAccessible::PageTabList,
        QAccessible::PageTab,     QAccessible::Dial,      QAccessible::Graphic,     QAccessible::ButtonMenu,
        QAccessible::ButtonDropDown};
    return roles.count(role) > 0;
}

bool ShowsAValue(QAccessible::Role role) {
    return role == QAccessible::Slider || role == QAccessible::SpinBox || role == QAccessible::ScrollBar ||
           role == QAccessible::Dial || role == QAccessible::ProgressBar;
}

// The path of an interface from the window, for the failure message.
std::string Describe(QAccessibleInterface* iface) {
    QObject* o = iface->object();
    return (o ? o->metaObject()->className() + std::string(" ") + o->objectName().toStdString() : std::string("?")) +
           " role " + std::to_string(static_cast<int>(iface->role()));
}

// Walks the window's accessible tree; the controls inside lists, tables and combo boxes
// are their rows, which speak for themselves.
void Walk(QAccessibleInterface* iface, const std::string& window, int& controls) {
    if (iface == nullptr || iface->state().invisible)
        return;
    const QAccessible::Role role = iface->role();
    if (IsInteractive(role)) {
        ++controls;
        EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty())
            << window << ": " << Describe(iface) << " has no name";
        if (ShowsAValue(role)) {
            EXPECT_NE(iface->valueInterface(), nullptr) << window << ": " << Describe(iface) << " has no value";
        }
    }
    if (role == QAccessible::List || role == QAccessible::Table || role == QAccessible::ComboBox ||
        role == QAccessible::Tree)
        return;
    for (int i = 0; i < iface->childCount(); ++i)
        Walk(iface->child(i), window, controls);
}

class AccessibilityTest : public MeasuringFixture {
protected:
    void walk(QWidget* window, const std::string& name) {
        ASSERT_NE(window, nullptr) << name << " did not open";
        window->show();
        QCoreApplication::processEvents();
        int controls = 0;
        Walk(QAccessible::queryAccessibleInterface(window), name, controls);
        EXPECT_GT(controls, 0) << name << ": nothing to use";
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name).isEmpty())
            << name << " has no title";
    }
    template <class T> T* child() { return dlg->findChild<T*>(); }
    void clickItem(int id, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(dlg->item(id), b); }
};

struct WindowOpener {
    const char* name;
    std::function<QWidget*()> open;
};

// Not yet passing: the names listed in the report are missing, and a window after the font chooser blocks.
TEST_F(AccessibilityTest, DISABLED_EveryControlOfEveryWindowHasAName) {
    openAtX1();
    // Windows that stand alone, opened on what they show.
    auto demo = std::make_shared<VirtualCamera>(DemoCameraConfig());
    VirtualControls controls(demo);
    auto sensor = std::make_shared<SimulatedRegisterCamera>();
    C5U87xCtl ctl{SimulatedRegisterCamera::OpenerFor(sensor)};
    ctl.OpenFromMoniker("usb#vid_3f7a&pid_0b41#/dev/video2");
    ctl.Attach();
    ImageSetKT4Model model{ctl};
    CThumbNail thumbnails;
    CDibImage picture;
    picture.create(320, 240, 24);
    thumbnails.AddThumbnail("/data/20261210233945.jpg", picture);
    CameraSearch search = CameraSearch::Searching;
    ScriptedPopupMenu menu;
    LOGFONT font;
    CameraSources sources;
    sources.realDevices = false;
    sources.virtualCameras = {DemoCameraConfig()};
    CCapture capture(sources);
    Profile profile(dir + "/devices.ini");
    std::string modelName;
    std::map<std::string, std::string> modelChoices;
    int smartTee = 0, registerCamera = 0, mainDevice = 0;
    const DeviceSetContext deviceContext{&capture, &profile, &modelName, &modelChoices,
                                         &smartTee, &registerCamera, &mainDevice};

    std::vector<std::unique_ptr<QWidget>> owned;
    auto keep = [&owned](QWidget* w) {
        owned.emplace_back(w);
        return w;
    };
    const WindowOpener windows[] = {
        {"main window", [&]() -> QWidget* { return dlg.get(); }},
        {"calibration", [&]() -> QWidget* {
             clickItem(idc::Calib);
             return &dlg->calibrationSet();
         }},
        {"display settings", [&]() -> QWidget* {
             clickItem(idc::Color);
             return dlg->colorSetWindow();
         }},
        {"cross line", [&]() -> QWidget* {
             clickItem(idc::CrossLine);
             return child<CCrossLineSetDlg>();
         }},
        {"edge snapping", [&]() -> QWidget* {
             clickItem(idc::EdgeSnapButton, Qt::RightButton);
             return child<CMagnetDlg>();
         }},
        {"focus area", [&]() -> QWidget* {
             arm(idc::FocusArea);
             clock.advance(1000);
             press({600, 400});
             move({680, 480}, Qt::LeftButton);
             release({680, 480});
             QCoreApplication::processEvents();
             return child<CFocusDlg>();
         }},
        {"thumbnail browser", [&]() -> QWidget* {
             return keep(new CThumbnailDlg(&thumbnails, nullptr, prompt, menu, dlg.get()));
         }},
        {"font chooser", [&]() -> QWidget* { return keep(new FontColourDialog(font, RGB(255, 0, 0))); }},
        {"camera model", [&]() -> QWidget* {
             return keep(new CCameraSelectDlg({"VESPIR-220KT4", "VESPIR-130"}, "VESPIR-220KT4"));
         }},
        {"camera search", [&]() -> QWidget* { return keep(new CInitCameraDlg(prompt, search)); }},
        {"devices", [&]() -> QWidget* { return keep(new CDeviceSetDlg(deviceContext)); }},
        {"formats", [&]() -> QWidget* {
             return keep(new CFormatDlg(QStringLiteral("Demo Microscope"), {FormatRow{640, 480, {}, {30, 1}}}));
         }},
        {"inputs", [&]() -> QWidget* { return keep(new CInputDlg(controls)); }},
        {"device controls", [&]() -> QWidget* {
             return keep(new CDeviceControlsDlg(QStringLiteral("Demo Microscope"), controls));
         }},
        {"image setting", [&]() -> QWidget* { return keep(new CImageSetKT4Dlg(model)); }},
    };
    for (const WindowOpener& w : windows)
        walk(w.open(), w.name);
}

} // namespace
