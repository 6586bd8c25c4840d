#include "capture/uvc_controller_open.h"

#include "capture/device_path.h"
#include "capture/uvc_xu_transport.h"
#include "capture/v4l2_controls.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <linux/videodev2.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

// Descriptor files are a few kilobytes; anything much larger is not one.
constexpr std::size_t kMaxDescriptorsSize = 1 << 20;

std::vector<std::uint8_t> ReadSmallFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> data;
    char buffer[4096];
    while (in && data.size() <= kMaxDescriptorsSize) {
        in.read(buffer, sizeof buffer);
        data.insert(data.end(), buffer, buffer + in.gcount());
    }
    if (data.size() > kMaxDescriptorsSize)
        data.clear();
    return data;
}

} // namespace

std::string DescriptorsFileOfNode(std::string_view node, std::string_view sysfsRoot) {
    if (!VideoNodeNumber(node))
        return {};
    const std::string_view name = node.substr(node.rfind('/') + 1);
    return std::string(sysfsRoot) + "/class/video4linux/" + std::string(name) +
           "/device/../descriptors";
}

std::optional<std::uint8_t> FindControllerUnit(std::string_view node, std::string_view sysfsRoot) {
    const std::string file = DescriptorsFileOfNode(node, sysfsRoot);
    if (file.empty())
        return std::nullopt;
    return FindExtensionUnit(ReadSmallFile(file), kControllerExtensionUnitGuid);
}

OpenOutcome OpenUvcController(std::string_view devicePath, std::string_view sysfsRoot) {
    OpenOutcome outcome;
    const std::string node(DeviceNodeOfPath(devicePath));
    if (!VideoNodeNumber(node)) {
        outcome.status = OpenStatus::NotFound;
        return outcome;
    }
    const auto unit = FindControllerUnit(node, sysfsRoot);
    if (!unit) {
        outcome.status =
            ::access(node.c_str(), F_OK) == 0 ? OpenStatus::NoController : OpenStatus::NotFound;
        return outcome;
    }
    const int fd = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        outcome.status =
            (errno == EACCES || errno == EPERM) ? OpenStatus::NoPermission : OpenStatus::NotFound;
        return outcome;
    }
    outcome.status = OpenStatus::Opened;
    outcome.device.registers = std::make_unique<UvcXuTransport>(fd, *unit, true);
    auto controls = std::make_shared<V4l2Controls>(node);
    if (controls->isOpen())
        outcome.device.controls = std::move(controls);
    outcome.device.ids = {V4L2_CID_BRIGHTNESS, V4L2_CID_SATURATION, V4L2_CID_SHARPNESS,
                          V4L2_CID_GAMMA};
    return outcome;
}

ControllerOpener UvcControllerOpener() {
    return [](std::string_view devicePath) { return OpenUvcController(devicePath); };
}
