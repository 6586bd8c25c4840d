#pragma once
#include "capture/device_controls.h"
#include "capture/register_transport.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

// The camera's video-processing values the controller offers besides the registers.
enum class ProcessingControl { Brightness, Saturation, Sharpness, Gamma };

// The ids of the processing values among the device's picture controls.
struct ProcessingControlIds {
    std::uint32_t brightness = 0;
    std::uint32_t saturation = 0;
    std::uint32_t sharpness = 0;
    std::uint32_t gamma = 0;

    std::uint32_t of(ProcessingControl control) const {
        switch (control) {
        case ProcessingControl::Brightness:
            return brightness;
        case ProcessingControl::Saturation:
            return saturation;
        case ProcessingControl::Sharpness:
            return sharpness;
        case ProcessingControl::Gamma:
            return gamma;
        }
        return 0;
    }
};

// One opened register camera: the road to its sensor registers and its picture controls.
struct ControllerDevice {
    std::unique_ptr<RegisterTransport> registers;
    std::shared_ptr<DeviceControls> controls; // may be missing: no processing values then
    ProcessingControlIds ids;
};

enum class OpenStatus {
    Opened,
    NotFound,     // no such device, or the path names no device node
    NoPermission, // the node exists but may not be opened for reading and writing
    NoController, // the device carries no controller this program can talk to
};

struct OpenOutcome {
    OpenStatus status = OpenStatus::NotFound;
    ControllerDevice device;
};

// Opens the camera that a device path names (the real camera's UVC extension unit, or a
// simulated one).
using ControllerOpener = std::function<OpenOutcome(std::string_view devicePath)>;
