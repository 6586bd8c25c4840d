#include "capture/usb_descriptors.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kInterfaceDescriptor = 0x04;
constexpr std::uint8_t kClassSpecificInterface = 0x24;
constexpr std::uint8_t kVideoClass = 0x0E;
constexpr std::uint8_t kVideoControlSubclass = 0x01;
constexpr std::uint8_t kExtensionUnitSubtype = 0x06;
constexpr std::size_t kInterfaceLength = 9;
// bLength, type, subtype, unit id, GUID, bNumControls, bNrInPins (p), p source ids,
// bControlSize (n), n control bytes, iExtension.
constexpr std::size_t kExtensionUnitMinLength = 24;

} // namespace

std::vector<ExtensionUnit> ExtensionUnits(std::span<const std::uint8_t> data) {
    std::vector<ExtensionUnit> units;
    bool inVideoControl = false;
    std::size_t at = 0;
    while (data.size() - at >= 2) {
        const std::size_t length = data[at];
        if (length < 2 || length > data.size() - at)
            break; // not a descriptor: nothing after it can be trusted
        const auto d = data.subspan(at, length);
        if (d[1] == kInterfaceDescriptor) {
            // The same subtype means a streaming format in other interfaces.
            inVideoControl =
                length >= kInterfaceLength && d[5] == kVideoClass && d[6] == kVideoControlSubclass;
        } else if (inVideoControl && d[1] == kClassSpecificInterface && length >= 3 &&
                   d[2] == kExtensionUnitSubtype && length >= kExtensionUnitMinLength) {
            const std::size_t pins = d[21];
            const std::size_t controlSizeAt = 22 + pins;
            if (controlSizeAt < length &&
                kExtensionUnitMinLength + pins + d[controlSizeAt] <= length) {
                ExtensionUnit unit;
                unit.unitId = d[3];
                std::copy_n(d.begin() + 4, unit.guid.size(), unit.guid.begin());
                units.push_back(unit);
            }
        }
        at += length;
    }
    return units;
}

std::optional<std::uint8_t> FindExtensionUnit(std::span<const std::uint8_t> descriptors,
                                              const UsbGuid& guid) {
    for (const ExtensionUnit& unit : ExtensionUnits(descriptors))
        if (unit.guid == guid)
            return unit.unitId;
    return std::nullopt;
}
