#include "capture/image_set_kt4_model.h"

#include "capture/c5u87x_ctl.h"
#include "capture/sensor_description.h"
#include "capture/sensor_sequences.h"
#include "capture/white_balance.h"
#include "platform/profile.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr int kPresenceReads = 10;

// The registers the window reads for each colour and exposure value.
constexpr std::array<std::uint16_t, 4> kReadRegisters = {sensor::kRedGain, sensor::kGreenGain1,
                                                         sensor::kBlueGain, sensor::kExposure};

constexpr std::array<ProcessingControl, 4> kProcessing = {
    ProcessingControl::Brightness, ProcessingControl::Saturation, ProcessingControl::Sharpness,
    ProcessingControl::Gamma};

ImageSetKT4Model::Pair PairOf(const ControlInfo& info) {
    return {true, info.minimum, info.maximum, info.step, info.defaultValue};
}

} // namespace

ImageSetKT4Model::ImageSetKT4Model(C5U87xCtl& ctl, WhiteBalanceMeasure* measure)
    : m_ctl(ctl), m_measure(measure) {}

int ImageSetKT4Model::CorrectedGain(int gain, double ratio) {
    if (!std::isfinite(ratio) || ratio < 0)
        return gain;
    // trunc(fine x ratio) & 0x7F, without converting a product beyond the int range.
    const double scaled = std::trunc((gain & sensor::kGainFineMask) * ratio);
    const int fine = static_cast<int>(std::fmod(scaled, 128.0));
    return (fine & sensor::kGainFineMask) | (gain & sensor::kGainCoarseMask);
}

void ImageSetKT4Model::loadInfo(std::array<int, kItemCount>& current) {
    m_pairs = {};
    GainInfo gains;
    if (m_ctl.GetGainInfo(gains)) {
        const ControlInfo* colour[] = {&gains.red, &gains.green, &gains.blue};
        for (int i = Red; i <= Blue; ++i) {
            m_pairs[i] = PairOf(*colour[i]);
            current[i] = colour[i]->current;
        }
    }
    ControlInfo exposure;
    if (m_ctl.GetExposureInfo(exposure)) {
        m_pairs[Exposure] = PairOf(exposure);
        current[Exposure] = exposure.current;
    }
    for (int i = 0; i < 4; ++i) {
        ControlInfo c;
        if (m_ctl.GetInfo(kProcessing[i], c) && c.supported) {
            m_pairs[Brightness + i] = PairOf(c);
            current[Brightness + i] = c.current;
        }
    }
}

bool ImageSetKT4Model::readRegister(Item item, int& value) {
    std::uint16_t v = 0;
    if (!m_ctl.PageRead(kReadRegisters[item], v))
        return false;
    value = v;
    return true;
}

bool ImageSetKT4Model::write(Item item, int value, bool force) {
    const Pair& p = m_pairs[item];
    if (!p.available)
        return false;
    // Fields take any number; the sensor only ever gets one of its range.
    value = std::clamp(value, p.minimum, std::max(p.minimum, p.maximum));
    if (!force && m_hasWritten[item] && m_written[item] == value)
        return true;
    bool ok = false;
    const auto v = static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF));
    switch (item) {
    case Red:
        ok = m_ctl.PageWrite(sensor::kRedGain, v);
        break;
    case Green: {
        // 0x02E first; 0x02B is the one read back.
        const bool second = m_ctl.PageWrite(sensor::kGreenGain2, v);
        ok = m_ctl.PageWrite(sensor::kGreenGain1, v) && second;
        break;
    }
    case Blue:
        ok = m_ctl.PageWrite(sensor::kBlueGain, v);
        break;
    case Exposure:
        ok = m_ctl.PageWrite(sensor::kExposure, v);
        break;
    default:
        ok = m_ctl.Set(kProcessing[item - Brightness], value);
        break;
    }
    if (ok) {
        m_written[item] = value;
        m_hasWritten[item] = true;
    }
    return ok;
}

void ImageSetKT4Model::Initialise() {
    sensor::Initialise(m_ctl);
}

void ImageSetKT4Model::Restart(const Profile& profile) {
    sensor::Initialise(m_ctl);
    sensor::RestartPulse(m_ctl);
    ApplyStored(profile);
}

void ImageSetKT4Model::ApplyStored(const Profile& profile) {
    std::array<int, kItemCount> current{};
    loadInfo(current);
    // Read as it always was, but the sensor has no automatic white balance to switch.
    (void)profile.GetInt(kSection, kAutoKey, 0);
    static constexpr Item kOrder[] = {Green,      Blue,       Red,       Exposure,
                                      Brightness, Saturation, Sharpness, Gamma};
    for (Item item : kOrder) {
        if (!m_pairs[item].available)
            continue;
        const int value = profile.GetInt(kSection, kKeys[item], m_pairs[item].defaultValue);
        write(item, value, true);
    }
}

void ImageSetKT4Model::Store(Profile& profile) {
    Profile::Batch batch(profile);
    profile.WriteInt(kSection, kAutoKey, 0);
    for (int i = Red; i <= Exposure; ++i) {
        int value = 0;
        if (readRegister(static_cast<Item>(i), value))
            profile.WriteInt(kSection, kKeys[i], value);
    }
    for (int i = 0; i < 4; ++i) {
        ControlInfo c;
        if (m_ctl.GetInfo(kProcessing[i], c) && c.supported)
            profile.WriteInt(kSection, kKeys[Brightness + i], c.current);
    }
}

void ImageSetKT4Model::Open() {
    m_present = false;
    for (int i = 0; i < kPresenceReads && !m_present; ++i) {
        std::uint16_t id = 0;
        m_present = m_ctl.PageRead(sensor::kChipId, id) && id != 0;
        if (!m_present && m_ctl.deviceError())
            break;
    }
    if (!m_present)
        return;
    std::array<int, kItemCount> current{};
    loadInfo(current);
    for (int i = 0; i < kItemCount; ++i) {
        if (!m_pairs[i].available)
            continue;
        int value = current[i];
        if (IsRegisterItem(static_cast<Item>(i)))
            readRegister(static_cast<Item>(i), value);
        m_values[i] = m_opening[i] = m_written[i] = value;
        m_hasWritten[i] = true;
    }
}

bool ImageSetKT4Model::enabled(Item item) const {
    if (!m_present || !m_pairs[item].available)
        return false;
    if (item <= Blue)
        return !m_auto && m_awb == AwbState::Idle;
    if (item == Exposure)
        return !m_auto;
    return true;
}

bool ImageSetKT4Model::awbEnabled() const {
    return m_present && !m_auto && m_measure && m_pairs[Red].available &&
           m_pairs[Blue].available;
}

void ImageSetKT4Model::SetField(Item item, int value) {
    if (!m_present || !m_pairs[item].available)
        return;
    m_values[item] = value;
    // While the sensor sets its own exposure, the fields only show what it chose.
    if (m_auto && IsRegisterItem(item))
        return;
    write(item, value, false);
}

void ImageSetKT4Model::SetAuto(bool on) {
    if (!m_present || on == m_auto)
        return;
    sensor::SetAutoExposure(m_ctl, on);
    m_auto = on;
    if (on)
        return;
    // The fields show what the sensor chose last; the camera keeps exactly that.
    for (Item item : {Exposure, Green, Blue, Red})
        write(item, m_values[item], true);
}

void ImageSetKT4Model::ReadBackTick() {
    if (!m_present || !m_auto)
        return;
    for (Item item : {Exposure, Green, Blue, Red}) {
        int value = 0;
        if (m_pairs[item].available && readRegister(item, value))
            m_values[item] = value;
    }
}

void ImageSetKT4Model::startMeasurement() {
    sensor::EnsureBits(m_ctl, sensor::kOperatingMode, sensor::kModeBit0010, true);
    m_measure->request = 1;
    m_awb = AwbState::Measuring;
    sensor::KeepFixedRegisters(m_ctl);
}

void ImageSetKT4Model::stopAwb() {
    m_awbTimer = false;
    m_awb = AwbState::Idle;
}

void ImageSetKT4Model::AwbPressed() {
    if (!awbEnabled())
        return;
    m_awbHeld = true;
    m_awbTimer = true;
}

void ImageSetKT4Model::AwbReleased() {
    m_awbHeld = false;
}

void ImageSetKT4Model::AwbClicked() {
    if (!awbEnabled())
        return;
    m_awbTimer = true;
    startMeasurement();
}

void ImageSetKT4Model::AwbTick() {
    if (!m_present || !m_measure || !m_awbTimer)
        return;
    if (m_awb != AwbState::Measuring) {
        if (!m_awbHeld && m_awb == AwbState::Applied)
            stopAwb();
        else
            startMeasurement();
        return;
    }
    if (m_measure->request != 0)
        return; // the frame handler has not measured a frame yet
    SetField(Red, CorrectedGain(m_values[Red], m_measure->ratioGR));
    SetField(Blue, CorrectedGain(m_values[Blue], m_measure->ratioGB));
    m_awb = AwbState::Applied;
    sensor::KeepFixedRegisters(m_ctl);
    if (!m_awbHeld)
        stopAwb();
}

void ImageSetKT4Model::DefaultGains() {
    if (!defaultGainsEnabled())
        return;
    for (Item item : {Red, Green, Blue, Exposure})
        if (m_pairs[item].available)
            SetField(item, m_pairs[item].defaultValue);
}

void ImageSetKT4Model::DefaultProcessing() {
    if (!m_present)
        return;
    for (Item item : {Brightness, Saturation, Sharpness, Gamma})
        if (m_pairs[item].available)
            SetField(item, m_pairs[item].defaultValue);
}

void ImageSetKT4Model::Cancel() {
    if (!m_present)
        return;
    SetAuto(false);
    stopAwb();
    for (int i = 0; i < kItemCount; ++i) {
        if (!m_pairs[i].available)
            continue;
        m_values[i] = m_opening[i];
        write(static_cast<Item>(i), m_opening[i], true);
    }
}
