#include "app/main_dialog_template.h"
#include "app/measure_dlg.h"
#include "platform/prompt.h"
#include "platform/language.h"
#include "platform/temp_dir.h"
#include "support/fake_camera.h"

#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;

namespace {

class MeasureDlgTest : public ::testing::Test {
protected:
    void SetUp() override { g_bJapanese = false; }
    void TearDown() override {
        dlg.reset();
        g_bJapanese = false;
    }

    CMeasureDlg& open(DpiScale dpi = {}) {
        MeasureDlgOptions o;
        o.prompt = &prompt;
        o.dpi = dpi;
        o.settingsPath = dir + "/Mirelta.ini";
        o.dataFolder = dir + "/data/";
        o.oldSettingsPath = dir + "/old/Mirelta.ini";
        o.camera = &camera;
        dlg = std::make_unique<CMeasureDlg>(o);
        dlg->show();
        return *dlg;
    }

    std::string readSettings() const { return ReadBytes(dir + "/Mirelta.ini"); }

    TempDir temp;
    std::string dir = temp.path();
    ScriptedPrompt prompt;
    FakeCamera camera;
    std::unique_ptr<CMeasureDlg> dlg;
};

TEST_F(MeasureDlgTest, EveryControlIsRegisteredUnderItsId) {
    CMeasureDlg& d = open();
    for (const ControlSpec& spec : MainDialogControls()) {
        QWidget* w = d.item(spec.id);
        ASSERT_NE(w, nullptr) << spec.id;
        if (spec.english[0]) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << spec.id;
        }
    }
    EXPECT_EQ(d.item(idc::Live)->accessibleName(), "LIVE");
    EXPECT_EQ(d.windowTitle(), "Mirelta Version 1.658");
    EXPECT_FALSE(d.item(idc::EdgeSnapCheck)->isVisible());
    EXPECT_FALSE(d.item(idc::EdgeSnapButton)->isVisible());
    EXPECT_EQ(d.itemAs<QComboBox>(idc::ScreenScale)->count(), 22);
    EXPECT_EQ(d.itemAs<QComboBox>(idc::ScreenScale)->itemText(2), "x1.2");
    EXPECT_EQ(d.itemAs<QComboBox>(idc::ScreenScale)->itemText(6), "x2");
    auto* calib = d.itemAs<QComboBox>(idc::CalibCombo);
    EXPECT_EQ(calib->count(), 20);
    EXPECT_EQ(calib->currentIndex(), 0);
    EXPECT_EQ(calib->itemText(19), "Data20");
}

TEST_F(MeasureDlgTest, QuitAsksAndOnlyYesEnds) {
    CMeasureDlg& d = open();
    prompt.queue(PromptAnswer::No);
    d.reject();
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, "Do you quit the application ?");
    EXPECT_EQ(prompt.asked()[0].caption, "confirm");
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(fs::exists(dir + "/Mirelta.ini"));

    prompt.queue(PromptAnswer::Yes);
    d.close();
    EXPECT_EQ(prompt.asked().size(), 2u);
    EXPECT_FALSE(d.isVisible());
    // Closing writes the settings, twenty calibrations included.
    const std::string text = readSettings();
    EXPECT_NE(text.find("[Mirelta]"), std::string::npos);
    EXPECT_NE(text.find("Window_Bottom="), std::string::npos);
    EXPECT_NE(text.find("[CALIBRATION]"), std::string::npos);
    EXPECT_NE(text.find("name_19=Data20"), std::string::npos);
}

TEST_F(MeasureDlgTest, EnterDoesNothingAndEscapeAsks) {
    CMeasureDlg& d = open();
    QTest::keyClick(&d, Qt::Key_Return);
    EXPECT_TRUE(prompt.asked().empty());
    EXPECT_TRUE(d.isVisible());
    prompt.queue(PromptAnswer::No);
    d.setFocus();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_EQ(prompt.asked().size(), 1u);
}

TEST_F(MeasureDlgTest, JapaneseIgnoresEscapeOnTheWindowButNotOnAControl) {
    g_bJapanese = true;
    CMeasureDlg& d = open();
    d.activateWindow();
    d.setFocus();
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_TRUE(prompt.asked().empty());
    prompt.queue(PromptAnswer::No);
    QWidget* combo = d.item(idc::CalibCombo);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Escape);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, std::string("終了しますか？"));
    EXPECT_EQ(prompt.asked()[0].caption, std::string("確認"));
    EXPECT_FALSE(d.item(idc::Live)->toolTip().isEmpty());
    EXPECT_EQ(d.item(idc::Line)->toolTip(), QString::fromUtf8("２点間の距離を測ります"));
}

TEST_F(MeasureDlgTest, F11AndF12ReachTheWindowFromEveryControl) {
    CMeasureDlg& d = open();
    // Quick saves into a folder that is not there: each one says so.
    d.settings().savedir = dir + "/no such folder";
    for (int id : {idc::ScreenScale, idc::ResultsList, idc::Line}) {
        QWidget* w = d.item(id);
        QTest::keyClick(w, Qt::Key_F11);
        QTest::keyClick(w, Qt::Key_F12);
    }
    EXPECT_EQ(camera.liveRequests, 3);
    EXPECT_EQ(prompt.asked().size(), 3u);
}

TEST_F(MeasureDlgTest, EnglishHasNoTooltips) {
    CMeasureDlg& d = open();
    EXPECT_TRUE(d.item(idc::Live)->toolTip().isEmpty());
}

TEST_F(MeasureDlgTest, ButtonColumnsFollowTheRightEdgeAtAnyDpi) {
    for (int dpi : {96, 192}) {
        CMeasureDlg& d = open({dpi, dpi});
        d.resize(d.ScaleX(1000), d.ScaleY(800));
        QCoreApplication::processEvents();
        const int w = d.item(idc::Live)->width();
        EXPECT_EQ(w, d.ScaleX(50));
        const int a = d.ScaleX(7) + d.ScaleX(11);
        const int right = d.width();
        EXPECT_EQ(right - d.item(idc::SaveDir)->geometry().right() - 1, a) << dpi;
        EXPECT_EQ(right - d.item(idc::SaveImage)->geometry().right() - 1, a + w + d.ScaleX(11));
        EXPECT_EQ(right - d.item(idc::Live)->geometry().right() - 1, a + 2 * (w + d.ScaleX(11)));
        EXPECT_EQ(right - d.item(idc::LoadImageGroup)->geometry().right() - 1, d.ScaleX(11));
        EXPECT_EQ(right - d.item(idc::PanelToggle)->geometry().right() - 1, 0);
        EXPECT_EQ(d.item(idc::StripToggle)->geometry().bottom() + 1, d.height());
        dlg.reset();
    }
}

TEST_F(MeasureDlgTest, WindowComesBackWhereItWasAndCursorsFollowTheToolMode) {
    WriteBytes(dir + "/Mirelta.ini", "[Mirelta]\nWindow_Left=40\nWindow_Top=30\n"
                                     "Window_Right=940\nWindow_Bottom=730\n");
    CMeasureDlg& d = open();
    EXPECT_EQ(d.geometry(), QRect(40, 30, 900, 700));
    d.setCursorType(10);
    EXPECT_EQ(d.cursor().shape(), Qt::SizeAllCursor);
    d.setCursorType(3);
    EXPECT_EQ(d.cursor().shape(), Qt::BitmapCursor);
    d.setCursorType(0);
    EXPECT_EQ(d.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MeasureDlgTest, OldSettingsFileBesideTheProgramMovesOnce) {
    fs::create_directories(dir + "/old");
    std::ofstream(dir + "/old/Mirelta.ini") << "[Mirelta]\nm_Bai=3\n";
    CMeasureDlg& d = open();
    EXPECT_FALSE(fs::exists(dir + "/old/Mirelta.ini"));
    EXPECT_EQ(d.magnification(), 3);
}

} // namespace
