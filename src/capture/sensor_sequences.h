#pragma once
#include <cstdint>

class C5U87xCtl;

// The sensor's register sequences, on page-qualified addresses. Each "ensure" makes
// up to kEnsureAttempts attempts: a page-qualified read (a failed read only uses up
// the attempt), done when the register holds what is wanted, otherwise a page-qualified
// write. A device error ends it at once. True when the register was seen as wanted.
namespace sensor {

inline constexpr int kEnsureAttempts = 10;

bool EnsureValue(C5U87xCtl& ctl, std::uint16_t address, std::uint16_t value);
bool EnsureBits(C5U87xCtl& ctl, std::uint16_t address, std::uint16_t bits, bool set);

// At camera start: bits 0x4002 of 0x106 clear and 0x0010 set, bit 0x1000 of 0x23E
// clear, 0x267 = 0, 0x001 = 12.
void Initialise(C5U87xCtl& ctl);
// The restart pulse after the first frames: bit 0x8000 of 0x106 set, then clear;
// 0x213 = 0x80 and 0x214 = 0x80.
void RestartPulse(C5U87xCtl& ctl);
// Automatic exposure on (0x237 = 0, bit 0x4000 of 0x106 set) or off (bit clear);
// both then keep 0x001 and 0x006.
void SetAutoExposure(C5U87xCtl& ctl, bool on);
// 0x001 = 12 and 0x006 = 42.
void KeepFixedRegisters(C5U87xCtl& ctl);

} // namespace sensor
