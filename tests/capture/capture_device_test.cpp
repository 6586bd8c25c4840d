#include "capture/capture_device.h"
#include "capture/virtual_controls.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

CaptureDeviceInfo Real(const std::string& node) {
    CaptureDeviceInfo d;
    d.name = "cam " + node;
    d.node = node;
    d.path = node;
    return d;
}

CaptureDeviceInfo Virtual(const std::string& name) {
    VirtualCameraConfig config;
    config.name = name;
    CaptureDeviceInfo d;
    d.name = name;
    d.path = config.devicePath();
    d.virtualCamera = std::make_shared<VirtualCamera>(config);
    return d;
}

std::vector<std::string> Names(const std::vector<CaptureDeviceInfo>& devices) {
    std::vector<std::string> names;
    for (const auto& d : devices)
        names.push_back(d.name);
    return names;
}

TEST(CaptureDevices, RealByNodeThenVirtualInTheirOrderAtMostTen) {
    std::vector<CaptureDeviceInfo> devices = {Virtual("Demo Microscope"), Real("/dev/video10"),
                                              Virtual("Second"), Real("/dev/video2"), Real("/dev/video0")};
    OrderCaptureDevices(devices);
    EXPECT_EQ(Names(devices), (std::vector<std::string>{"cam /dev/video0", "cam /dev/video2", "cam /dev/video10",
                                                        "Demo Microscope", "Second"}));
    devices.clear();
    for (int i = 0; i < 8; ++i)
        devices.push_back(Virtual("v" + std::to_string(i)));
    for (int i = 7; i >= 0; --i)
        devices.push_back(Real("/dev/video" + std::to_string(i)));
    OrderCaptureDevices(devices);
    ASSERT_EQ(devices.size(), 10u);
    EXPECT_EQ(devices[7].name, "cam /dev/video7");
    EXPECT_EQ(devices[8].name, "v0"); // real cameras win the automatic choice
    EXPECT_EQ(devices[9].name, "v1");
}

TEST(CaptureDevices, VirtualCameraFormatsAndPath) {
    VirtualCameraConfig config = DemoCameraConfig();
    EXPECT_EQ(config.name, "Demo Microscope");
    EXPECT_EQ(config.devicePath(), "virtual#Demo Microscope");
    const auto formats = config.offeredFormats();
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(formats[0].width, 1280);
    EXPECT_EQ(formats[0].height, 1024);
    EXPECT_EQ(formats[0].rates, (std::vector<FrameRate>{{30, 1}}));
    EXPECT_EQ(formats[0].subtype, MEDIASUBTYPE_RGB24);
    config.path = "usb#vid_3f7a&pid_0b41#/dev/video7";
    EXPECT_EQ(config.devicePath(), "usb#vid_3f7a&pid_0b41#/dev/video7");
}

TEST(CaptureDevices, VirtualControlsChangeTheRenderedPicture) {
    VirtualCameraConfig config;
    config.name = "Grey";
    config.pattern = SyntheticPicture::Pattern::Solid;
    config.solid = RGB(100, 100, 100);
    auto camera = std::make_shared<VirtualCamera>(config);
    ASSERT_TRUE(camera->prepare(4, 2));
    VirtualControls controls(camera);
    const auto list = controls.controls();
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[0].name, "Brightness");
    EXPECT_EQ(list[5].name, "Focus");
    EXPECT_TRUE(controls.setControl(VirtualControls::Brightness, 30));
    EXPECT_TRUE(controls.setControl(VirtualControls::RedGain, 200));
    EXPECT_FALSE(controls.setControl(VirtualControls::Contrast, 500));
    EXPECT_FALSE(controls.setControl(99, 1));
    int v = 0;
    EXPECT_TRUE(controls.getControl(VirtualControls::Brightness, v));
    EXPECT_EQ(v, 30);
    std::vector<std::uint8_t> frame(4 * 3 * 2);
    ASSERT_TRUE(camera->render(0, frame.data(), frame.size(), 12));
    EXPECT_EQ(frame[0], 130); // blue
    EXPECT_EQ(frame[2], 255); // red: (100 + 30) x 2, saturated
    // The controls outlive a new picture size.
    ASSERT_TRUE(camera->prepare(2, 2));
    ASSERT_TRUE(camera->render(0, frame.data(), frame.size(), 6));
    EXPECT_EQ(frame[1], 130);
    EXPECT_EQ(controls.inputs(), (std::vector<std::string>{"Camera"}));
    EXPECT_FALSE(controls.setInput(1));
}

} // namespace
