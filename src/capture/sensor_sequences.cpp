#include "capture/sensor_sequences.h"

#include "capture/c5u87x_ctl.h"
#include "capture/sensor_description.h"

namespace sensor {
namespace {

// One ensure loop; `next` gives the value to write for what was read, or nothing when
// the register is as wanted.
template <class Next> bool Ensure(C5U87xCtl& ctl, std::uint16_t address, Next next) {
    for (int attempt = 0; attempt < kEnsureAttempts; ++attempt) {
        std::uint16_t value = 0;
        if (!ctl.PageRead(address, value)) {
            if (ctl.deviceError())
                return false;
            continue;
        }
        const int wanted = next(value);
        if (wanted < 0)
            return true;
        if (!ctl.PageWrite(address, static_cast<std::uint16_t>(wanted)) && ctl.deviceError())
            return false;
    }
    return false;
}

} // namespace

bool EnsureValue(C5U87xCtl& ctl, std::uint16_t address, std::uint16_t value) {
    return Ensure(ctl, address, [value](std::uint16_t v) { return v == value ? -1 : int{value}; });
}

bool EnsureBits(C5U87xCtl& ctl, std::uint16_t address, std::uint16_t bits, bool set) {
    return Ensure(ctl, address, [bits, set](std::uint16_t v) {
        const std::uint16_t want = set ? (v | bits) : (v & ~bits);
        return v == want ? -1 : int{want};
    });
}

void Initialise(C5U87xCtl& ctl) {
    // Clearing 0x4002 and setting 0x0010 are separate writes, the clearing first.
    Ensure(ctl, kOperatingMode, [](std::uint16_t v) {
        constexpr std::uint16_t clear = kModeAutoExposure | kModeBit0002;
        if (v & clear)
            return int(v & ~clear);
        if (v & kModeBit0010)
            return -1;
        return int(v | kModeBit0010);
    });
    EnsureBits(ctl, kReg23E, kReg23EBit1000, false);
    EnsureValue(ctl, kReg267, 0);
    EnsureValue(ctl, kReg001, 12);
}

void RestartPulse(C5U87xCtl& ctl) {
    EnsureBits(ctl, kOperatingMode, kModeRestartPulse, true);
    EnsureBits(ctl, kOperatingMode, kModeRestartPulse, false);
    EnsureValue(ctl, kReg213, 0x80);
    EnsureValue(ctl, kReg214, 0x80);
}

void SetAutoExposure(C5U87xCtl& ctl, bool on) {
    if (on) {
        EnsureValue(ctl, kReg237, 0);
        EnsureBits(ctl, kOperatingMode, kModeAutoExposure, true);
    } else {
        EnsureBits(ctl, kOperatingMode, kModeAutoExposure, false);
    }
    KeepFixedRegisters(ctl);
}

void KeepFixedRegisters(C5U87xCtl& ctl) {
    EnsureValue(ctl, kReg001, 12);
    EnsureValue(ctl, kReg006, 42);
}

} // namespace sensor
