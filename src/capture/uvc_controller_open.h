#pragma once
#include "capture/controller_device.h"
#include "capture/usb_descriptors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The GUID the controller's vendor extension unit reports, in descriptor byte order
// (its text form is {52719E3C-0DA4-486B-932F-E5174AC08D61}). A camera without a unit of
// this GUID is not the register camera's controller.
inline constexpr UsbGuid kControllerExtensionUnitGuid = {
    0x3C, 0x9E, 0x71, 0x52, 0xA4, 0x0D, 0x6B, 0x48, 0x93, 0x2F, 0xE5, 0x17, 0x4A, 0xC0, 0x8D, 0x61};

// The sysfs file with the raw USB descriptors of the device behind a node
// ("/dev/video2" -> "<sysfs>/class/video4linux/video2/device/../descriptors"), or an
// empty text when the node is not a video node.
std::string DescriptorsFileOfNode(std::string_view node, std::string_view sysfsRoot = "/sys");

// The id of the controller's extension unit in the descriptors of the device behind a
// video node, or nothing (no such node, no readable descriptors, no such unit).
std::optional<std::uint8_t> FindControllerUnit(std::string_view node,
                                               std::string_view sysfsRoot = "/sys");

// Opens the register camera that a device path names: finds the extension unit in the
// device's descriptors, opens the node for reading and writing, and offers its V4L2
// brightness, saturation, sharpness and gamma as the processing values.
OpenOutcome OpenUvcController(std::string_view devicePath, std::string_view sysfsRoot = "/sys");

ControllerOpener UvcControllerOpener();
