#include "capture/live_view.h"

#include "capture/camera_models.h"
#include "capture/camera_select_dlg.h"
#include "capture/capture_events.h"
#include "capture/device_set_dlg.h"
#include "capture/image_set_kt4_dlg.h"
#include "capture/image_set_kt4_model.h"
#include "capture/init_camera_dlg.h"
#include "capture/live_frame.h"
#include "platform/clock.h"
#include "platform/language.h"
#include "platform/profile.h"
#include "platform/prompt.h"
#include "settings/app_settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

LiveView::LiveView(QWidget& window, AppSettings& settings, Profile& profile, CDibImage& display, Prompt& prompt,
                   const CameraSources& sources)
    : QObject(&window), m_window(window), m_settings(settings), m_profile(profile), m_display(display),
      m_prompt(prompt), m_capture(sources) {
    registerWindow = [this] { openRegisterWindow(); };
}

LiveView::~LiveView() {
    // No frame may arrive for an object that is going.
    m_capture.Teardown();
}

void LiveView::start() {
    const AppSettings& s = m_settings;
    m_capture.width = s.width;
    m_capture.height = s.height;
    m_capture.frameInterval = s.frameInterval;
    m_capture.deviceIndex = s.Device;
    m_capture.subtype = s.SubType;
    OpenCamera();
    if (!m_state.started) {
        m_state.search = CameraSearch::Searching;
        showSearchWindow();
    } else {
        m_state.search = CameraSearch::Done;
    }
}

std::string LiveView::ReadDeviceSettings(const std::string& friendlyName) {
    std::string& remembered = m_modelChoices[friendlyName];
    const std::string section = ResolveDeviceSection(
        m_profile, friendlyName, remembered,
        [this](const std::string&, const std::vector<std::string>& names, const std::string& pre) {
            return CCameraSelectDlg::Choose(&m_window, names, pre);
        });
    m_modelName = remembered;
    const DeviceSettings s = ReadDeviceSection(m_profile, section);
    m_capture.width = s.width;
    m_capture.height = s.height;
    m_capture.frameInterval = s.frameInterval;
    m_capture.priority = s.priority;
    m_capture.subtype = s.subtype;
    m_resize = s.resize;
    return section;
}

void LiveView::WriteDeviceSettings(const std::string& section) {
    DeviceSettings s;
    s.width = m_capture.width;
    s.height = m_capture.height;
    s.frameInterval = m_capture.frameInterval;
    s.priority = m_capture.priority;
    s.subtype = m_capture.subtype;
    WriteDeviceSection(m_profile, section, s);
}

void LiveView::recreateImages(int width, int height) {
    if (width <= 0 || height <= 0 || !m_frame.create(width, height)) {
        // No usable size: keep white pictures of the size shown so far.
        const CDibImage& shown = m_display;
        width = shown.width() > 0 ? shown.width() : 1280;
        height = shown.height() > 0 ? shown.height() : 1024;
        m_frame.create(width, height);
    }
    int dw = width, dh = height;
    DisplaySizeFor(m_resize, width, height, dw, dh);
    CDibImage& display = m_display;
    if (!display.create(dw, dh, 24))
        display.create(width, height, 24);
    display.fillRect(RGB(255, 255, 255));
    emit imagesRecreated(width, height);
}

int LiveView::OpenCamera() {
    auto fail = [this] {
        // The search window tells the operator; white pictures of the last known size stay.
        m_resize = {};
        recreateImages(m_capture.width, m_capture.height);
        m_state.started = false;
        m_state.name.clear();
        m_modelName.clear();
        return 0;
    };
    m_capture.Teardown();
    // 1. Device choice by priority when none is set.
    if (m_capture.deviceIndex == -1) {
        std::vector<std::string> names;
        if (m_capture.EnumDeviceNames(names) <= 0)
            return fail();
        std::vector<std::int32_t> priorities;
        for (const std::string& name : names) {
            ReadDeviceSettings(name);
            priorities.push_back(m_capture.priority);
        }
        const int chosen = ChooseDeviceByPriority(priorities);
        if (chosen < 0)
            return fail();
        m_capture.deviceIndex = chosen;
    }
    // 2. and 3. The device's name and settings.
    std::string friendlyName;
    if (!m_capture.GetDeviceName(m_capture.deviceIndex, friendlyName) || friendlyName.empty())
        return fail();
    std::string name = ReadDeviceSettings(friendlyName);
    // 4. A device never configured: its format window, unless it offers one format only.
    if (m_capture.width == -1 || m_capture.height == -1) {
        m_state.name.clear();
        m_modelName.clear();
        const CaptureDeviceInfo* device = m_capture.currentDevice();
        const auto rows = device ? FormatRows(device->formats) : std::vector<FormatRow>{};
        if (rows.size() == 1) {
            m_capture.width = rows[0].width;
            m_capture.height = rows[0].height;
            if (rows[0].rate.isSet())
                m_capture.frameInterval = IntervalOfRate(rows[0].rate);
            m_capture.subtype = rows[0].subtype;
        } else {
            m_capture.ShowFormatPage(&m_window);
        }
        if (m_capture.width == -1 || m_capture.height == -1) {
            const DeviceSettings product = ReadDeviceSection(m_profile, "Mirelta", 300);
            m_capture.width = product.width;
            m_capture.height = product.height;
            m_capture.frameInterval = product.frameInterval;
            m_capture.priority = product.priority;
            m_capture.subtype = product.subtype;
            return fail();
        }
        m_modelName = m_modelChoices[friendlyName];
    }
    // 6. The models that only deliver through the Smart Tee route.
    AppSettings& settings = m_settings;
    useSmartTee = ForcesSmartTee(name) || settings.SmartTee != 0 ? 1 : 0;
    // 7. The register-controlled camera: SET waits until its stored settings are applied.
    controllerCamera = IsRegisterCameraName(name) ? 1 : 0;
    settings.ShowKT4Dlg = controllerCamera;
    controllerFrames = 0;
    controllerApplied = 0;
    emit setButtonEnabled(controllerCamera == 0);
    // Opened before the pictures are made: a device that lacks the requested size
    // delivers its nearest one, and the pictures take that size.
    m_capture.OpenDevice();
    // The controller is attached and initialised when the device carries the register
    // camera's USB ids; otherwise the register window stays inert.
    m_controller.stop();
    if (controllerCamera && m_capture.controllerPresent) {
        if (const CaptureDeviceInfo* device = m_capture.currentDevice())
            m_controller.start(ControllerSession::OpenerFor(*device), device->path);
    }
    // 5. The pictures, white until the first frame.
    recreateImages(m_capture.width, m_capture.height);
    // 8. The graph; its outcome is not examined (a camera that fails reports on its bus).
    m_capture.BuildGraph(this, &m_frame, m_frame.byteSize(), useSmartTee != 0);
    WriteDeviceSettings(name);
    m_state.started = true;
    m_state.name = name;
    // The user-interface thread is running now; its first timer tick may be 100 ms away
    // and the first frames should not count as late.
    m_state.lastTick = GetTickCount();
    m_rate.restart(m_state.lastTick);
    return 1;
}

void LiveView::CloseCamera() {
    if (controllerCamera) {
        // Only what was applied is worth keeping: a camera stopped within its first
        // frames still holds its power-up values, not the operator's.
        if (controllerApplied == 1)
            m_controller.store(m_profile);
        m_controller.stop();
        emit setButtonEnabled(true);
    }
    m_capture.Teardown();
}

void LiveView::OnTitleTick() {
    if (!controllerCamera || controllerApplied == 1 || controllerFrames <= 10)
        return;
    m_controller.applyStored(m_profile);
    controllerApplied = 1;
    emit setButtonEnabled(true);
}

void LiveView::openRegisterWindow() {
    if (m_controller.openStatus() == OpenStatus::NoPermission && !m_permissionTold) {
        m_permissionTold = true;
        m_prompt.ask(&m_window,
                     Tr("Mirelta may not change this camera's settings: its device node cannot be "
                        "opened for reading and writing.\nAdd your user to the \"video\" group "
                        "(sudo usermod -aG video $USER), log in again and start the camera again.",
                        "カメラのデバイスを読み書き用に開けないため、カメラの設定を変更できません。\n"
                        "ユーザーを \"video\" グループに追加し（sudo usermod -aG video $USER）、"
                        "ログインし直してからカメラを起動し直してください。"),
                     "Mirelta", PromptButtons::Ok, PromptIcon::Warning);
    }
    ImageSetKT4Model model(m_controller.controller(), &m_whiteBalance);
    CImageSetKT4Dlg dlg(model, &m_window);
    dlg.exec();
}

void LiveView::refreshView() {
    // The picture may have a new size: the screen magnification is applied again.
    emit pictureResized();
}

void LiveView::OnLive() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_state.stopped) {
        const int started = OpenCamera();
        m_state.stopped = false;
        if (!started) {
            m_state.search = CameraSearch::Searching;
            showSearchWindow();
        }
    } else {
        CloseCamera();
        m_state.stopped = true;
        m_state.frameRate = 0.0;
        m_rate.frameRate = 0.0;
    }
    refreshView();
    QApplication::restoreOverrideCursor();
}

void LiveView::showSearchWindow() {
    if (!m_search) {
        m_search = new CInitCameraDlg(m_prompt, m_state.search, &m_window);
        m_search->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        m_search->restart();
    }
    const QScreen* screen = m_window.screen() ? m_window.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->geometry();
        m_search->move(area.width() / 2 - 190, area.height() / 2 - 40);
    }
    m_search->show();
}

bool LiveView::keepsWindowHidden() const { return !m_state.started && m_state.search == CameraSearch::Searching; }

void LiveView::OnRetryTimer() {
    if (!m_state.stopped && !m_state.started && OpenCamera()) {
        if (m_search)
            m_search->close();
        m_state.search = CameraSearch::Done;
        refreshView();
        emit windowMayShow();
    }
    if (m_state.search == CameraSearch::WithoutCamera) {
        m_state.search = CameraSearch::Done;
        refreshView();
        emit windowMayShow();
    }
}

void LiveView::OnSet() {
    if (m_state.stopped) {
        AppSettings& s = m_settings;
        DeviceSetContext ctx;
        ctx.capture = &m_capture;
        ctx.profile = &m_profile;
        ctx.modelName = &m_modelName;
        ctx.modelChoices = &m_modelChoices;
        ctx.smartTee = &s.SmartTee;
        ctx.registerCamera = &s.ShowKT4Dlg;
        ctx.mainDeviceIndex = &s.Device;
        CDeviceSetDlg dlg(ctx, &m_window);
        dlg.exec();
        return;
    }
    if (m_settings.ShowKT4Dlg && registerWindow) {
        registerWindow();
        return;
    }
    m_capture.ShowDevicePage(&m_window);
}

// The graph halts while a picture is written, so the frame does not change under it.
void LiveView::Pause() {
    if (m_capture.hasGraph())
        m_capture.Stop();
}

void LiveView::Resume() {
    if (m_capture.hasGraph())
        m_capture.Run();
}

void LiveView::storeSettings(AppSettings& s) const {
    s.width = m_capture.width;
    s.height = m_capture.height;
    s.frameInterval = m_capture.frameInterval;
    s.Device = m_capture.deviceIndex;
    s.SubType = m_capture.subtype;
}

void LiveView::customEvent(QEvent* event) {
    if (event->type() == WM_FRAME_ARRIVED)
        OnFrameArrived(static_cast<const FrameArrivedEvent&>(*event));
    else if (event->type() == WM_CAPTURE_ERROR)
        OnCaptureError(static_cast<const CaptureErrorEvent&>(*event));
    else
        QObject::customEvent(event);
}

void LiveView::OnFrameArrived(const FrameArrivedEvent& event) {
    if (event.generation() != m_capture.generation() || m_state.stopped) {
        ++m_stats.stale;
        return;
    }
    const std::uint32_t now = GetTickCount();
    const AppSettings& s = m_settings;
    const WhiteBalanceOffsets offsets{s.m_WB_Flg, s.m_WB_R, s.m_WB_B};
    CDibImage& display = m_display;
    const LiveFrameOutcome outcome = m_frame.read([&](const CDibImage& frame) {
        return PrepareLiveFrame(frame, display, m_resize, offsets, m_whiteBalance, now, m_state.lastTick);
    });
    if (outcome == LiveFrameOutcome::Late) {
        ++m_stats.late;
        return;
    }
    if (outcome == LiveFrameOutcome::Measured) {
        ++m_stats.measured;
        return;
    }
    ++m_stats.shown;
    m_rate.count(now);
    m_state.frameRate = m_rate.frameRate;
    if (controllerCamera && controllerApplied != 1)
        ++controllerFrames;
    emit frameShown();
}

void LiveView::OnCaptureError(const CaptureErrorEvent& event) {
    if (event.generation() != m_capture.generation())
        return;
    qWarning("Mirelta: the camera stopped: %s", qPrintable(event.text()));
    // The last picture stays for measuring and saving; LIVE tries the camera again.
    CloseCamera();
    m_state.stopped = true;
    m_state.frameRate = 0.0;
    m_rate.frameRate = 0.0;
    emit cameraFailed(event.text());
    refreshView();
}
