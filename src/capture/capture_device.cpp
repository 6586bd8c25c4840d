#include "capture/capture_device.h"

#include "capture/device_path.h"

#include <algorithm>

std::vector<CaptureFormat> VirtualCameraConfig::offeredFormats() const {
    if (!formats.empty())
        return formats;
    CaptureFormat f;
    f.width = width;
    f.height = height;
    f.subtype = subtype;
    f.rates = {rate};
    return {f};
}

VirtualCameraConfig DemoCameraConfig() {
    VirtualCameraConfig config;
    config.name = "Demo Microscope";
    config.width = 1280;
    config.height = 1024;
    config.rate = {30, 1};
    config.subtype = MEDIASUBTYPE_RGB24;
    config.pattern = SyntheticPicture::Pattern::Specimen;
    config.noise = 3;
    return config;
}

VirtualCamera::VirtualCamera(VirtualCameraConfig config) : m_config(std::move(config)) {
    m_controls.noise = m_config.noise;
}

bool VirtualCamera::prepare(int width, int height) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_picture.width() == width && m_picture.height() == height && !m_picture.isNull())
        return true;
    if (!m_picture.build(m_config.pattern, width, height, m_config.solid))
        return false;
    m_picture.setControls(m_controls);
    return true;
}

bool VirtualCamera::render(std::uint64_t frameNumber, std::uint8_t* destination, std::size_t size,
                           int stride) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_picture.render(frameNumber, destination, size, stride);
}

SyntheticPicture::Controls VirtualCamera::controls() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_controls;
}

void VirtualCamera::setControls(const SyntheticPicture::Controls& controls) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_controls = controls;
    if (!m_picture.isNull())
        m_picture.setControls(controls);
}

void OrderCaptureDevices(std::vector<CaptureDeviceInfo>& devices) {
    std::stable_sort(devices.begin(), devices.end(), [](const CaptureDeviceInfo& a, const CaptureDeviceInfo& b) {
        const bool va = a.virtualCamera != nullptr, vb = b.virtualCamera != nullptr;
        if (va != vb)
            return !va; // real devices first
        if (va)
            return false; // virtual ones keep their order
        const auto na = VideoNodeNumber(a.node), nb = VideoNodeNumber(b.node);
        if (na && nb && *na != *nb)
            return *na < *nb;
        if (na.has_value() != nb.has_value())
            return na.has_value();
        return a.node < b.node;
    });
    if (devices.size() > kMaxCaptureDevices)
        devices.resize(kMaxCaptureDevices);
}
