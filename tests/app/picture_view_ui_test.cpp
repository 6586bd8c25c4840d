#include "support/measure_dlg_fixture.h"

#include "view/image_button.h"
#include "calib/calibration_set.h"
#include "calib/magnification.h"
#include "view/color_set.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class PictureViewTest : public MeasureDlgFixture {
protected:
    // The size the layout figures below were worked out for.
    CMeasureDlg& open() { return MeasureDlgFixture::open(QSize(1100, 860)); }

    // A 1280 x 1024 picture of plain grey, laid out.
    CMeasureDlg& openWithPicture(int magnification) {
        CMeasureDlg& d = open();
        d.displayImage().create(1280, 1024, 24);
        d.displayImage().fillRect(RGB(90, 90, 90));
        choose(d, magnification);
        return d;
    }

    void choose(CMeasureDlg& d, int row) {
        auto* combo = d.itemAs<QComboBox>(idc::ScreenScale);
        combo->setCurrentIndex(row);
        emit combo->activated(row);
    }

    static void mouse(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::NoButton) {
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), button,
                      type == QEvent::MouseMove ? Qt::MouseButtons(Qt::NoButton) | buttons : buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
    }

    static void wheel(QWidget& w, QPoint pos, int delta) {
        QWheelEvent e(QPointF(pos), w.mapToGlobal(QPointF(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&w, &e);
    }

    static QPoint Centre(const QRect& r) { return {r.left() + r.width() / 2, r.top() + r.height() / 2}; }

    static int CountColour(const QImage& img, COLORREF c) {
        const QRgb q = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == (q & 0xFFFFFF);
        return n;
    }
};

TEST_F(PictureViewTest, MagnificationKeepsTheCentreAndFitResetsTheOffsets) {
    CMeasureDlg& d = openWithPicture(0);
    EXPECT_EQ(d.view().m_Bai_X, 0);
    choose(d, 1); // from fit: the picture's centre in the middle
    QRect area = d.pictureRect();
    DPOINT c = d.WindowToImage(QPointF(area.left() + area.width() / 2.0, area.top() + area.height() / 2.0));
    EXPECT_NEAR(c.x, 640, 1e-9);
    EXPECT_NEAR(c.y, 512, 1e-9);
    choose(d, 6); // x2
    EXPECT_EQ(d.magnification(), 6);
    area = d.pictureRect();
    c = d.WindowToImage(QPointF(area.left() + area.width() / 2.0, area.top() + area.height() / 2.0));
    EXPECT_NEAR(c.x, 640, 1e-9);
    EXPECT_NEAR(c.y, 512, 1e-9);
    choose(d, 0);
    EXPECT_EQ(d.view().m_Bai_X, 0);
    EXPECT_EQ(d.view().m_Bai_Y, 0);
    // Fitted, the area keeps the picture's proportions (plus the area's origin).
    area = d.pictureRect();
    EXPECT_EQ(area.height() - 8, (area.width() - 8) * 1024 / 1280);
}

TEST_F(PictureViewTest, WheelZoomsAboutTheCursor) {
    CMeasureDlg& d = openWithPicture(6);
    const QPoint at = d.pictureRect().topLeft() + QPoint(201, 133);
    const DPOINT before = d.WindowToImage(at);
    wheel(d, at, 120);
    EXPECT_EQ(d.magnification(), 7);
    EXPECT_EQ(d.itemAs<QComboBox>(idc::ScreenScale)->currentIndex(), 7);
    const DPOINT after = d.WindowToImage(at);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    wheel(d, at, -120);
    EXPECT_EQ(d.magnification(), 6);
    // Half notches add up to one step.
    wheel(d, at, 60);
    EXPECT_EQ(d.magnification(), 6);
    wheel(d, at, 60);
    EXPECT_EQ(d.magnification(), 7);
    // At either end the wheel changes nothing.
    choose(d, 21);
    wheel(d, at, 120);
    EXPECT_EQ(d.magnification(), 21);
    choose(d, 0);
    wheel(d, at, -120);
    EXPECT_EQ(d.magnification(), 0);
    // Outside the picture it acts as the combo box does.
    wheel(d, QPoint(d.width() - 5, d.height() - 5), 120);
    EXPECT_EQ(d.magnification(), 1);
}

TEST_F(PictureViewTest, LeftDragPansWithinTheBounds) {
    CMeasureDlg& d = openWithPicture(6);
    const QRect area = d.pictureRect();
    const QPoint start = Centre(area);
    const DPOINT grabbed = d.WindowToImage(start);
    mouse(d, QEvent::MouseButtonPress, start, Qt::LeftButton);
    EXPECT_TRUE(d.panning());
    mouse(d, QEvent::MouseMove, start + QPoint(-30, -20), Qt::LeftButton);
    const DPOINT moved = d.WindowToImage(start + QPoint(-30, -20));
    EXPECT_NEAR(moved.x, grabbed.x, 1e-9);
    EXPECT_NEAR(moved.y, grabbed.y, 1e-9);
    EXPECT_EQ(d.cursorType(), 3);
    // Far beyond the picture's edge: the offsets stop at their bounds.
    mouse(d, QEvent::MouseMove, area.topLeft() + QPoint(1, 1), Qt::LeftButton);
    mouse(d, QEvent::MouseMove, area.bottomRight() - QPoint(1, 1), Qt::LeftButton);
    EXPECT_LE(d.view().m_Bai_X, 0);
    EXPECT_GE(d.view().m_Bai_X, area.width() / 2.0 - 1280);
    EXPECT_LE(d.view().m_Bai_Y, 0);
    EXPECT_GE(d.view().m_Bai_Y, area.height() / 2.0 - 1024);
    // Leaving the picture ends panning.
    mouse(d, QEvent::MouseMove, QPoint(d.width() - 3, 3), Qt::LeftButton);
    EXPECT_FALSE(d.panning());
    const double x = d.view().m_Bai_X;
    mouse(d, QEvent::MouseMove, start, Qt::LeftButton);
    EXPECT_EQ(d.view().m_Bai_X, x);
    mouse(d, QEvent::MouseButtonRelease, start, Qt::LeftButton);
    // The second press of a double-click does not pan.
    mouse(d, QEvent::MouseButtonDblClick, start, Qt::LeftButton);
    EXPECT_FALSE(d.panning());
}

TEST_F(PictureViewTest, ScaleBarIsDraggedWithTheLeftButton) {
    CMeasureDlg& d = openWithPicture(1);
    ScaleData& bar = d.settings().m_ScaleData;
    bar.Visible = 1;
    bar.Pos = {700, 600};
    ASSERT_GT(bar.mpp.x, 0); // the selected calibration's factor, 0.05 mm per pixel
    const DPOINT onBar{650.5, 600.5};
    const DPOINT w = d.ImageToWindow(onBar);
    const QPoint p(static_cast<int>(w.x), static_cast<int>(w.y));
    mouse(d, QEvent::MouseButtonPress, p, Qt::LeftButton);
    EXPECT_EQ(bar.dragging, 1);
    EXPECT_FALSE(d.panning()); // the press did nothing else
    mouse(d, QEvent::MouseMove, p + QPoint(-40, 25), Qt::LeftButton);
    EXPECT_EQ(bar.Pos.x, 660);
    EXPECT_EQ(bar.Pos.y, 625);
    EXPECT_EQ(d.cursorType(), 10);
    mouse(d, QEvent::MouseButtonRelease, p + QPoint(-40, 25), Qt::LeftButton);
    EXPECT_EQ(bar.dragging, 0);
    mouse(d, QEvent::MouseMove, p, Qt::NoButton);
    EXPECT_EQ(bar.Pos.x, 660);

    // Without a calibration there is no bar to take: the press pans instead.
    bar.mpp = {0, 0};
    const DPOINT w2 = d.ImageToWindow({650.5, 625.5});
    mouse(d, QEvent::MouseButtonPress, QPoint(static_cast<int>(w2.x), static_cast<int>(w2.y)), Qt::LeftButton);
    EXPECT_EQ(bar.dragging, 0);
    EXPECT_TRUE(d.panning());
}

TEST_F(PictureViewTest, PanelTogglesShowAndHideTheirControls) {
    CMeasureDlg& d = openWithPicture(1); // x1: the room limits both sides
    const QRect before = d.pictureRect();
    QTest::mouseClick(d.item(idc::StripToggle), Qt::LeftButton);
    EXPECT_FALSE(d.item(idc::StripGroup)->isVisible());
    EXPECT_FALSE(d.item(idc::ThumbScroll)->isVisible());
    EXPECT_GT(d.pictureRect().height(), before.height());
    QTest::mouseClick(d.item(idc::StripToggle), Qt::LeftButton);
    EXPECT_TRUE(d.item(idc::StripGroup)->isVisible());
    EXPECT_EQ(d.pictureRect(), before);

    EXPECT_FALSE(d.item(idc::EdgeSnapCheck)->isVisible());
    QTest::mouseClick(d.item(idc::PanelToggle), Qt::LeftButton);
    for (int id : {idc::Live, idc::ScreenScale, idc::ResultsList, idc::CalibLabel})
        EXPECT_FALSE(d.item(id)->isVisible()) << id;
    EXPECT_GT(d.pictureRect().width(), before.width());
    QTest::mouseClick(d.item(idc::PanelToggle), Qt::LeftButton);
    for (int id : {idc::Live, idc::ScreenScale, idc::ResultsList, idc::EdgeSnapCheck, idc::EdgeSnapButton})
        EXPECT_TRUE(d.item(id)->isVisible()) << id;
}

TEST_F(PictureViewTest, GreenLampOnTheArmedToolsButton) {
    CMeasureDlg& d = open();
    auto lamp = [&](int id) { return static_cast<ImageButton*>(d.item(id))->greenLamp(); };
    EXPECT_FALSE(lamp(idc::Line));
    d.workingMeasure().kind = MeasureKind::Circle;
    EXPECT_TRUE(lamp(idc::Circle));
    EXPECT_FALSE(lamp(idc::Line));
    d.workingMeasure().kind = MeasureKind::Angle;
    EXPECT_TRUE(lamp(idc::Angle));
    EXPECT_FALSE(lamp(idc::Circle));
    EXPECT_FALSE(lamp(idc::Color));
}

TEST_F(PictureViewTest, PaintComposesTheAreaWithItsOverlay) {
    CMeasureDlg& d = openWithPicture(0);
    d.settings().color.gridflg = 1;
    d.settings().color.gridsize = 100;
    d.item(idc::Picture)->repaint();
    const QImage fit = d.composedPicture();
    EXPECT_EQ(fit.size(), d.pictureRect().size());
    EXPECT_GT(CountColour(fit, d.settings().color.grid), 0);
    EXPECT_GT(CountColour(fit, RGB(90, 90, 90)), fit.width() * fit.height() / 2);
    choose(d, 6);
    d.item(idc::Picture)->repaint();
    EXPECT_EQ(d.composedPicture().size(), d.pictureRect().size());
    EXPECT_NE(d.composedPicture().size(), fit.size());
}

TEST_F(PictureViewTest, BurntOverlayCarriesNoCalibrationCross) {
    CMeasureDlg& d = openWithPicture(1);
    d.OnCalib();
    ASSERT_TRUE(d.calibrationSet().isOpen());
    const COLORREF line = d.settings().color.line;
    const QImage shown = d.item(idc::Picture)->grab().toImage();
    EXPECT_GT(CountColour(shown, line), 100);

    CDibImage copy;
    ASSERT_TRUE(copy.copyFrom(d.displayImage()));
    const int magnification = d.magnification();
    const double offX = d.view().m_Bai_X;
    ASSERT_EQ(d.DrawOverlayOntoImage(copy), 1);
    int green = 0;
    for (int y = 0; y < copy.height(); ++y) {
        const std::uint8_t* p = copy.scanLine(y);
        for (int x = 0; x < copy.width(); ++x, p += 3)
            green += RGB(p[2], p[1], p[0]) == line;
    }
    EXPECT_EQ(green, 0);
    EXPECT_EQ(d.magnification(), magnification);
    EXPECT_EQ(d.view().m_Bai_X, offX);
}

TEST_F(PictureViewTest, RightDragMovesTheReferenceCrossWhileCalibrating) {
    CMeasureDlg& d = openWithPicture(6); // x2
    CALIBRATION* c = d.selectedCalibration();
    const double left = c->left;
    // Closed: the right button does not reach the cross.
    const DPOINT centre{(c->left + c->right) / 2, (c->top + c->bottom) / 2};
    d.view().m_Bai_X = 0;
    d.view().m_Bai_Y = 0;
    DPOINT w = d.ImageToWindow(centre);
    const QPoint at(static_cast<int>(w.x), static_cast<int>(w.y));
    mouse(d, QEvent::MouseButtonPress, at, Qt::RightButton);
    mouse(d, QEvent::MouseMove, at + QPoint(20, 10), Qt::RightButton);
    mouse(d, QEvent::MouseButtonRelease, at + QPoint(20, 10), Qt::RightButton);
    EXPECT_EQ(c->left, left);

    d.OnCalib();
    ASSERT_TRUE(d.calibrationSet().isOpen());
    mouse(d, QEvent::MouseButtonPress, at, Qt::RightButton);
    EXPECT_EQ(d.cursorType(), 10);
    mouse(d, QEvent::MouseMove, at + QPoint(20, 10), Qt::RightButton);
    // 20 window pixels at x2 are 10 image pixels.
    EXPECT_NEAR(c->left, left + 10, 1.0);
    mouse(d, QEvent::MouseButtonRelease, at + QPoint(20, 10), Qt::RightButton);
    EXPECT_EQ(d.cursorType(), 0);
    const double after = c->left;
    mouse(d, QEvent::MouseMove, at + QPoint(60, 10), Qt::NoButton);
    EXPECT_EQ(c->left, after);
    d.calibrationSet().reject();
}

TEST_F(PictureViewTest, ColorButtonOpensTheSettingsOnce) {
    CMeasureDlg& d = open();
    EXPECT_EQ(d.colorSetWindow(), nullptr);
    QTest::mouseClick(d.item(idc::Color), Qt::LeftButton);
    CCColorSet* w = d.colorSetWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->itemAs<QLineEdit>(1232)->text(), "5.0"); // 100 pixels at 0.05 mm
    // Another calibration chosen while the window is open: the field follows.
    d.calibrations().At(1)->mpp = {0.01, 0.01};
    d.itemAs<QComboBox>(idc::CalibCombo)->setCurrentIndex(1);
    EXPECT_EQ(w->itemAs<QLineEdit>(1232)->text(), "1.0");
    emit w->itemAs<QComboBox>(1250)->activated(1);
    EXPECT_EQ(d.settings().color.CursorCrosshairs.Color, RGB(0, 0, 0));
    // Pressed again while open: brought to view, nothing reset.
    QTest::mouseClick(d.item(idc::Color), Qt::LeftButton);
    EXPECT_EQ(d.colorSetWindow(), w);
    EXPECT_EQ(d.settings().color.CursorCrosshairs.Color, RGB(0, 0, 0));
    w->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(d.colorSetWindow(), nullptr);
    // Opening again turns the crosshairs white.
    QTest::mouseClick(d.item(idc::Color), Qt::LeftButton);
    ASSERT_NE(d.colorSetWindow(), nullptr);
    EXPECT_EQ(d.settings().color.CursorCrosshairs.Color, RGB(255, 255, 255));
}

TEST_F(PictureViewTest, MagnificationAndOffsetsSurviveARestart) {
    fs::create_directories(dir);
    std::ofstream(dir + "/Mirelta.ini") << "[Mirelta]\nm_Bai=6\nm_Bai_X=-100.500000\nm_Bai_Y=-5000\n";
    CMeasureDlg& d = open();
    EXPECT_EQ(d.magnification(), 6);
    EXPECT_EQ(d.view().m_Bai_X, -100.5);
    // Brought inside its bounds by the layout.
    EXPECT_EQ(d.view().m_Bai_Y, d.pictureRect().height() / 2.0 - d.displayImage().height());
    d.view().m_Bai_X = -33.25;
    prompt.queue(PromptAnswer::Yes);
    d.close();
    const std::string text = readFile(dir + "/Mirelta.ini");
    EXPECT_NE(text.find("m_Bai=6"), std::string::npos);
    EXPECT_NE(text.find("m_Bai_X=-33.250000"), std::string::npos);
}

} // namespace
