#include "capture/usb_descriptors.h"
#include "capture/uvc_controller_open.h"

#include "../platform/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const UsbGuid kOtherGuid = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

void Append(Bytes& to, const Bytes& d) {
    to.insert(to.end(), d.begin(), d.end());
}

Bytes Interface(std::uint8_t number, std::uint8_t subclass) {
    return {9, 0x04, number, 0, 1, 0x0E, subclass, 0, 0};
}

// A class-specific descriptor of subtype 6 (an extension unit in a control interface)
// with `pins` source ids and `controlBytes` control bytes.
Bytes Unit(std::uint8_t id, const UsbGuid& guid, std::uint8_t pins = 1,
           std::uint8_t controlBytes = 2) {
    Bytes d(4 + guid.size());
    d[1] = 0x24;
    d[2] = 0x06;
    d[3] = id;
    std::copy(guid.begin(), guid.end(), d.begin() + 4);
    d.push_back(8);    // bNumControls
    d.push_back(pins); // bNrInPins
    for (int i = 0; i < pins; ++i)
        d.push_back(2);
    d.push_back(controlBytes);
    for (int i = 0; i < controlBytes; ++i)
        d.push_back(0xFF);
    d.push_back(0); // iExtension
    d[0] = static_cast<std::uint8_t>(d.size());
    return d;
}

// A camera as its sysfs descriptors file shows it: device, configuration, the video
// control interface with a header, another vendor's unit and the controller's unit, then
// a streaming interface whose format descriptor shares the subtype.
Bytes Camera(bool withController = true) {
    Bytes d = {18,   0x01, 0x00, 0x02, 0xEF, 0x02, 0x01, 0x40, 0x7A,
               0x3F, 0x41, 0x0B, 0x00, 0x01, 1,    2,    0,    1};
    Append(d, {9, 0x02, 0, 0, 2, 1, 0, 0x80, 0xFA});
    Append(d, Interface(0, 0x01));
    Append(d, {13, 0x24, 0x01, 0x00, 0x01, 0x4D, 0x00, 0x80, 0xC3, 0xC9, 0x01, 0x01, 0x01});
    Append(d, Unit(3, kOtherGuid));
    if (withController)
        Append(d, Unit(5, kControllerExtensionUnitGuid, 2, 3));
    Append(d, {7, 0x05, 0x83, 0x03, 0x10, 0x00, 0x06}); // interrupt endpoint
    Append(d, Interface(1, 0x02));
    Append(d, Unit(9, kControllerExtensionUnitGuid)); // a format in a streaming interface
    return d;
}

TEST(UsbDescriptors, FindsTheControllersUnitInTheVideoControlInterfaceOnly) {
    const Bytes camera = Camera();
    EXPECT_EQ(ExtensionUnits(camera),
              (std::vector<ExtensionUnit>{{3, kOtherGuid}, {5, kControllerExtensionUnitGuid}}));
    EXPECT_EQ(FindExtensionUnit(camera, kControllerExtensionUnitGuid), 5);
    EXPECT_EQ(FindExtensionUnit(Camera(false), kControllerExtensionUnitGuid), std::nullopt);
}

TEST(UsbDescriptors, EveryTruncationIsSafeAndFindsOnlyWholeUnits) {
    const Bytes camera = Camera();
    const Bytes controller = Unit(5, kControllerExtensionUnitGuid, 2, 3);
    const std::size_t unitEnd =
        std::search(camera.begin(), camera.end(), controller.begin(), controller.end()) -
        camera.begin() + controller.size();
    for (std::size_t n = 0; n <= camera.size(); ++n) {
        const Bytes cut(camera.begin(), camera.begin() + n);
        const auto unit = FindExtensionUnit(cut, kControllerExtensionUnitGuid);
        EXPECT_EQ(unit.has_value(), n >= unitEnd) << n;
    }
}

TEST(UsbDescriptors, MalformedDescriptorsAreSkippedOrEndTheParse) {
    struct Case {
        const char* name;
        Bytes data;
    };
    Bytes shortUnit = Unit(5, kControllerExtensionUnitGuid);
    shortUnit.resize(20);
    shortUnit[0] = 20;
    Bytes pinsBeyond = Unit(5, kControllerExtensionUnitGuid);
    pinsBeyond[21] = 200;
    Bytes controlsBeyond = Unit(5, kControllerExtensionUnitGuid, 1, 2);
    controlsBeyond[23] = 40;
    Bytes lengthBeyond = Unit(5, kControllerExtensionUnitGuid);
    lengthBeyond[0] = 250;
    const Case cases[] = {
        {"unit shorter than its fields", shortUnit},
        {"source ids beyond the length", pinsBeyond},
        {"control bytes beyond the length", controlsBeyond},
        {"length beyond the data", lengthBeyond},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes d = Interface(0, 0x01);
        Append(d, c.data);
        EXPECT_TRUE(ExtensionUnits(d).empty());
    }
    // A zero length cannot be stepped over: nothing after it counts.
    Bytes zero = Interface(0, 0x01);
    Append(zero, {0, 0x24});
    Append(zero, Unit(5, kControllerExtensionUnitGuid));
    EXPECT_TRUE(ExtensionUnits(zero).empty());
    // A unit before any interface descriptor belongs to no control interface.
    EXPECT_TRUE(ExtensionUnits(Unit(5, kControllerExtensionUnitGuid)).empty());
}

TEST(UsbDescriptors, RandomBytesNeverCrash) {
    std::mt19937 random(15);
    for (int round = 0; round < 2000; ++round) {
        Bytes d(random() % 300);
        for (auto& b : d)
            b = static_cast<std::uint8_t>(random());
        if (round % 2 && d.size() > 9) // often enough inside a control interface
            std::copy_n(Interface(0, 0x01).begin(), 9, d.begin());
        for (const ExtensionUnit& u : ExtensionUnits(d))
            (void)u;
    }
}

class SysfsTest : public ::testing::Test {
  protected:
    // <root>/class/video4linux/video7/device is the interface; its parent holds the file.
    void writeDescriptors(const Bytes& data) {
        const std::string dev = dir.path() + "/class/video4linux/video7";
        std::filesystem::create_directories(dev + "/device");
        std::ofstream(dev + "/descriptors", std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()), static_cast<long>(data.size()));
    }
    TempDir dir;
};

TEST_F(SysfsTest, TheUnitIsFoundFromTheNodesDescriptorsFile) {
    EXPECT_EQ(DescriptorsFileOfNode("/dev/video7", "/sys"),
              "/sys/class/video4linux/video7/device/../descriptors");
    EXPECT_EQ(DescriptorsFileOfNode("/dev/sda", "/sys"), "");
    EXPECT_EQ(FindControllerUnit("/dev/video7", dir.path()), std::nullopt); // no file
    writeDescriptors(Camera(false));
    EXPECT_EQ(FindControllerUnit("/dev/video7", dir.path()), std::nullopt);
    writeDescriptors(Camera());
    EXPECT_EQ(FindControllerUnit("/dev/video7", dir.path()), 5);
    EXPECT_EQ(FindControllerUnit("/dev/video8", dir.path()), std::nullopt);
}

TEST_F(SysfsTest, ACameraWithoutTheUnitIsNotOpened) {
    writeDescriptors(Camera(false));
    const OpenOutcome outcome = OpenUvcController("usb#vid_3f7a&pid_0b41#/dev/video7", dir.path());
    EXPECT_NE(outcome.status, OpenStatus::Opened);
    EXPECT_EQ(outcome.device.registers, nullptr);
    EXPECT_EQ(OpenUvcController("usb#vid_3f7a&pid_0b41#/tmp/x", dir.path()).status,
              OpenStatus::NotFound);
}

} // namespace
