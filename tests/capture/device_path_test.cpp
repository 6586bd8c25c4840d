#include "capture/device_path.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(DevicePath, MadeFromIdsAndNode) {
    EXPECT_EQ(MakeDevicePath({0x3F7A, 0x0B41}, "/dev/video2"), "usb#vid_3f7a&pid_0b41#/dev/video2");
    EXPECT_EQ(MakeDevicePath({0x46d, 0x825}, "/dev/video0"), "usb#vid_046d&pid_0825#/dev/video0");
    EXPECT_EQ(DeviceNodeOfPath("usb#vid_3f7a&pid_0b41#/dev/video2"), "/dev/video2");
    EXPECT_EQ(DeviceNodeOfPath("/dev/video5"), "/dev/video5");
}

TEST(DevicePath, OnlyTheRegisterCameraIdsMarkTheController) {
    struct Case {
        const char* path;
        std::optional<UsbIds> ids;
        bool registerCamera;
    };
    const Case cases[] = {
        {"usb#vid_3f7a&pid_0b41#/dev/video2", UsbIds{0x3F7A, 0x0B41}, true},
        {"usb#vid_3F7A&pid_0B41#/dev/video0", UsbIds{0x3F7A, 0x0B41}, true},
        {"usb#vid_3f7a&pid_0b41", UsbIds{0x3F7A, 0x0B41}, true},
        {"usb#vid_3f7a&pid_0b42#/dev/video2", UsbIds{0x3F7A, 0x0B42}, false},
        {"usb#vid_3f7b&pid_0b41#/dev/video2", UsbIds{0x3F7B, 0x0B41}, false},
        {"usb#vid_46d&pid_825#/dev/video0", UsbIds{0x046D, 0x0825}, false},
        {"/dev/video2", std::nullopt, false},
        {"virtual#Demo Microscope", std::nullopt, false},
        {"USB#VID_3F7A&PID_0B41#/dev/video2", std::nullopt, false},
        {"usb#vid_&pid_0b41", std::nullopt, false},
        {"usb#vid_3f7a&pid_", std::nullopt, false},
        {"usb#vid_3f7a#pid_0b41", std::nullopt, false},
        {"usb#vid_zz7a&pid_0b41", std::nullopt, false},
        {"", std::nullopt, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseUsbIds(c.path), c.ids) << c.path;
        EXPECT_EQ(IsRegisterCameraPath(c.path), c.registerCamera) << c.path;
    }
}

TEST(DevicePath, UdevIdsAndNodeNumbers) {
    EXPECT_EQ(ParseUsbId("3f7a"), 0x3F7A);
    EXPECT_EQ(ParseUsbId("0x0B41"), 0x0B41);
    EXPECT_EQ(ParseUsbId("46d"), 0x046D);
    EXPECT_EQ(ParseUsbId(""), std::nullopt);
    EXPECT_EQ(ParseUsbId("0x"), std::nullopt);
    EXPECT_EQ(ParseUsbId("12345"), std::nullopt);
    EXPECT_EQ(ParseUsbId("3f7g"), std::nullopt);

    EXPECT_EQ(VideoNodeNumber("/dev/video0"), 0);
    EXPECT_EQ(VideoNodeNumber("/dev/video12"), 12);
    EXPECT_EQ(VideoNodeNumber("/dev/video"), std::nullopt);
    EXPECT_EQ(VideoNodeNumber("/dev/video1a"), std::nullopt);
    EXPECT_EQ(VideoNodeNumber("/dev/media0"), std::nullopt);
    EXPECT_EQ(VideoNodeNumber("/dev/video99999999999"), std::nullopt);
}

} // namespace
