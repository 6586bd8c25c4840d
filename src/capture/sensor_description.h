#pragma once
#include <cstdint>

// The image sensor behind the register camera's controller, in one place.
//
// Registers are paged: register 0xF0 selects page 0, 1 or 2 on every page, and the
// address 0xPPRR names register RR of page PP. Values are 16 bits wide.
namespace sensor {

inline constexpr std::uint8_t kPageSelect = 0xF0;
inline constexpr int kPageCount = 3;

inline constexpr std::uint16_t kChipId = 0x000;     // non-zero: the camera is there
inline constexpr std::uint16_t kReg001 = 0x001;     // kept at 12
inline constexpr std::uint16_t kReg006 = 0x006;     // kept at 42
inline constexpr std::uint16_t kExposure = 0x009;   // shutter width in rows
inline constexpr std::uint16_t kGreenGain1 = 0x02B; // read back for green
inline constexpr std::uint16_t kBlueGain = 0x02C;
inline constexpr std::uint16_t kRedGain = 0x02D;
inline constexpr std::uint16_t kGreenGain2 = 0x02E;
inline constexpr std::uint16_t kOperatingMode = 0x106;
inline constexpr std::uint16_t kReg213 = 0x213;
inline constexpr std::uint16_t kReg214 = 0x214;
inline constexpr std::uint16_t kReg237 = 0x237;
inline constexpr std::uint16_t kReg23E = 0x23E;
inline constexpr std::uint16_t kReg267 = 0x267;

// Bits of the operating mode register.
inline constexpr std::uint16_t kModeAutoExposure = 0x4000;
inline constexpr std::uint16_t kModeRestartPulse = 0x8000;
inline constexpr std::uint16_t kModeBit0002 = 0x0002; // cleared at initialisation
inline constexpr std::uint16_t kModeBit0010 = 0x0010; // set at initialisation and before Awb
inline constexpr std::uint16_t kReg23EBit1000 = 0x1000;

constexpr std::uint8_t PageOf(std::uint16_t address) {
    return static_cast<std::uint8_t>(address >> 8);
}
constexpr std::uint8_t RegisterOf(std::uint16_t address) {
    return static_cast<std::uint8_t>(address);
}

// A sensor value's range as the controller reports it.
struct Range {
    int minimum;
    int maximum;
    int step;
    int defaultValue;
};

// Colour gains: bits 0-6 are the analogue gain in 1/32 steps (0x20 = x1), bits 7-10 a
// digital multiplier of 1 + their value. Automatic white balance does not exist in the
// sensor; the window measures the picture instead.
inline constexpr Range kGainRange{0, 0x07FF, 1, 0x0020};
inline constexpr std::uint16_t kGainFineMask = 0x007F;
inline constexpr std::uint16_t kGainCoarseMask = 0x0780;

// Exposure: the shutter width in rows of the 1280 x 1024 frame, one row to a full frame
// and its blanking.
inline constexpr Range kExposureRange{1, 1100, 1, 0x0200};

} // namespace sensor
