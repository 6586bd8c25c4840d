#pragma once
#include "capture/c5u87x_ctl.h"
#include "capture/controller_device.h"

#include <memory>
#include <string_view>

class Profile;
struct CaptureDeviceInfo;

// The register camera's controller over one run of the camera: opened, attached and
// initialised at the start, its stored settings applied once frames flow, and stored
// again at the stop. Without an attached controller every step does nothing.
class ControllerSession {
  public:
    // How the controller of a device is reached: a virtual camera's simulated controller,
    // none for other virtual cameras, the UVC extension unit for a real device.
    static ControllerOpener OpenerFor(const CaptureDeviceInfo& device);

    // Opens the controller behind `devicePath`, attaches it, selects page 0 and reads the
    // chip id once, then runs the initialisation. True when the controller is attached.
    bool start(ControllerOpener opener, std::string_view devicePath);
    // The restart after the first frames and the stored settings of section "Camera".
    void applyStored(const Profile& profile);
    // Section "Camera" from the camera as it is now.
    void store(Profile& profile);
    // Releases the controller.
    void stop();

    bool attached() const { return m_ctl->attached(); }
    // Why the last start could not open the controller (Opened when it could).
    OpenStatus openStatus() const { return m_ctl->openStatus(); }
    // The controller of the current run (before the first start, one that answers nothing).
    C5U87xCtl& controller() { return *m_ctl; }

  private:
    std::unique_ptr<C5U87xCtl> m_ctl = std::make_unique<C5U87xCtl>();
};
