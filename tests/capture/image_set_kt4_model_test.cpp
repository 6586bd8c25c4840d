#include "capture/image_set_kt4_model.h"

#include "capture/c5u87x_ctl.h"
#include "capture/simulated_register_camera.h"
#include "capture/white_balance.h"
#include "platform/profile.h"

#include "../platform/temp_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

using Item = ImageSetKT4Model::Item;
using Writes = std::vector<std::pair<std::uint16_t, std::uint16_t>>;

// A simulated register camera behind an attached controller, with the model on top.
struct Rig {
    Rig() {
        ctl.OpenFromMoniker("usb#vid_3f7a&pid_0b41#/dev/video2");
        ctl.Attach();
        camera->clearLog();
    }
    std::shared_ptr<SimulatedRegisterCamera> camera = std::make_shared<SimulatedRegisterCamera>();
    C5U87xCtl ctl{SimulatedRegisterCamera::OpenerFor(camera)};
    WhiteBalanceMeasure measure;
    ImageSetKT4Model model{ctl, &measure};

    // The eight values as the camera holds them.
    std::array<int, 8> inCamera() const {
        return {camera->reg(0x02D),
                camera->reg(0x02B),
                camera->reg(0x02C),
                camera->reg(0x009),
                camera->processingValue(ProcessingControl::Brightness),
                camera->processingValue(ProcessingControl::Saturation),
                camera->processingValue(ProcessingControl::Sharpness),
                camera->processingValue(ProcessingControl::Gamma)};
    }
};

class ImageSetTest : public ::testing::Test {
  protected:
    Rig rig;
    SimulatedRegisterCamera& camera = *rig.camera;
    ImageSetKT4Model& model = rig.model;
};

TEST_F(ImageSetTest, InitialiseWritesEachRegisterUntilItHoldsWhatIsWanted) {
    // After power-up 0x106 has automatic exposure and bit 0x0002 set, 0x0010 clear.
    model.Initialise();
    EXPECT_EQ(camera.registerWrites(),
              (Writes{{0x106, 0x0100}, {0x106, 0x0110}, {0x23E, 0x0080}, {0x267, 0}, {0x001, 12}}));
    camera.clearLog();
    model.Initialise();
    EXPECT_TRUE(camera.registerWrites().empty());
}

TEST_F(ImageSetTest, RestartPulsesAndAppliesTheStoredSettings) {
    TempDir dir;
    Profile profile(dir.file("Mirelta.ini"));
    profile.WriteInt("Camera", "WB_RED", 0x0450);
    model.Restart(profile);
    const Writes writes = camera.registerWrites();
    const Writes pulse = {{0x106, 0x8110}, {0x106, 0x0110}, {0x213, 0x80}, {0x214, 0x80}};
    ASSERT_GE(writes.size(), 5 + pulse.size());
    EXPECT_EQ(Writes(writes.begin() + 5, writes.begin() + 9), pulse);
    EXPECT_EQ(camera.reg(0x02D), 0x0450);
}

TEST_F(ImageSetTest, FieldChangesWriteTheirRegisterAndGreenWritesBothGreenGains) {
    model.Open();
    ASSERT_TRUE(model.present());
    camera.clearLog();
    model.SetField(Item::Green, 0x41);
    EXPECT_EQ(camera.registerWrites(), (Writes{{0x02E, 0x41}, {0x02B, 0x41}}));

    struct Case {
        Item item;
        int value;
        Writes writes;
    };
    const Case cases[] = {{Item::Red, 0x0450, {{0x02D, 0x0450}}},
                          {Item::Blue, 0x0123, {{0x02C, 0x0123}}},
                          {Item::Exposure, 300, {{0x009, 300}}},
                          {Item::Red, 0x0450, {}},               // unchanged: skipped
                          {Item::Red, 99999, {{0x02D, 0x07FF}}}, // beyond the range
                          {Item::Brightness, 10, {}}};
    for (const Case& c : cases) {
        camera.clearLog();
        model.SetField(c.item, c.value);
        EXPECT_EQ(camera.registerWrites(), c.writes) << c.item << " " << c.value;
        EXPECT_EQ(model.value(c.item), c.value);
    }
    EXPECT_EQ(camera.processingValue(ProcessingControl::Brightness), 10);
}

TEST_F(ImageSetTest, WithAutoOnTheColourAndExposureFieldsWriteNothing) {
    model.Open();
    model.SetAuto(true);
    EXPECT_TRUE(camera.reg(0x106) & 0x4000);
    EXPECT_EQ(camera.reg(0x237), 0);
    EXPECT_TRUE(model.readBackTimerRunning());
    for (Item item : {Item::Red, Item::Green, Item::Blue, Item::Exposure})
        EXPECT_FALSE(model.enabled(item));
    EXPECT_FALSE(model.awbEnabled());
    EXPECT_FALSE(model.defaultGainsEnabled());
    EXPECT_TRUE(model.enabled(Item::Gamma));

    camera.clearLog();
    const std::uint16_t red = camera.reg(0x02D);
    model.SetField(Item::Red, 0x0155);
    model.DefaultGains();
    EXPECT_TRUE(camera.registerWrites().empty());
    EXPECT_EQ(camera.reg(0x02D), red);

    // The sensor's own choices show in the fields, still without writes.
    camera.setReg(0x009, 777);
    camera.setReg(0x02D, 0x0044);
    model.ReadBackTick();
    EXPECT_EQ(model.value(Item::Exposure), 777);
    EXPECT_EQ(model.value(Item::Red), 0x0044);
    EXPECT_TRUE(camera.registerWrites().empty());

    model.SetAuto(false);
    EXPECT_FALSE(camera.reg(0x106) & 0x4000);
    EXPECT_FALSE(model.readBackTimerRunning());
    EXPECT_EQ(camera.reg(0x009), 777);
    EXPECT_EQ(camera.reg(0x001), 12);
    EXPECT_EQ(camera.reg(0x006), 42);
    EXPECT_TRUE(model.enabled(Item::Red));
}

TEST(ImageSetKT4Model, AwbCorrectsTheFineBitsAndKeepsTheCoarseOnes) {
    struct Case {
        int gain;
        double ratio;
        int corrected;
    };
    const Case cases[] = {
        {0x0450, 1.5, 0x0478},  {0x0460, 1.5, 0x0410}, // 0x90 masked to 0x10
        {0x07FF, 0.0, 0x0780},  {0x0020, 1.0, 0x0020},  {0x0450, std::nan(""), 0x0450},
        {0x0450, -1.0, 0x0450}, {0x0450, 1e300, 0x0400}}; // far beyond the int range, still masked
    for (const Case& c : cases)
        EXPECT_EQ(ImageSetKT4Model::CorrectedGain(c.gain, c.ratio), c.corrected)
            << std::hex << c.gain << " " << c.ratio;
}

TEST_F(ImageSetTest, AwbClickMeasuresThenCorrectsRedAndBlue) {
    camera.setReg(0x02D, 0x0450);
    camera.setReg(0x02C, 0x0460);
    model.Open();
    rig.measure.ratioGR = 1.5;
    rig.measure.ratioGB = 1.5;
    model.AwbPressed();
    model.AwbReleased();
    model.AwbClicked();
    EXPECT_EQ(rig.measure.request, 1);
    EXPECT_EQ(model.awbState(), ImageSetKT4Model::AwbState::Measuring);
    EXPECT_FALSE(model.enabled(Item::Green));
    EXPECT_TRUE(camera.reg(0x106) & 0x0010);

    model.AwbTick(); // no frame measured yet
    EXPECT_EQ(camera.reg(0x02D), 0x0450);
    rig.measure.request = 0; // the frame handler measured one
    model.AwbTick();
    EXPECT_EQ(camera.reg(0x02D), 0x0478);
    EXPECT_EQ(camera.reg(0x02C), 0x0410);
    EXPECT_EQ(model.value(Item::Red), 0x0478);
    EXPECT_EQ(model.awbState(), ImageSetKT4Model::AwbState::Idle);
    EXPECT_FALSE(model.awbTimerRunning());
    EXPECT_TRUE(model.enabled(Item::Red));
}

TEST_F(ImageSetTest, AwbHeldKeepsMeasuringUntilReleased) {
    model.Open();
    rig.measure.ratioGR = 1.0;
    rig.measure.ratioGB = 1.0;
    model.AwbPressed();
    ASSERT_TRUE(model.awbTimerRunning());
    model.AwbTick();
    EXPECT_EQ(model.awbState(), ImageSetKT4Model::AwbState::Measuring);
    rig.measure.request = 0;
    model.AwbTick();
    EXPECT_EQ(model.awbState(), ImageSetKT4Model::AwbState::Applied);
    EXPECT_TRUE(model.awbTimerRunning());
    model.AwbTick(); // still held: another measurement
    EXPECT_EQ(rig.measure.request, 1);
    model.AwbReleased();
    model.AwbClicked();
    rig.measure.request = 0;
    model.AwbTick();
    EXPECT_FALSE(model.awbTimerRunning());
    EXPECT_EQ(model.awbState(), ImageSetKT4Model::AwbState::Idle);
}

TEST_F(ImageSetTest, CancelAfterMovingEverySliderRestoresAllEight) {
    model.Open();
    const std::array<int, 8> opening = rig.inCamera();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(model.openingValue(static_cast<Item>(i)), opening[i]);
    for (int i = 0; i < 8; ++i) {
        const auto& p = model.pair(static_cast<Item>(i));
        ASSERT_TRUE(p.available) << i;
        model.SetField(static_cast<Item>(i), p.minimum + (p.maximum - p.minimum) / 3);
    }
    const std::array<int, 8> moved = rig.inCamera();
    for (int i = 0; i < 8; ++i)
        EXPECT_NE(moved[i], opening[i]) << i;
    model.SetAuto(true);
    model.Cancel();
    EXPECT_EQ(rig.inCamera(), opening);
    EXPECT_FALSE(model.autoOn());
    EXPECT_FALSE(camera.reg(0x106) & 0x4000);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(model.value(static_cast<Item>(i)), opening[i]);
}

TEST_F(ImageSetTest, DefaultButtonsSetTheirGroupsDefaults) {
    model.Open();
    for (int i = 0; i < 8; ++i)
        model.SetField(static_cast<Item>(i), model.pair(static_cast<Item>(i)).maximum);
    model.DefaultGains();
    EXPECT_EQ(camera.reg(0x02D), sensor::kGainRange.defaultValue);
    EXPECT_EQ(camera.reg(0x02E), sensor::kGainRange.defaultValue);
    EXPECT_EQ(camera.reg(0x009), sensor::kExposureRange.defaultValue);
    EXPECT_EQ(camera.processingValue(ProcessingControl::Gamma), 500);
    model.DefaultProcessing();
    EXPECT_EQ(camera.processingValue(ProcessingControl::Gamma), 100);
}

std::string FileText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(ImageSetTest, StoreThenApplyStoredRoundTripsThroughTheSettingsFile) {
    TempDir dir;
    Profile profile(dir.file("Mirelta.ini"));
    model.Open();
    const std::array<int, 8> chosen = {0x0450, 0x0031, 0x0460, 640, -12, 90, 7, 180};
    for (int i = 0; i < 8; ++i)
        model.SetField(static_cast<Item>(i), chosen[i]);
    model.Store(profile);
    EXPECT_EQ(FileText(profile.path()),
              "[Camera]\nWB_AUTO=0\nWB_RED=1104\nWB_GREEN=49\nWB_BLUE=1120\nEXPOSURE=640\n"
              "VP_BRIGHTNESS=-12\nVP_SATURATION=90\nVP_SHARPNESS=7\nVP_GAMMA=180\n");

    Rig next; // the camera after a restart: power-up values
    next.model.ApplyStored(profile);
    EXPECT_EQ(next.inCamera(), chosen);
    EXPECT_EQ(next.camera->reg(0x02E), 0x0031);
    Writes order;
    for (const auto& w : next.camera->registerWrites())
        order.push_back(w);
    EXPECT_EQ(
        order,
        (Writes{{0x02E, 0x31}, {0x02B, 0x31}, {0x02C, 0x0460}, {0x02D, 0x0450}, {0x009, 640}}));
}

TEST_F(ImageSetTest, ApplyStoredTakesDefaultsForMissingKeysAndClampsBadValues) {
    TempDir dir;
    Profile profile(dir.file("Mirelta.ini"));
    profile.WriteInt("Camera", "WB_BLUE", -5);
    profile.WriteString("Camera", "EXPOSURE", "99999");
    camera.setReg(0x02D, 0x0333);
    camera.setControl(SimulatedRegisterCamera::kIds.gamma, 321);
    model.ApplyStored(profile);
    EXPECT_EQ(camera.reg(0x02D), sensor::kGainRange.defaultValue);
    EXPECT_EQ(camera.reg(0x02C), sensor::kGainRange.minimum);
    EXPECT_EQ(camera.reg(0x009), sensor::kExposureRange.maximum);
    EXPECT_EQ(camera.processingValue(ProcessingControl::Gamma), 100);
}

TEST_F(ImageSetTest, StoreKeepsStoredValuesThatCannotBeRead) {
    TempDir dir;
    Profile profile(dir.file("Mirelta.ini"));
    camera.setReg(0x02D, 0x0450);
    model.Store(profile);
    const std::string before = FileText(profile.path());
    camera.setDead(true);
    model.Store(profile);
    EXPECT_EQ(FileText(profile.path()), before);
    EXPECT_EQ(profile.GetInt("Camera", "WB_RED", -1), 0x0450);
}

TEST_F(ImageSetTest, DeadCameraLeavesTheWindowInert) {
    camera.setDead(true);
    model.Open();
    EXPECT_FALSE(model.present());
    camera.clearLog();
    camera.setDead(false); // even a camera that wakes up now is left alone
    rig.measure.ratioGR = 2.0;
    model.SetField(Item::Red, 0x0100);
    model.SetField(Item::Gamma, 200);
    model.SetAuto(true);
    model.AwbPressed();
    model.AwbClicked();
    rig.measure.request = 0;
    model.AwbTick();
    model.ReadBackTick();
    model.DefaultGains();
    model.DefaultProcessing();
    model.Cancel();
    EXPECT_FALSE(model.autoOn());
    EXPECT_FALSE(model.awbTimerRunning());
    EXPECT_TRUE(camera.log().empty());
    for (int i = 0; i < 8; ++i)
        EXPECT_FALSE(model.enabled(static_cast<Item>(i)));
    EXPECT_EQ(camera.processingValue(ProcessingControl::Gamma), 100);
}

TEST_F(ImageSetTest, CameraWithoutChipIdIsTreatedAsAbsent) {
    camera.setReg(0x000, 0);
    model.Open();
    EXPECT_FALSE(model.present());
    int idReads = 0;
    for (const auto& a : camera.log())
        idReads += a.kind == SimulatedRegisterCamera::Access::Read && a.address() == 0x000;
    EXPECT_EQ(idReads, 10);
    model.SetField(Item::Red, 0x0100);
    EXPECT_TRUE(camera.registerWrites().empty());
}

TEST_F(ImageSetTest, MissingInformationDisablesOnlyThatPair) {
    // A camera without picture controls still has its gains and exposure.
    C5U87xCtl ctl{[this](std::string_view) {
        OpenOutcome o = SimulatedRegisterCamera::OpenerFor(rig.camera)("x");
        o.device.controls.reset();
        return o;
    }};
    ctl.OpenFromMoniker("x");
    ctl.Attach();
    ImageSetKT4Model partial(ctl);
    partial.Open();
    EXPECT_TRUE(partial.enabled(Item::Red));
    EXPECT_TRUE(partial.enabled(Item::Exposure));
    EXPECT_FALSE(partial.enabled(Item::Brightness));
    EXPECT_FALSE(partial.awbEnabled()); // no measurement block given
}

} // namespace
