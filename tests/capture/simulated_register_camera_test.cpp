#include "capture/simulated_register_camera.h"

#include "capture/sensor_description.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(SimulatedRegisterCamera, PagesAreSeparateAndTheSelectionNeedsALatchingPage) {
    SimulatedRegisterCamera camera;
    std::uint16_t value = 0;
    ASSERT_EQ(camera.write(0xF0, 1, 2, 2), TransportResult::Ok);
    ASSERT_EQ(camera.write(0x13, 1, 2, 0x80), TransportResult::Ok);
    EXPECT_EQ(camera.reg(0x213), 0x80);
    EXPECT_NE(camera.reg(0x013), 0x80);
    ASSERT_EQ(camera.read(0xF0, 1, 2, value), TransportResult::Ok);
    EXPECT_EQ(value, 2);
    camera.setPageLatches(0, false);
    camera.write(0xF0, 1, 2, 0);
    EXPECT_EQ(camera.page(), 2);
    camera.write(0xF0, 1, 2, 7); // no such page
    EXPECT_EQ(camera.page(), 2);
    EXPECT_EQ(camera.read(0x00, 1, 3, value), TransportResult::Failed);
}

TEST(SimulatedRegisterCamera, InjectedFaultsFailTheirCountThenClear) {
    SimulatedRegisterCamera camera;
    std::uint16_t value = 0;
    camera.failReads(2);
    EXPECT_EQ(camera.read(0x00, 1, 2, value), TransportResult::Failed);
    EXPECT_EQ(camera.read(0x00, 1, 2, value), TransportResult::Failed);
    EXPECT_EQ(camera.read(0x00, 1, 2, value), TransportResult::Ok);
    EXPECT_EQ(value, SimulatedRegisterCamera::kChipIdValue);
    camera.failWrites(1);
    EXPECT_EQ(camera.write(0xF0, 1, 2, 1), TransportResult::Ok); // page selection is not counted
    EXPECT_EQ(camera.write(0x06, 1, 2, 5), TransportResult::Failed);
    EXPECT_EQ(camera.write(0x06, 1, 2, 5), TransportResult::Ok);
    camera.setDead(true);
    EXPECT_EQ(camera.probe(), TransportResult::Failed);
    EXPECT_EQ(camera.read(0x00, 1, 2, value), TransportResult::Failed);
    EXPECT_TRUE(camera.controls().empty());
}

TEST(SimulatedRegisterCamera, GainsAndExposureScaleThePicture) {
    EXPECT_EQ(SimulatedRegisterCamera::GainPercent(sensor::kGainRange.defaultValue), 100);
    EXPECT_EQ(SimulatedRegisterCamera::GainPercent(0x0040), 200);
    EXPECT_EQ(SimulatedRegisterCamera::GainPercent(0x00A0), 200); // x1 analogue, x2 digital
    EXPECT_EQ(SimulatedRegisterCamera::GainPercent(0x0000), 0);
    EXPECT_EQ(SimulatedRegisterCamera::ExposurePercent(sensor::kExposureRange.defaultValue), 100);
}

TEST(SimulatedRegisterCamera, AutomaticExposureSettlesTowardsMidGrey) {
    SimulatedRegisterCamera camera; // automatic exposure is on after power-up
    // A scene that shows grey 64 at the power-up exposure, in proportion to exposure.
    auto mean = [&] {
        return 64.0 * camera.gains().exposure / sensor::kExposureRange.defaultValue;
    };
    for (int frame = 0; frame < 15; ++frame)
        camera.settleExposure(mean());
    EXPECT_NEAR(mean(), 128.0, 3.0);

    camera.setReg(sensor::kOperatingMode, 0x0110);
    const std::uint16_t before = camera.gains().exposure;
    camera.settleExposure(10.0);
    EXPECT_EQ(camera.gains().exposure, before);
}

} // namespace
