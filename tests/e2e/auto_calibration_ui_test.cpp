// Automatic calibration on a live frame of the demo camera: the search rectangle framing
// the central dot, Auto and OK give the target's pitch, and the settings file at exit
// holds the calibration so measured.
#include "live_fixture.h"

#include "calib/calib_chain.h"
#include "calib/calibration_set.h"
#include "capture/synthetic_picture.h"
#include "platform/profile.h"

namespace e2e {
namespace {

using P = SyntheticPicture;

TEST_F(LiveFixture, AutoOnTheDemoTargetMeasuresItsPitchAndIsSaved) {
    sources.virtualCameras = {DemoCameraConfig()};
    // The dot radius limits come from the settings file on every Auto.
    writeSettings("[Mirelta]\nAutoMinSize=100\n");
    CMeasureDlg& d = open();
    ASSERT_TRUE(waitFrames(3));
    d.settings().m_CalibSet = {P::kCentreX - 200, P::kCentreY - 200, P::kCentreX + 200, P::kCentreY + 200};
    QTest::mouseClick(d.item(idc::Calib), Qt::LeftButton);
    CCalibrationSet& w = d.calibrationSet();
    ASSERT_TRUE(w.isOpen());
    ASSERT_TRUE(w.item(CCalibrationSet::kAuto)->isEnabled());
    const CALIBRATION before = *w.record;

    // A central dot of radius 30 is below a lower limit of 100: "Error", nothing changed.
    QTest::mouseClick(w.item(CCalibrationSet::kAuto), Qt::LeftButton);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked().back().text, "Error");
    EXPECT_EQ(w.record->left, before.left);
    EXPECT_EQ(w.record->right, before.right);
    EXPECT_EQ(d.settings().AutoMinSize, 100);

    // The file changed while the program runs: the next Auto reads it.
    {
        Profile file(dir + "/Mirelta.ini");
        ASSERT_TRUE(file.WriteInt("Mirelta", "AutoMinSize", 6));
    }
    ASSERT_TRUE(waitFrames(2)); // a newer frame
    const QString shownBefore = w.displayText();
    QTest::mouseClick(w.item(CCalibrationSet::kAuto), Qt::LeftButton);
    ASSERT_EQ(prompt.asked().size(), 2u);
    EXPECT_EQ(prompt.asked().back().text, "Automatic calibration completion");
    EXPECT_EQ(d.settings().AutoMinSize, 6);
    const CALIBRATION& c = *w.record;
    EXPECT_NEAR(c.right - c.left, P::kEdgePitch, P::kEdgePitch * 0.01);
    EXPECT_NEAR(c.bottom - c.top, P::kEdgePitch, P::kEdgePitch * 0.01);
    // The centre stays; lengths, unit and factors are Auto's to leave alone.
    EXPECT_DOUBLE_EQ((c.left + c.right) / 2, (before.left + before.right) / 2);
    EXPECT_DOUBLE_EQ((c.top + c.bottom) / 2, (before.top + before.bottom) / 2);
    EXPECT_EQ(c.length.x, before.length.x);
    EXPECT_EQ(c.unit, before.unit);
    EXPECT_EQ(c.mpp.x, before.mpp.x);
    EXPECT_NE(w.displayText(), shownBefore); // the factors shown follow the cross

    QTest::mouseClick(w.item(CCalibrationSet::kOk), Qt::LeftButton);
    const CALIBRATION* chosen = d.selectedCalibration();
    ASSERT_NE(chosen, nullptr);
    const double expected = chosen->length.x / P::kEdgePitch;
    EXPECT_NEAR(chosen->mpp.x, expected, expected * 0.01);
    EXPECT_NEAR(chosen->mpp.y, chosen->length.y / P::kEdgePitch, expected * 0.01);
    const CALIBRATION measured = *chosen;

    quit();
    dlg.reset();
    Profile file(dir + "/Mirelta.ini");
    CCalibChain saved;
    LoadCalibrations(file, saved);
    const CALIBRATION* back = saved.At(0);
    ASSERT_NE(back, nullptr);
    EXPECT_NEAR(back->mpp.x, measured.mpp.x, 1e-6);
    EXPECT_NEAR(back->mpp.y, measured.mpp.y, 1e-6);
    EXPECT_NEAR(back->right - back->left, measured.right - measured.left, 1e-6);
    EXPECT_NEAR(back->bottom - back->top, measured.bottom - measured.top, 1e-6);
}

} // namespace
} // namespace e2e
