#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The device path names a video device by its USB vendor and product ids and its
// device node: "usb#vid_3f7a&pid_0b41#/dev/video2". Devices without USB ids are
// named by their node alone; virtual devices by whatever their maker gives.

struct UsbIds {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    bool operator==(const UsbIds&) const = default;
};

// The register-controlled camera.
inline constexpr UsbIds kRegisterCameraIds{0x3F7A, 0x0B41};

// "usb#vid_%04x&pid_%04x#<node>".
std::string MakeDevicePath(UsbIds ids, std::string_view node);

// The ids at the start of a path: "usb#vid_" followed by one to four hex digits,
// "&pid_" and one to four hex digits (either case). Anything else gives nothing.
std::optional<UsbIds> ParseUsbIds(std::string_view path);

// The node after the ids ("/dev/video2"), or the whole path when it carries no ids.
std::string_view DeviceNodeOfPath(std::string_view path);

// True when the path carries vendor 0x3F7A and product 0x0B41.
bool IsRegisterCameraPath(std::string_view path);

// A USB id as udev reports it ("3f7a", "0x3F7A"): 1 to 4 hex digits with an optional
// "0x" prefix; anything else gives nothing.
std::optional<std::uint16_t> ParseUsbId(std::string_view text);

// The number of a node "/dev/videoN" for sorting (N), or nothing for other names.
std::optional<int> VideoNodeNumber(std::string_view node);
