#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The extension units of a USB video device, from its raw descriptors (the device
// descriptor followed by its configuration descriptors, as the kernel's sysfs
// `descriptors` file holds them). The data is untrusted: every length is checked against
// the bytes present, and parsing stops at the first descriptor that does not fit.
using UsbGuid = std::array<std::uint8_t, 16>; // as the descriptor stores it

struct ExtensionUnit {
    std::uint8_t unitId = 0;
    UsbGuid guid{};
    bool operator==(const ExtensionUnit&) const = default;
};

// Extension units of the video-control interfaces, in descriptor order.
std::vector<ExtensionUnit> ExtensionUnits(std::span<const std::uint8_t> descriptors);

// The id of the first extension unit with that GUID.
std::optional<std::uint8_t> FindExtensionUnit(std::span<const std::uint8_t> descriptors,
                                              const UsbGuid& guid);
