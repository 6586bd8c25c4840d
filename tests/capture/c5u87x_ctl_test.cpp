#include "capture/c5u87x_ctl.h"

#include "capture/simulated_register_camera.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Access = SimulatedRegisterCamera::Access;
using Writes = std::vector<std::pair<std::uint16_t, std::uint16_t>>;

class ControllerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(ctl.OpenFromMoniker("usb#vid_3f7a&pid_0b41#/dev/video2"), 0);
        ASSERT_TRUE(ctl.Attach());
        camera->clearLog();
    }
    std::shared_ptr<SimulatedRegisterCamera> camera = std::make_shared<SimulatedRegisterCamera>();
    C5U87xCtl ctl{SimulatedRegisterCamera::OpenerFor(camera)};
};

TEST_F(ControllerTest, AttachingSetsEightBitAddressesAndSixteenBitValues) {
    EXPECT_EQ(ctl.addressMode(), 1);
    EXPECT_EQ(ctl.dataBytes(), 2);
    EXPECT_TRUE(ctl.Attach()); // already attached: a re-check
    ctl.Detach();
    EXPECT_EQ(ctl.dataBytes(), 1);
    std::uint16_t value = 0;
    EXPECT_FALSE(ctl.RegRead(0x2D, 1, value, 2));
    EXPECT_FALSE(ctl.PageWrite(0x02D, 0x40));
    EXPECT_TRUE(camera->log().empty());
    EXPECT_TRUE(ctl.Attach());
    EXPECT_EQ(ctl.dataBytes(), 2);
}

TEST_F(ControllerTest, PageQualifiedAccessSelectsAndChecksThePageFirst) {
    camera->setReg(0x106, 0x0110);
    std::uint16_t value = 0;
    ASSERT_TRUE(ctl.PageRead(0x106, value));
    EXPECT_EQ(value, 0x0110);
    ASSERT_TRUE(ctl.PageWrite(0x213, 0x80));
    EXPECT_EQ(camera->reg(0x213), 0x80);
    const std::vector<Access> expected = {
        {Access::Write, 0, 0xF0, 1},  {Access::Read, 1, 0xF0, 1}, {Access::Read, 1, 0x06, 0x0110},
        {Access::Write, 1, 0xF0, 2},  {Access::Read, 2, 0xF0, 2}, {Access::Write, 2, 0x13, 0x80},
        {Access::Read, 2, 0x13, 0x80}};
    EXPECT_EQ(camera->log(), expected);
}

TEST_F(ControllerTest, PageThatDoesNotLatchFailsAfterTenAttemptsWithoutTouchingTheWrongPage) {
    std::uint16_t id = 0;
    ASSERT_TRUE(ctl.PageRead(0x000, id)); // page 0 is selected now
    const std::uint16_t before = camera->reg(0x006);
    camera->setPageLatches(1, false);
    camera->clearLog();
    EXPECT_FALSE(ctl.PageWrite(0x106, 0x1234));
    EXPECT_TRUE(camera->registerWrites().empty());
    EXPECT_EQ(camera->reg(0x006), before);
    const auto log = camera->log();
    EXPECT_EQ(log.size(), 20u); // ten page selections, each read back
    std::uint16_t value = 0;
    camera->clearLog();
    EXPECT_FALSE(ctl.PageRead(0x106, value));
    EXPECT_EQ(camera->log().size(), 2u); // the register itself is not read
}

TEST_F(ControllerTest, PageWriteRepeatsUntilTheRegisterReadsBack) {
    camera->failWrites(3);
    EXPECT_TRUE(ctl.PageWrite(0x02D, 0x0450));
    EXPECT_EQ(camera->reg(0x02D), 0x0450);
    camera->failWrites(10);
    EXPECT_FALSE(ctl.PageWrite(0x02D, 0x0451));
    EXPECT_EQ(camera->reg(0x02D), 0x0450);
    camera->failReads(1); // the page check of the first attempt
    EXPECT_TRUE(ctl.PageWrite(0x02D, 0x0452));
    EXPECT_EQ(camera->registerWrites(), (Writes{{0x02D, 0x0450}, {0x02D, 0x0452}}));
}

TEST_F(ControllerTest, ProcessingValuesAndSensorRangesComeFromTheirOwnPlaces) {
    ControlInfo gamma;
    ASSERT_TRUE(ctl.GetInfo(ProcessingControl::Gamma, gamma));
    EXPECT_EQ(gamma.minimum, 72);
    EXPECT_EQ(gamma.maximum, 500);
    EXPECT_EQ(gamma.defaultValue, 100);
    EXPECT_TRUE(ctl.Set(ProcessingControl::Gamma, 220));
    EXPECT_EQ(camera->processingValue(ProcessingControl::Gamma), 220);
    GainInfo gains;
    camera->setReg(0x02D, 0x0450);
    ASSERT_TRUE(ctl.GetGainInfo(gains));
    EXPECT_EQ(gains.red.current, 0x0450);
    EXPECT_EQ(gains.red.maximum, sensor::kGainRange.maximum);
    EXPECT_EQ(gains.blue.defaultValue, sensor::kGainRange.defaultValue);
    EXPECT_FALSE(gains.awbExists);
    ControlInfo exposure;
    ASSERT_TRUE(ctl.GetExposureInfo(exposure));
    EXPECT_EQ(exposure.minimum, sensor::kExposureRange.minimum);
    EXPECT_EQ(exposure.current, camera->reg(0x009));
}

TEST_F(ControllerTest, DeadCameraFailsEveryOperation) {
    camera->setDead(true);
    std::uint16_t value = 0;
    ControlInfo info;
    GainInfo gains;
    EXPECT_FALSE(ctl.PageRead(0x000, value));
    EXPECT_FALSE(ctl.PageWrite(0x02D, 0x40));
    EXPECT_FALSE(ctl.GetInfo(ProcessingControl::Brightness, info));
    EXPECT_FALSE(ctl.Set(ProcessingControl::Brightness, 3));
    EXPECT_FALSE(ctl.GetGainInfo(gains));
    EXPECT_FALSE(ctl.GetExposureInfo(info));
    EXPECT_FALSE(ctl.Attach()); // the re-check notices
    EXPECT_TRUE(camera->registerWrites().empty());

    C5U87xCtl fresh{SimulatedRegisterCamera::OpenerFor(camera)};
    ASSERT_EQ(fresh.OpenFromMoniker("x"), 0);
    EXPECT_FALSE(fresh.Attach(3));
    EXPECT_FALSE(fresh.attached());
}

TEST(Controller, WithoutADeviceNothingIsAttached) {
    C5U87xCtl none;
    EXPECT_LT(none.OpenFromMoniker("usb#vid_3f7a&pid_0b41#/dev/video2"), 0);
    EXPECT_FALSE(none.Attach());
    C5U87xCtl refused{[](std::string_view) {
        OpenOutcome o;
        o.status = OpenStatus::NoPermission;
        return o;
    }};
    EXPECT_LT(refused.OpenFromMoniker("p"), 0);
    EXPECT_EQ(refused.openStatus(), OpenStatus::NoPermission);
    EXPECT_FALSE(refused.Attach());
}

// A transport whose every access meets a device error (an unplugged camera, a time-out).
struct FailingTransport : RegisterTransport {
    int* calls;
    explicit FailingTransport(int* c) : calls(c) {}
    TransportResult probe() override { return TransportResult::Ok; }
    TransportResult read(std::uint16_t, int, int, std::uint16_t&) override {
        ++*calls;
        return TransportResult::DeviceError;
    }
    TransportResult write(std::uint16_t, int, int, std::uint16_t) override {
        ++*calls;
        return TransportResult::DeviceError;
    }
};

TEST(Controller, DeviceErrorEndsRepetitionAtOnce) {
    int calls = 0;
    C5U87xCtl ctl{[&calls](std::string_view) {
        OpenOutcome o;
        o.status = OpenStatus::Opened;
        o.device.registers = std::make_unique<FailingTransport>(&calls);
        return o;
    }};
    ASSERT_EQ(ctl.OpenFromMoniker("x"), 0);
    ASSERT_TRUE(ctl.Attach());
    std::uint16_t value = 0;
    EXPECT_FALSE(ctl.RegRead(0x2D, 1, value, 2, 5));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(ctl.PageWrite(0x02D, 0x40));
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(ctl.deviceError());
}

} // namespace
