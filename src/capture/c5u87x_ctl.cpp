#include "capture/c5u87x_ctl.h"

#include <mutex>

namespace {

// The controller takes one process-wide lock per operation; page-qualified access nests
// raw accesses inside it.
std::recursive_mutex& ControllerLock() {
    static std::recursive_mutex lock;
    return lock;
}

} // namespace

C5U87xCtl::C5U87xCtl(ControllerOpener opener) : m_opener(std::move(opener)) {}

C5U87xCtl::~C5U87xCtl() {
    std::lock_guard lock(ControllerLock());
    Detach();
    m_device = {};
}

int C5U87xCtl::OpenFromMoniker(std::string_view devicePath) {
    std::lock_guard lock(ControllerLock());
    Detach();
    m_device = {};
    if (!m_opener) {
        m_openStatus = OpenStatus::NotFound;
        return -1;
    }
    OpenOutcome outcome = m_opener(devicePath);
    m_openStatus = outcome.status;
    if (outcome.status != OpenStatus::Opened || !outcome.device.registers) {
        if (m_openStatus == OpenStatus::Opened)
            m_openStatus = OpenStatus::NoController;
        return -static_cast<int>(m_openStatus);
    }
    m_device = std::move(outcome.device);
    return 0;
}

void C5U87xCtl::Detach() {
    std::lock_guard lock(ControllerLock());
    m_attached = false;
    m_addressMode = 1;
    m_dataBytes = 1;
}

bool C5U87xCtl::Attach(int tries) {
    std::lock_guard lock(ControllerLock());
    if (!m_device.registers)
        return false;
    if (m_attached)
        return m_device.registers->probe() == TransportResult::Ok;
    for (int attempt = 0; attempt < tries; ++attempt) {
        const TransportResult r = m_device.registers->probe();
        if (r == TransportResult::Ok) {
            m_attached = true;
            m_addressMode = 1;
            m_dataBytes = 2;
            return true;
        }
        if (r == TransportResult::DeviceError)
            break;
    }
    return false;
}

bool C5U87xCtl::RegWrite(std::uint16_t address, int addrMode, std::uint16_t value, int dataBytes,
                         int tries) {
    std::lock_guard lock(ControllerLock());
    if (!m_attached)
        return false;
    m_deviceError = false;
    for (int attempt = 0; attempt < tries; ++attempt) {
        const TransportResult r = m_device.registers->write(address, addrMode, dataBytes, value);
        if (r == TransportResult::Ok)
            return true;
        if (r == TransportResult::DeviceError) {
            m_deviceError = true;
            break;
        }
    }
    return false;
}

bool C5U87xCtl::RegRead(std::uint16_t address, int addrMode, std::uint16_t& value, int dataBytes,
                        int tries) {
    std::lock_guard lock(ControllerLock());
    if (!m_attached)
        return false;
    m_deviceError = false;
    for (int attempt = 0; attempt < tries; ++attempt) {
        std::uint16_t v = 0;
        const TransportResult r = m_device.registers->read(address, addrMode, dataBytes, v);
        if (r == TransportResult::Ok) {
            value = v;
            return true;
        }
        if (r == TransportResult::DeviceError) {
            m_deviceError = true;
            break;
        }
    }
    return false;
}

bool C5U87xCtl::selectPage(std::uint8_t page) {
    if (!RegWrite(sensor::kPageSelect, m_addressMode, page, m_dataBytes))
        return false;
    std::uint16_t latched = 0;
    return RegRead(sensor::kPageSelect, m_addressMode, latched, m_dataBytes) && latched == page;
}

bool C5U87xCtl::PageRead(std::uint16_t address, std::uint16_t& value) {
    std::lock_guard lock(ControllerLock());
    if (!m_attached || !selectPage(sensor::PageOf(address)))
        return false;
    return RegRead(sensor::RegisterOf(address), m_addressMode, value, m_dataBytes);
}

bool C5U87xCtl::PageWrite(std::uint16_t address, std::uint16_t value) {
    std::lock_guard lock(ControllerLock());
    if (!m_attached)
        return false;
    const std::uint8_t reg = sensor::RegisterOf(address);
    for (int attempt = 0; attempt < kPageWriteAttempts; ++attempt) {
        std::uint16_t back = 0;
        // The page was just confirmed and nothing else talks to the controller meanwhile,
        // so the read-back needs no new selection.
        if (selectPage(sensor::PageOf(address)) &&
            RegWrite(reg, m_addressMode, value, m_dataBytes) &&
            RegRead(reg, m_addressMode, back, m_dataBytes) && back == value)
            return true;
        if (m_deviceError)
            return false;
    }
    return false;
}

bool C5U87xCtl::GetInfo(ProcessingControl control, ControlInfo& info) {
    std::lock_guard lock(ControllerLock());
    if (!m_attached || !m_device.controls)
        return false;
    const std::uint32_t id = m_device.ids.of(control);
    for (const DeviceControlInfo& c : m_device.controls->controls()) {
        if (c.id != id || c.kind != DeviceControlInfo::Kind::Integer || c.readOnly)
            continue;
        info.supported = true;
        info.current = c.value;
        info.minimum = c.minimum;
        info.maximum = c.maximum;
        info.step = c.step > 0 ? c.step : 1;
        info.defaultValue = c.defaultValue;
        return true;
    }
    return false;
}

bool C5U87xCtl::Set(ProcessingControl control, int value) {
    std::lock_guard lock(ControllerLock());
    if (!m_attached || !m_device.controls)
        return false;
    return m_device.controls->setControl(m_device.ids.of(control), value);
}

bool C5U87xCtl::readSensorValue(std::uint16_t address, const sensor::Range& range,
                                ControlInfo& info) {
    std::uint16_t value = 0;
    if (!PageRead(address, value))
        return false;
    info.supported = true;
    info.current = value;
    info.minimum = range.minimum;
    info.maximum = range.maximum;
    info.step = range.step;
    info.defaultValue = range.defaultValue;
    return true;
}

bool C5U87xCtl::GetGainInfo(GainInfo& info) {
    std::lock_guard lock(ControllerLock());
    GainInfo gains;
    if (!readSensorValue(sensor::kRedGain, sensor::kGainRange, gains.red) ||
        !readSensorValue(sensor::kGreenGain1, sensor::kGainRange, gains.green) ||
        !readSensorValue(sensor::kBlueGain, sensor::kGainRange, gains.blue))
        return false;
    info = gains;
    return true;
}

bool C5U87xCtl::GetExposureInfo(ControlInfo& info) {
    std::lock_guard lock(ControllerLock());
    ControlInfo exposure;
    if (!readSensorValue(sensor::kExposure, sensor::kExposureRange, exposure))
        return false;
    info = exposure;
    return true;
}
