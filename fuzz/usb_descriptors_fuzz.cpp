// Reads arbitrary bytes as a camera's USB descriptors: the parse never reads outside
// the data, and the unit lookup agrees with the list of units.
#include "capture/usb_descriptors.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto units = ExtensionUnits(bytes);
    if (units.size() > size / 24)
        std::abort(); // every unit takes at least 24 bytes
    for (const ExtensionUnit& unit : units) {
        const auto found = FindExtensionUnit(bytes, unit.guid);
        if (!found)
            std::abort();
    }
    return 0;
}
