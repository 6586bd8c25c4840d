#pragma once
#include "capture/camera_state.h"
#include "capture/capture.h"
#include "capture/controller_session.h"
#include "capture/device_settings.h"
#include "capture/frame_rate.h"
#include "capture/shared_frame.h"
#include "capture/init_camera_dlg.h"
#include "capture/white_balance.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

class CDibImage;
class FrameArrivedEvent;
class CaptureErrorEvent;
class Profile;
class Prompt;
class QWidget;
struct AppSettings;

// The live camera of the main window: starting and stopping it (LIVE, F11, the retry
// timer), device choice and the per-device settings, the frame handler that turns each
// grabbed frame into the display image, white balance, the frame rate, the SET button,
// and the camera-search window. The main window owns one; the live view reaches the
// window only through what it is given here and through its signals.
class LiveView : public QObject, public CameraControl {
    Q_OBJECT
public:
    // `window` parents the live view's own windows; `display` is the picture shown.
    LiveView(QWidget& window, AppSettings& settings, Profile& profile, CDibImage& display, Prompt& prompt,
             const CameraSources& sources);
    ~LiveView() override;

    // Main window start-up: the first camera start, then the search window when no
    // camera started.
    void start();
    // 1 when a camera was started (device known, format known; the graph may still fail).
    int OpenCamera();
    void CloseCamera();
    void OnSet();

    CameraState& state() override { return m_state; }
    void OnLive() override;
    void Pause() override;
    void Resume() override;
    // Timer 1324: retries the camera while none runs and acts on the search window's outcome.
    void OnRetryTimer();
    // While the first search runs the main window stays hidden.
    bool keepsWindowHidden() const;
    // Puts the capture's values (size, rate, device, subtype) into section "Mirelta".
    void storeSettings(AppSettings& settings) const;

    CCapture& capture() { return m_capture; }
    SharedFrame& frameImage() { return m_frame; }
    WhiteBalanceMeasure& whiteBalanceMeasure() { return m_whiteBalance; }
    const ResizeSettings& resize() const { return m_resize; }
    const std::string& modelName() const { return m_modelName; }
    CInitCameraDlg* searchWindow() const { return m_search.data(); }

    // Main timer 1224: once more than 10 frames of the register-controlled camera were
    // shown, its stored settings are applied (once per start) and SET is enabled.
    void OnTitleTick();

    // Shows the register window of the register-controlled camera when SET is pressed while
    // it runs (the image-setting window; tests may put another in).
    std::function<void()> registerWindow;
    // The register camera's controller for the current start.
    ControllerSession& controller() { return m_controller; }

    int useSmartTee = 0;
    int controllerCamera = 0;
    int controllerFrames = 0;
    int controllerApplied = 0;

    struct Stats {
        std::uint64_t shown = 0;
        std::uint64_t late = 0;     // dropped by the 500 ms rule
        std::uint64_t measured = 0; // taken by the white-balance measurement
        std::uint64_t stale = 0;    // announced by a graph torn down since
    };
    const Stats& stats() const { return m_stats; }
    void resetStats() { m_stats = {}; }

signals:
    // A frame is in the display image and counted; the per-frame analyses hang here,
    // and the picture is repainted.
    void frameShown();
    // The picture may have a new size: the window lays the picture out again.
    void pictureResized();
    // A camera started after the first search: the window may show itself.
    void windowMayShow();
    // SET is disabled while the register-controlled camera runs.
    void setButtonEnabled(bool enabled);
    // The frame and display pictures were made anew (white) at a camera start; the
    // 8-bit working pictures of the analyses follow the camera size given.
    void imagesRecreated(int cameraWidth, int cameraHeight);
    // The camera stopped delivering (unplugged, busy, refused format): the text says why.
    void cameraFailed(const QString& reason);

protected:
    void customEvent(QEvent* event) override;

private:
    void OnFrameArrived(const FrameArrivedEvent& event);
    void OnCaptureError(const CaptureErrorEvent& event);
    // ReadDeviceSettings: the section for the device (a model name may replace the friendly
    // name), read into the capture and the resize values.
    std::string ReadDeviceSettings(const std::string& friendlyName);
    void WriteDeviceSettings(const std::string& section);
    void recreateImages(int width, int height);
    void showSearchWindow();
    void refreshView();
    void openRegisterWindow();

    QWidget& m_window;
    AppSettings& m_settings;
    Profile& m_profile;
    CDibImage& m_display;
    Prompt& m_prompt;
    CameraState m_state;
    CCapture m_capture;
    SharedFrame m_frame;
    FrameRateCounter m_rate;
    WhiteBalanceMeasure m_whiteBalance;
    ResizeSettings m_resize;
    std::string m_modelName;
    std::map<std::string, std::string> m_modelChoices; // per friendly name, for this run
    QPointer<CInitCameraDlg> m_search;
    Stats m_stats;
    ControllerSession m_controller;
    bool m_permissionTold = false; // the missing access to the controller was said, this run
};
