#include "capture/controller_session.h"

#include "capture/capture_device.h"
#include "capture/image_set_kt4_model.h"
#include "capture/sensor_description.h"
#include "capture/simulated_register_camera.h"
#include "capture/uvc_controller_open.h"

ControllerOpener ControllerSession::OpenerFor(const CaptureDeviceInfo& device) {
    if (device.virtualCamera) {
        const auto& simulated = device.virtualCamera->config().registerCamera;
        return simulated ? SimulatedRegisterCamera::OpenerFor(simulated) : ControllerOpener{};
    }
    return UvcControllerOpener();
}

bool ControllerSession::start(ControllerOpener opener, std::string_view devicePath) {
    m_ctl = std::make_unique<C5U87xCtl>(std::move(opener));
    if (m_ctl->OpenFromMoniker(devicePath) < 0 || !m_ctl->Attach())
        return false;
    // As the camera expects after attaching: page 0 selected, the chip id read once.
    std::uint16_t chipId = 0;
    m_ctl->RegWrite(sensor::kPageSelect, m_ctl->addressMode(), 0, m_ctl->dataBytes());
    m_ctl->RegRead(sensor::RegisterOf(sensor::kChipId), m_ctl->addressMode(), chipId,
                   m_ctl->dataBytes());
    ImageSetKT4Model(*m_ctl).Initialise();
    return true;
}

void ControllerSession::applyStored(const Profile& profile) {
    if (attached())
        ImageSetKT4Model(*m_ctl).Restart(profile);
}

void ControllerSession::store(Profile& profile) {
    if (attached())
        ImageSetKT4Model(*m_ctl).Store(profile);
}

void ControllerSession::stop() {
    m_ctl->Detach();
}
