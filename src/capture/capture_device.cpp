#include "capture/capture_device.h"

#include "capture/device_path.h"
#include "capture/sensor_description.h"
#include "capture/simulated_register_camera.h"

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

VirtualCameraConfig RegisterDemoCameraConfig() {
    VirtualCameraConfig config = DemoCameraConfig();
    config.name = "VESPIR-220KT4";
    config.path = MakeDevicePath(kRegisterCameraIds, "virtual#VESPIR-220KT4");
    config.registerCamera = std::make_shared<SimulatedRegisterCamera>();
    return config;
}

namespace {

// The mean grey level of a frame, from every 8th pixel of every 8th row: enough for the
// simulated automatic exposure, cheap on the streaming thread.
double MeanLevel(const std::uint8_t* rows, int width, int height, int stride) {
    std::uint64_t sum = 0, count = 0;
    for (int y = 0; y < height; y += 8) {
        const std::uint8_t* p = rows + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; x += 8, count += 3)
            sum += p[x * 3] + p[x * 3 + 1] + p[x * 3 + 2];
    }
    return count ? static_cast<double>(sum) / static_cast<double>(count) : 0.0;
}

} // namespace

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

SyntheticPicture::Controls VirtualCamera::registerControls() const {
    const SimulatedRegisterCamera& sensor = *m_config.registerCamera;
    const SimulatedRegisterCamera::Gains g = sensor.gains();
    const long exposure = SimulatedRegisterCamera::ExposurePercent(g.exposure);
    const auto channel = [exposure](int own, std::uint16_t gain) {
        const long percent = own * static_cast<long>(SimulatedRegisterCamera::GainPercent(gain)) *
                             exposure / 10000;
        return static_cast<int>(std::clamp(percent, 0L, 10000L));
    };
    SyntheticPicture::Controls c = m_controls;
    c.gainRed = channel(m_controls.gainRed, g.red);
    c.gainGreen = channel(m_controls.gainGreen, g.green);
    c.gainBlue = channel(m_controls.gainBlue, g.blue);
    c.brightness = m_controls.brightness + sensor.processingValue(ProcessingControl::Brightness);
    return c;
}

bool VirtualCamera::render(std::uint64_t frameNumber, std::uint8_t* destination, std::size_t size,
                           int stride) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_config.registerCamera)
        return m_picture.render(frameNumber, destination, size, stride);
    const SyntheticPicture::Controls c = registerControls();
    if (!(c == m_picture.controls()))
        m_picture.setControls(c);
    if (!m_picture.render(frameNumber, destination, size, stride))
        return false;
    SimulatedRegisterCamera& sensor = *m_config.registerCamera;
    if (sensor.reg(sensor::kOperatingMode) & sensor::kModeAutoExposure)
        sensor.settleExposure(MeanLevel(destination, m_picture.width(), m_picture.height(), stride));
    return true;
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
