// Cross lines in the main window: their window, the mouse on the picture, the settings.
#include "measuring_fixture.h"

#include "platform/profile.h"
#include "view/cross_line_model.h"
#include "view/cross_line_set_dlg.h"
#include "view/direction_cursor.h"

#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>

namespace {

class CrossLinesTest : public MeasuringFixture {
protected:
    CCrossLineSetDlg& window() {
        auto* w = dlg->findChild<CCrossLineSetDlg*>();
        EXPECT_NE(w, nullptr);
        return *w;
    }
    std::string text(int id) { return window().itemAs<QLineEdit>(id)->text().toStdString(); }
    void type(int id, const char* t) { window().itemAs<QLineEdit>(id)->setText(QString::fromUtf8(t)); }
    void button(int id) { QTest::mouseClick(window().item(id), Qt::LeftButton); }
    void openWithWindow() {
        openAtX1();
        QTest::mouseClick(dlg->item(idc::CrossLine), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
};

TEST_F(CrossLinesTest, WindowIsMadeHiddenAndButtonShowsItBesideTheCursor) {
    openAtX1();
    CCrossLineSetDlg& w = window();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.windowTitle().toStdString(), "Cross line");
    const QSize size = w.size();
    QTest::mouseClick(dlg->item(idc::CrossLine), Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.pos(), QCursor::pos() - QPoint(400, 100));
    EXPECT_EQ(w.size(), size);
    // The first list with its default master, hidden.
    EXPECT_EQ(w.itemAs<QListWidget>(1225)->count(), 1);
    EXPECT_EQ(w.itemAs<QListWidget>(1225)->item(0)->text().toStdString(), "Master");
    EXPECT_FALSE(w.itemAs<QCheckBox>(1227)->isChecked());
    EXPECT_EQ(text(1121), "640");
    EXPECT_EQ(text(1122), "480");
    EXPECT_TRUE(w.item(1129)->isHidden());
    EXPECT_TRUE(w.item(1131)->isHidden());
    // Enter leaves it open; closing hides it and keeps the lists.
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(w.isVisible());
    w.close();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.itemAs<QListWidget>(1225)->count(), 1);
}

TEST_F(CrossLinesTest, JapaneseTexts) {
    g_bJapanese = true;
    open();
    CCrossLineSetDlg& w = window();
    EXPECT_EQ(w.windowTitle().toStdString(), "クロスライン");
    EXPECT_EQ(w.itemAs<QTabBar>(1239)->tabText(0).toStdString(), "クロスライン");
    EXPECT_EQ(w.itemAs<QTabBar>(1239)->tabText(1).toStdString(), "円付き");
    EXPECT_EQ(w.itemAs<QPushButton>(1223)->text().toStdString(), "追加");
    EXPECT_EQ(w.itemAs<QPushButton>(1224)->text().toStdString(), "削除");
    EXPECT_EQ(w.itemAs<QCheckBox>(1227)->text().toStdString(), "ライン表示");
    w.itemAs<QTabBar>(1239)->setCurrentIndex(1);
    QTest::mouseClick(w.item(1223), Qt::LeftButton);
    EXPECT_EQ(w.itemAs<QLabel>(1243)->text().toStdString(), "３点クリックしてください");
}

// A master and a slave made in the window, the master dragged with the right button, a
// circle of the second list defined by three clicks on the picture: all of it is in
// the settings file after the program ends, and comes back at the next start.
TEST_F(CrossLinesTest, CrossAndCircleMadeWithTheMouseAreSavedAndReloaded) {
    openWithWindow();
    CCrossLineSetDlg& w = window();
    w.itemAs<QCheckBox>(1227)->setChecked(true);
    type(1121, "100");
    type(1122, "100");
    EXPECT_EQ(text(1125), "1"); // 0.01 mm per pixel
    button(1223);
    EXPECT_EQ(w.itemAs<QListWidget>(1225)->item(1)->text().toStdString(), "Slave_1");
    type(1121, "50");
    EXPECT_EQ(text(1125), "0.5");

    // The slave is selected but does not lie on the master: the master is held, the
    // slave follows it with its offset unchanged; the window follows the drag.
    press({100, 100}, Qt::RightButton);
    EXPECT_EQ(dlg->cursorType(), CursorCode::SizeAll);
    move({150, 120}, Qt::RightButton);
    EXPECT_EQ(text(1121), "50"); // the slave's offset, still
    w.itemAs<QListWidget>(1225)->setCurrentRow(0);
    EXPECT_EQ(text(1121), "150");
    move({200, 150}, Qt::RightButton);
    EXPECT_EQ(text(1121), "200");
    release({200, 150}, Qt::RightButton);
    EXPECT_EQ(dlg->cursorType(), CursorCode::Default);

    // The picture shows the master's vertical line and the slave's, 50 pixels right.
    paint();
    const QImage& shown = dlg->composedPicture();
    const QPoint origin = dlg->pictureRect().topLeft();
    for (int x : {200, 250}) {
        const QPoint p = at({static_cast<double>(x), 600}) - origin;
        EXPECT_EQ(shown.pixel(p) & 0xFFFFFFu, 0x00FF00u) << x;
    }

    // Second tab: a new circle entry asks for three clicks.
    w.itemAs<QTabBar>(1239)->setCurrentIndex(1);
    button(1223);
    EXPECT_EQ(w.itemAs<QLabel>(1243)->text().toStdString(), "Please click three points");
    click({300, 200});
    click({400, 300});
    click({300, 400});
    EXPECT_EQ(w.itemAs<QLabel>(1243)->text().toStdString(), "");
    EXPECT_EQ(text(1121), "300");
    EXPECT_EQ(text(1122), "300");
    EXPECT_EQ(text(1128), "200");
    EXPECT_EQ(text(1130), "2");
    // A further click goes to no entry.
    click({700, 700});
    EXPECT_EQ(text(1121), "300");

    quit();
    Profile ini(dir + "/Mirelta.ini");
    EXPECT_EQ(ini.GetInt("CROSSLINE", "Count", -1), 2);
    EXPECT_EQ(ini.GetInt("CROSSLINE", "Show_0", -1), 1);
    EXPECT_EQ(ini.GetInt("CROSSLINE", "Pos_x_0", -1), 200);
    EXPECT_EQ(ini.GetInt("CROSSLINE", "Pos_y_0", -1), 150);
    EXPECT_EQ(ini.GetInt("CROSSLINE", "Pos_x_1", -1), 50);
    EXPECT_EQ(ini.GetInt("CROSSLINE", "Pos_y_1", -1), 0);
    EXPECT_EQ(ini.GetInt("CROSSLINE2", "Count", -1), 1);
    EXPECT_EQ(ini.GetInt("CROSSLINE2", "Pos_x_0", -1), 300);
    EXPECT_EQ(ini.GetInt("CROSSLINE2", "Pos_y_0", -1), 300);
    EXPECT_EQ(ini.GetString("CROSSLINE2", "Radius_0", ""), "100.000000");
    EXPECT_EQ(ini.GetInt("CROSSLINE2", "Mode_0", -1), 3);

    openWithWindow();
    CCrossLineSetDlg& again = window();
    EXPECT_EQ(again.itemAs<QListWidget>(1225)->count(), 2);
    EXPECT_EQ(text(1121), "200");
    again.itemAs<QTabBar>(1239)->setCurrentIndex(1);
    EXPECT_EQ(text(1128), "200");
}

// A slave lying on the master, selected in the window, is the one a right drag there
// moves; with the master's row selected the master moves. A calibration change rewrites
// the calibrated fields and the distance.
TEST_F(CrossLinesTest, SelectedSlaveOnTheMasterIsDraggedAndCalibrationRefreshes) {
    openWithWindow();
    CCrossLineSetDlg& w = window();
    w.itemAs<QCheckBox>(1227)->setChecked(true);
    type(1121, "400");
    type(1122, "300");
    button(1223); // Slave_1 at (0, 0): on the master, selected
    rightDrag({400, 300}, {{430, 340}});
    EXPECT_EQ(text(1121), "30");
    EXPECT_EQ(text(1122), "40");
    w.itemAs<QListWidget>(1225)->setCurrentRow(0);
    EXPECT_EQ(text(1121), "400");
    // Distance from the master to Slave_1: (30, 40) pixels, 0.3 / 0.4 / 0.5 mm.
    auto* target = w.itemAs<QComboBox>(1244);
    target->setCurrentIndex(1);
    emit target->activated(1);
    EXPECT_EQ(text(1132), "0.3");
    EXPECT_EQ(text(1133), "0.4");
    EXPECT_EQ(text(1134), "0.5");
    dlg->selectedCalibration()->mpp = {0.02, 0.02};
    dlg->ApplyCalibration();
    EXPECT_EQ(text(1125), "8");
    EXPECT_EQ(text(1134), "1");
    // The master's row selected and the slave moved away: a drag on the master moves it.
    rightDrag({400, 300}, {{410, 300}});
    EXPECT_EQ(text(1121), "410");
}

} // namespace
