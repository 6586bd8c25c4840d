#pragma once
#include "capture/device_controls.h"

#include <functional>
#include <string>

// The controls and inputs of a V4L2 device node, through its ioctl requests
// (VIDIOC_QUERYCTRL, VIDIOC_QUERYMENU, VIDIOC_G_CTRL, VIDIOC_S_CTRL, VIDIOC_ENUMINPUT,
// VIDIOC_G_INPUT, VIDIOC_S_INPUT). A second open of the node is allowed while another
// one streams, so controls change the running picture.
class V4l2Controls : public DeviceControls {
public:
    using Ioctl = std::function<int(int fd, unsigned long request, void* arg)>;

    // Opens the node for reading and writing; isOpen() says whether that worked.
    explicit V4l2Controls(const std::string& node);
    // Uses a descriptor it does not own and the given request function (tests).
    V4l2Controls(int fd, Ioctl ioctl);
    ~V4l2Controls() override;
    V4l2Controls(const V4l2Controls&) = delete;
    V4l2Controls& operator=(const V4l2Controls&) = delete;

    bool isOpen() const { return m_fd >= 0; }

    // Every control the device reports, user and camera classes alike, without the
    // disabled ones and the class headings; at most 256.
    std::vector<DeviceControlInfo> controls() override;
    bool getControl(std::uint32_t id, int& value) override;
    bool setControl(std::uint32_t id, int value) override;
    // At most 64 inputs.
    std::vector<std::string> inputs() override;
    int currentInput() override;
    bool setInput(int index) override;

private:
    int request(unsigned long code, void* arg);

    int m_fd = -1;
    bool m_owned = false;
    Ioctl m_ioctl;
};
