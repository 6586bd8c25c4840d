#include "capture/simulated_register_camera.h"

#include "capture/sensor_description.h"

#include <algorithm>
#include <cmath>

namespace {

// Wraps the shared camera as the controller's own transport.
class SharedTransport : public RegisterTransport {
  public:
    explicit SharedTransport(std::shared_ptr<SimulatedRegisterCamera> camera)
        : m_camera(std::move(camera)) {}
    TransportResult probe() override { return m_camera->probe(); }
    TransportResult read(std::uint16_t a, int aw, int db, std::uint16_t& v) override {
        return m_camera->read(a, aw, db, v);
    }
    TransportResult write(std::uint16_t a, int aw, int db, std::uint16_t v) override {
        return m_camera->write(a, aw, db, v);
    }

  private:
    std::shared_ptr<SimulatedRegisterCamera> m_camera;
};

bool WidthsOk(std::uint16_t address, int addressWidth, int dataBytes) {
    return (addressWidth == 1 || addressWidth == 2) && (dataBytes == 1 || dataBytes == 2) &&
           address <= 0xFF;
}

} // namespace

SimulatedRegisterCamera::SimulatedRegisterCamera()
    : m_processing{
          {{-64, 64, 1, 0, 0}, {0, 128, 1, 64, 64}, {0, 15, 1, 3, 3}, {72, 500, 1, 100, 100}}} {
    // Plausible values after power-up: automatic exposure on, and each register the
    // initialisation touches away from what it wants.
    using namespace sensor;
    const std::pair<std::uint16_t, std::uint16_t> reset[] = {
        {kChipId, kChipIdValue},
        {kReg001, 0x0010},
        {kReg006, 0x0020},
        {kExposure, static_cast<std::uint16_t>(kExposureRange.defaultValue)},
        {kGreenGain1, static_cast<std::uint16_t>(kGainRange.defaultValue)},
        {kGreenGain2, static_cast<std::uint16_t>(kGainRange.defaultValue)},
        {kBlueGain, static_cast<std::uint16_t>(kGainRange.defaultValue)},
        {kRedGain, static_cast<std::uint16_t>(kGainRange.defaultValue)},
        {kOperatingMode, static_cast<std::uint16_t>(0x0100 | kModeAutoExposure | kModeBit0002)},
        {kReg213, 0x0040},
        {kReg214, 0x0040},
        {kReg237, 0x0010},
        {kReg23E, static_cast<std::uint16_t>(0x0080 | kReg23EBit1000)},
        {kReg267, 0x0003},
    };
    for (const auto& [address, value] : reset)
        m_pages[PageOf(address)][RegisterOf(address)] = value;
}

TransportResult SimulatedRegisterCamera::probe() {
    std::lock_guard lock(m_mutex);
    return m_dead ? TransportResult::Failed : TransportResult::Ok;
}

TransportResult SimulatedRegisterCamera::read(std::uint16_t address, int addressWidth,
                                              int dataBytes, std::uint16_t& value) {
    std::lock_guard lock(m_mutex);
    if (!WidthsOk(address, addressWidth, dataBytes))
        return TransportResult::Failed;
    Access a{Access::Read, static_cast<std::uint8_t>(m_page), static_cast<std::uint8_t>(address)};
    a.ok = !m_dead && m_failReads == 0;
    if (m_failReads > 0)
        --m_failReads;
    if (a.ok) {
        a.value = address == sensor::kPageSelect ? static_cast<std::uint16_t>(m_page)
                                                 : m_pages[m_page][address];
        if (dataBytes == 1)
            a.value &= 0xFF;
        value = a.value;
    }
    m_log.push_back(a);
    return a.ok ? TransportResult::Ok : TransportResult::Failed;
}

TransportResult SimulatedRegisterCamera::write(std::uint16_t address, int addressWidth,
                                               int dataBytes, std::uint16_t value) {
    std::lock_guard lock(m_mutex);
    if (!WidthsOk(address, addressWidth, dataBytes))
        return TransportResult::Failed;
    if (dataBytes == 1)
        value &= 0xFF;
    Access a{Access::Write, static_cast<std::uint8_t>(m_page), static_cast<std::uint8_t>(address),
             value};
    const bool pageSelect = address == sensor::kPageSelect;
    a.ok = !m_dead && (pageSelect || m_failWrites == 0);
    if (!pageSelect && m_failWrites > 0)
        --m_failWrites;
    if (a.ok) {
        if (pageSelect) {
            // An unknown page, or one that does not latch, leaves the selection alone.
            if (value < sensor::kPageCount && m_latches[value])
                m_page = value;
        } else {
            m_pages[m_page][address] = value;
        }
    }
    m_log.push_back(a);
    return a.ok ? TransportResult::Ok : TransportResult::Failed;
}

const SimulatedRegisterCamera::Processing*
SimulatedRegisterCamera::processing(std::uint32_t id) const {
    return id >= 1 && id <= m_processing.size() ? &m_processing[id - 1] : nullptr;
}

std::vector<DeviceControlInfo> SimulatedRegisterCamera::controls() {
    std::lock_guard lock(m_mutex);
    static const char* names[] = {"Brightness", "Saturation", "Sharpness", "Gamma"};
    std::vector<DeviceControlInfo> list;
    if (m_dead)
        return list;
    for (std::uint32_t id = 1; id <= m_processing.size(); ++id) {
        const Processing& p = m_processing[id - 1];
        DeviceControlInfo c;
        c.id = id;
        c.name = names[id - 1];
        c.minimum = p.minimum;
        c.maximum = p.maximum;
        c.step = p.step;
        c.defaultValue = p.defaultValue;
        c.value = p.value;
        list.push_back(c);
    }
    return list;
}

bool SimulatedRegisterCamera::getControl(std::uint32_t id, int& value) {
    std::lock_guard lock(m_mutex);
    const Processing* p = processing(id);
    if (m_dead || !p)
        return false;
    value = p->value;
    return true;
}

bool SimulatedRegisterCamera::setControl(std::uint32_t id, int value) {
    std::lock_guard lock(m_mutex);
    if (m_dead || !processing(id))
        return false;
    Processing& p = m_processing[id - 1];
    p.value = std::clamp(value, p.minimum, p.maximum);
    return true;
}

std::uint16_t SimulatedRegisterCamera::reg(std::uint16_t address) const {
    std::lock_guard lock(m_mutex);
    const int page = sensor::PageOf(address);
    return page < sensor::kPageCount ? m_pages[page][sensor::RegisterOf(address)] : 0;
}

void SimulatedRegisterCamera::setReg(std::uint16_t address, std::uint16_t value) {
    std::lock_guard lock(m_mutex);
    const int page = sensor::PageOf(address);
    if (page < sensor::kPageCount)
        m_pages[page][sensor::RegisterOf(address)] = value;
}

int SimulatedRegisterCamera::page() const {
    std::lock_guard lock(m_mutex);
    return m_page;
}

SimulatedRegisterCamera::Gains SimulatedRegisterCamera::gains() const {
    std::lock_guard lock(m_mutex);
    const auto& p0 = m_pages[0];
    return {p0[sensor::RegisterOf(sensor::kRedGain)], p0[sensor::RegisterOf(sensor::kGreenGain1)],
            p0[sensor::RegisterOf(sensor::kBlueGain)], p0[sensor::RegisterOf(sensor::kExposure)]};
}

int SimulatedRegisterCamera::GainPercent(std::uint16_t gain) {
    const int fine = gain & sensor::kGainFineMask;
    const int coarse = 1 + ((gain & sensor::kGainCoarseMask) >> 7);
    return fine * coarse * 100 / 32;
}

int SimulatedRegisterCamera::ExposurePercent(std::uint16_t exposure) {
    return exposure * 100 / sensor::kExposureRange.defaultValue;
}

int SimulatedRegisterCamera::processingValue(ProcessingControl control) const {
    std::lock_guard lock(m_mutex);
    return m_processing[kIds.of(control) - 1].value;
}

void SimulatedRegisterCamera::failReads(int n) {
    std::lock_guard lock(m_mutex);
    m_failReads = std::max(0, n);
}

void SimulatedRegisterCamera::failWrites(int n) {
    std::lock_guard lock(m_mutex);
    m_failWrites = std::max(0, n);
}

void SimulatedRegisterCamera::setPageLatches(int page, bool latches) {
    std::lock_guard lock(m_mutex);
    if (page >= 0 && page < sensor::kPageCount)
        m_latches[page] = latches;
}

void SimulatedRegisterCamera::setDead(bool dead) {
    std::lock_guard lock(m_mutex);
    m_dead = dead;
}

void SimulatedRegisterCamera::settleExposure(double mean) {
    std::lock_guard lock(m_mutex);
    const std::uint16_t mode = m_pages[1][sensor::RegisterOf(sensor::kOperatingMode)];
    if (!(mode & sensor::kModeAutoExposure) || !std::isfinite(mean))
        return;
    std::uint16_t& exposure = m_pages[0][sensor::RegisterOf(sensor::kExposure)];
    const double target = exposure * 128.0 / std::clamp(mean, 1.0, 255.0);
    const double next = exposure + (target - exposure) / 3.0;
    exposure = static_cast<std::uint16_t>(std::clamp<double>(
        std::lround(next), sensor::kExposureRange.minimum, sensor::kExposureRange.maximum));
}

std::vector<SimulatedRegisterCamera::Access> SimulatedRegisterCamera::log() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

std::vector<std::pair<std::uint16_t, std::uint16_t>>
SimulatedRegisterCamera::registerWrites() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::pair<std::uint16_t, std::uint16_t>> writes;
    for (const Access& a : m_log)
        if (a.kind == Access::Write && a.ok && a.reg != sensor::kPageSelect)
            writes.emplace_back(a.address(), a.value);
    return writes;
}

void SimulatedRegisterCamera::clearLog() {
    std::lock_guard lock(m_mutex);
    m_log.clear();
}

ControllerOpener
SimulatedRegisterCamera::OpenerFor(std::shared_ptr<SimulatedRegisterCamera> camera) {
    return [camera](std::string_view) {
        OpenOutcome outcome;
        outcome.status = OpenStatus::Opened;
        outcome.device.registers = std::make_unique<SharedTransport>(camera);
        outcome.device.controls = camera;
        outcome.device.ids = kIds;
        return outcome;
    };
}
