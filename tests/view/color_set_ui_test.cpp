#include "settings/app_settings.h"
#include "platform/choosers.h"
#include "view/image_button.h"
#include "platform/prompt.h"
#include "images/dib_image.h"
#include "platform/language.h"
#include "platform/profile.h"
#include "view/color_set.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

class ColorSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_bJapanese = false;
        char tmpl[] = "/tmp/mirelta-colorset-XXXXXX";
        dir = mkdtemp(tmpl);
        profile = std::make_unique<Profile>(dir + "/Mirelta.ini");
        display.create(640, 480, 24);
        bar.mpp = {0.01, 0.01};
        bar.unit = 1;
    }
    void TearDown() override {
        delete window.data();
        fs::remove_all(dir);
    }

    CCColorSet& open() {
        ColorSetContext c;
        c.color = &color;
        c.scaleData = &bar;
        c.displayImage = &display;
        c.profile = profile.get();
        c.choosers = &choosers;
        c.prompt = &prompt;
        c.repaintMain = [this] { ++repaints; };
        c.focusToggled = [this] { ++focusToggles; };
        window = new CCColorSet(c, nullptr);
        window->show();
        return *window;
    }

    // Closed windows go away with the deferred deletions.
    bool gone() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

    void type(CCColorSet& w, int id, const char* text) {
        auto* edit = w.itemAs<QLineEdit>(id);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }

    std::string dir;
    std::unique_ptr<Profile> profile;
    CDibImage display;
    ColorSettings color;
    ScaleData bar;
    ScriptedChoosers choosers;
    ScriptedPrompt prompt;
    QPointer<CCColorSet> window;
    int repaints = 0;
    int focusToggles = 0;
};

TEST_F(ColorSetTest, OpensWithTheSettingsAndWhiteCrosshairs) {
    color.linesize = 3;
    color.gridsize = 40;
    color.angle = 30;
    color.anglebaseline = 2;
    color.showangle = 0;
    color.focusscale = 5;
    color.CursorCrosshairs.Color = RGB(0, 0, 0);
    color.CursorCrosshairs.ShowCenter = 1;
    bar.Type = 1;
    bar.Size = {7, 3};
    CCColorSet& w = open();
    EXPECT_EQ(w.windowTitle(), "Color setting");
    EXPECT_EQ(w.itemAs<QSpinBox>(1141)->value(), 3);
    EXPECT_EQ(w.itemAs<QSpinBox>(208), w.itemAs<QSpinBox>(1141));
    EXPECT_EQ(w.itemAs<QSpinBox>(1141)->maximum(), 20);
    EXPECT_EQ(w.itemAs<QSpinBox>(1144)->maximum(), 500);
    EXPECT_EQ(w.itemAs<QSpinBox>(1143)->maximum(), 359);
    EXPECT_EQ(w.itemAs<QSpinBox>(1143)->value(), 30);
    EXPECT_EQ(w.itemAs<QLineEdit>(1232)->text(), "0.4");
    EXPECT_EQ(w.itemAs<QComboBox>(1221)->currentIndex(), 2);
    EXPECT_EQ(w.itemAs<QComboBox>(1221)->itemText(1), "Y-axis +");
    EXPECT_FALSE(w.itemAs<QCheckBox>(1233)->isChecked());
    EXPECT_EQ(w.itemAs<QComboBox>(1124)->currentIndex(), 1);
    EXPECT_EQ(w.itemAs<QComboBox>(1125)->currentIndex(), -1);
    EXPECT_EQ(w.itemAs<QComboBox>(1125)->itemText(4), "center");
    EXPECT_EQ(w.itemAs<QComboBox>(1234)->count(), 21);
    EXPECT_EQ(w.itemAs<QComboBox>(1234)->currentIndex(), 5);
    EXPECT_EQ(w.itemAs<QComboBox>(1234)->itemText(20), "x5");
    EXPECT_TRUE(w.itemAs<QCheckBox>(1249)->isChecked());
    EXPECT_EQ(w.itemAs<QComboBox>(1250)->currentIndex(), 0);
    EXPECT_EQ(color.CursorCrosshairs.Color, RGB(255, 255, 255));
    EXPECT_EQ(w.itemAs<QLineEdit>(1121)->text(), "7");
    EXPECT_EQ(w.itemAs<QLineEdit>(1122)->text(), "3");
    // Opening alone changes nothing else.
    EXPECT_EQ(color.linesize, 3);
    EXPECT_EQ(color.gridsize, 40);
}

TEST_F(ColorSetTest, CalibratedGridSpacingAndScaleDec) {
    CCColorSet& w = open();
    type(w, 1232, "0.5");
    EXPECT_EQ(color.gridsize, 50);
    EXPECT_EQ(w.itemAs<QSpinBox>(1144)->value(), 50);
    EXPECT_EQ(w.scaleDec(), 1);
    // The field is not rewritten while typed into.
    EXPECT_EQ(w.itemAs<QLineEdit>(1232)->text(), "0.5");
    type(w, 1232, "0.25");
    EXPECT_EQ(color.gridsize, 25);
    EXPECT_EQ(w.scaleDec(), 2);
    // Less than one pixel leaves the spacing alone.
    type(w, 1232, "0.001");
    EXPECT_EQ(color.gridsize, 25);
    type(w, 1232, "2");
    EXPECT_EQ(color.gridsize, 200);
    EXPECT_EQ(w.scaleDec(), -1);
    // The spin box rewrites the field with the decimals chosen.
    w.itemAs<QSpinBox>(1144)->setValue(150);
    EXPECT_EQ(color.gridsize, 150);
    EXPECT_EQ(w.itemAs<QLineEdit>(1232)->text(), "1.5");

    QTest::mouseClick(w.item(1), Qt::LeftButton);
    EXPECT_TRUE(gone());
    EXPECT_EQ(profile->GetInt("CALIBRATION", "ScaleDec", 99), -1);
    // The next opening shows one decimal.
    CCColorSet& again = open();
    EXPECT_EQ(again.itemAs<QLineEdit>(1232)->text(), "1.5");
}

TEST_F(ColorSetTest, UnsetCalibrationLeavesTheCalibratedFieldEmpty) {
    bar.mpp = {0, 0};
    CCColorSet& w = open();
    EXPECT_EQ(w.itemAs<QLineEdit>(1232)->text(), "");
    EXPECT_FALSE(w.itemAs<QLineEdit>(1232)->isEnabled());
    // A calibration chosen meanwhile fills it.
    bar.mpp = {0.05, 0.05};
    w.refreshCalibratedGrid();
    EXPECT_EQ(w.itemAs<QLineEdit>(1232)->text(), "5.0");
    EXPECT_TRUE(w.itemAs<QLineEdit>(1232)->isEnabled());
}

TEST_F(ColorSetTest, CancelAfterThePresetRestoresTheBarButKeepsColours) {
    bar.Pos = {100, 120};
    bar.Size = {10, 10};
    bar.Visible = 0;
    CCColorSet& w = open();
    choosers.queueColour(RGB(255, 0, 0));
    QTest::mouseClick(w.item(1023), Qt::LeftButton);
    ASSERT_EQ(choosers.asked().size(), 1u);
    EXPECT_EQ(choosers.asked()[0].colour, RGB(0, 255, 0));
    EXPECT_EQ(color.line, RGB(255, 0, 0));

    type(w, 1121, "20");
    auto* position = w.itemAs<QComboBox>(1125);
    position->setCurrentIndex(4);
    emit position->activated(4);
    EXPECT_EQ(bar.Pos.x, 320);
    EXPECT_EQ(bar.Pos.y, 240);
    EXPECT_EQ(bar.Size.cx, 20);
    QTest::mouseClick(w.item(1229), Qt::LeftButton);
    EXPECT_EQ(bar.Visible, 1);
    EXPECT_TRUE(static_cast<ImageButton*>(w.item(1229))->greenLamp());
    // A calibration chosen while the window is open stays chosen.
    bar.mpp = {0.02, 0.03};
    bar.unit = 2;
    const int before = repaints;

    w.reject();
    EXPECT_TRUE(gone());
    EXPECT_EQ(bar.Pos.x, 100);
    EXPECT_EQ(bar.Pos.y, 120);
    EXPECT_EQ(bar.Size.cx, 10);
    EXPECT_EQ(bar.Visible, 0);
    EXPECT_EQ(bar.mpp.x, 0.02);
    EXPECT_EQ(bar.unit, 2);
    EXPECT_EQ(color.line, RGB(255, 0, 0));
    EXPECT_GT(repaints, before);
}

TEST_F(ColorSetTest, PresetsUseTheLengthsTypedAndThePictureSize) {
    display.create(1280, 1024, 24);
    CCColorSet& w = open();
    type(w, 1121, "1");
    type(w, 1122, "2");
    auto* position = w.itemAs<QComboBox>(1125);
    emit position->activated(0); // upper left: 1 / 0.01 + 50, 2 / 0.01 + 50
    EXPECT_EQ(bar.Pos.x, 150);
    EXPECT_EQ(bar.Pos.y, 250);
    emit position->activated(3);
    EXPECT_EQ(bar.Pos.x, 1230);
    EXPECT_EQ(bar.Pos.y, 974);
    EXPECT_EQ(bar.Size.cx, 1);
    EXPECT_EQ(bar.Size.cy, 2);
}

TEST_F(ColorSetTest, OkNeedsWholeNumbersAndStoresTheLengths) {
    CCColorSet& w = open();
    type(w, 1121, "abc");
    QTest::mouseClick(w.item(1), Qt::LeftButton);
    ASSERT_EQ(prompt.asked().size(), 1u);
    EXPECT_EQ(prompt.asked()[0].text, "Please enter an integer.");
    EXPECT_FALSE(gone());
    EXPECT_EQ(bar.Size.cx, 10);
    type(w, 1121, "25");
    type(w, 1122, "-4");
    QTest::mouseClick(w.item(1), Qt::LeftButton);
    EXPECT_TRUE(gone());
    EXPECT_EQ(bar.Size.cx, 25);
    EXPECT_EQ(bar.Size.cy, -4);
}

TEST_F(ColorSetTest, EveryControlAppliesAtOnce) {
    CCColorSet& w = open();
    w.itemAs<QSpinBox>(1141)->setValue(5);
    w.itemAs<QSpinBox>(1142)->setValue(7);
    w.itemAs<QSpinBox>(1143)->setValue(10);
    EXPECT_EQ(color.linesize, 5);
    EXPECT_EQ(color.wavesize, 7);
    EXPECT_EQ(color.angle, 10);
    QTest::mouseClick(w.item(1230), Qt::LeftButton);
    EXPECT_EQ(color.gridflg, 1);
    QTest::mouseClick(w.item(1220), Qt::LeftButton);
    EXPECT_EQ(color.focusflg, 1);
    EXPECT_EQ(focusToggles, 1);
    emit w.itemAs<QComboBox>(1221)->activated(3);
    EXPECT_EQ(color.anglebaseline, 3);
    emit w.itemAs<QComboBox>(1124)->activated(1);
    EXPECT_EQ(bar.Type, 1);
    emit w.itemAs<QComboBox>(1250)->activated(1);
    EXPECT_EQ(color.CursorCrosshairs.Color, RGB(0, 0, 0));
    emit w.itemAs<QComboBox>(1234)->activated(20);
    EXPECT_EQ(color.focusscale, 20);
    w.itemAs<QCheckBox>(1233)->setChecked(false);
    EXPECT_EQ(color.showangle, 0);
    w.itemAs<QCheckBox>(1249)->setChecked(true);
    EXPECT_EQ(color.CursorCrosshairs.ShowCenter, 1);

    choosers.queueColour(std::nullopt); // cancelled: unchanged
    QTest::mouseClick(w.item(1027), Qt::LeftButton);
    EXPECT_EQ(color.grid, RGB(128, 128, 255));
    choosers.queueColour(RGB(1, 2, 3));
    QTest::mouseClick(w.item(1026), Qt::LeftButton);
    EXPECT_EQ(color.wave, RGB(1, 2, 3));

    LOGFONT chosen;
    chosen.lfHeight = -30;
    chosen.lfWeight = 700;
    chosen.lfFaceName = "IPAGothic";
    choosers.queueFont(FontChoice{chosen, RGB(9, 8, 7)});
    QTest::mouseClick(w.item(1024), Qt::LeftButton);
    ASSERT_EQ(choosers.asked().back().kind, ScriptedChoosers::Kind::Font);
    EXPECT_EQ(choosers.asked().back().font.lfHeight, -21);
    EXPECT_EQ(choosers.asked().back().colour, RGB(0, 255, 255));
    EXPECT_EQ(color.font.lfHeight, -30);
    EXPECT_EQ(color.font.lfFaceName, "IPAGothic");
    EXPECT_EQ(color.text, RGB(9, 8, 7));
}

TEST_F(ColorSetTest, JapaneseCaptions) {
    g_bJapanese = true;
    CCColorSet& w = open();
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("色設定"));
    EXPECT_EQ(w.itemAs<QComboBox>(1124)->itemText(1), QString::fromUtf8("X-Yバー"));
    EXPECT_EQ(w.itemAs<QComboBox>(1221)->itemText(0), QString::fromUtf8("Ｘ軸＋"));
    EXPECT_EQ(w.itemAs<QComboBox>(1234)->itemText(0), QString::fromUtf8("1倍"));
    g_bJapanese = false;
}

} // namespace
