// Edge snapping in the main window: box 1233 and button 1236, the settings window, the
// preview in the picture area and points landing on edges.
#include "measuring_fixture.h"

#include "view/magnet_dlg.h"
#include "view/up_down.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QToolButton>

namespace {

class EdgeSnappingTest : public MeasuringFixture {
protected:
    // A still picture: dark left of column 600, light from it on, as opened from the
    // thumbnails. The panel is hidden and shown again so that 1233 and 1236 appear.
    CMeasureDlg& openOnEdge() {
        CMeasureDlg& d = openAtX1();
        CDibImage& picture = d.displayImage();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 600; x < picture.width(); ++x)
                std::fill_n(picture.scanLine(y) + 3 * x, 3, std::uint8_t{200});
        emit d.displayImageReplaced();
        QTest::mouseClick(d.item(idc::PanelToggle), Qt::LeftButton);
        QTest::mouseClick(d.item(idc::PanelToggle), Qt::LeftButton);
        return d;
    }
    bool snapping() { return dlg->itemAs<QCheckBox>(idc::EdgeSnapCheck)->isChecked(); }
    void toggleSnapping() { QTest::mouseClick(dlg->item(idc::EdgeSnapButton), Qt::LeftButton); }
    CMagnetDlg* magnetWindow() {
        QTest::mouseClick(dlg->item(idc::EdgeSnapButton), Qt::RightButton);
        return dlg->findChild<CMagnetDlg*>();
    }
    // A LINE from (100, 100) to `end`; its end point as placed.
    DPOINT drawLine(const DPOINT& end) {
        arm(idc::Line);
        click({100, 100});
        click(end);
        arm(idc::Line);
        MEASURE* m = record(dlg->measurements().GetCount() - 1);
        return m ? m->points[1] : DPOINT{-1, -1};
    }
    // The grey level the last paint put at image pixel p.
    int shownGrey(const DPOINT& p) {
        dlg->item(idc::Picture)->repaint();
        const QPoint local = at(p) - dlg->pictureRect().topLeft();
        return qGreen(dlg->composedPicture().pixel(local));
    }
};

TEST_F(EdgeSnappingTest, ALineEndsOnTheEdgeOnlyWhileTheBoxIsSet) {
    CMeasureDlg& d = openOnEdge();
    ASSERT_TRUE(d.item(idc::EdgeSnapCheck)->isVisible());
    EXPECT_FALSE(snapping()); // clear at every start
    // Off: the point stays where clicked.
    EXPECT_EQ(drawLine({596, 300}).x, 596);
    toggleSnapping();
    EXPECT_TRUE(snapping());
    // Columns 599 and 600 hold the edge; 599 is the nearer.
    const DPOINT snapped = drawLine({596, 300});
    EXPECT_EQ(snapped.x, 599);
    EXPECT_EQ(snapped.y, 300);
    // The start, far from any edge, stayed.
    EXPECT_EQ(record(d.measurements().GetCount() - 1)->points[0].x, 100);
    EXPECT_EQ(drawLine({604, 50}).x, 600);
    // Clearing the box stops snapping at once.
    toggleSnapping();
    EXPECT_FALSE(snapping());
    EXPECT_EQ(drawLine({596, 300}).x, 596);
}

TEST_F(EdgeSnappingTest, ThePreviewReplacesThePictureWhileShown) {
    CMeasureDlg& d = openOnEdge();
    EXPECT_EQ(shownGrey({650, 200}), 200); // the picture
    CMagnetDlg* w = magnetWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    w->itemAs<QCheckBox>(CMagnetDlg::kShow)->click();
    EXPECT_EQ(d.settings().MagnetData.Show, 1);
    // Edge pixels white, the rest black, on the picture area.
    EXPECT_EQ(shownGrey({650, 200}), 0);
    EXPECT_EQ(shownGrey({100, 200}), 0);
    EXPECT_EQ(shownGrey({599, 200}), 255);
    // "Binary": the picture itself at the threshold.
    w->itemAs<QComboBox>(CMagnetDlg::kType)->setCurrentIndex(3);
    EXPECT_EQ(d.settings().MagnetData.Vector, 3);
    EXPECT_EQ(shownGrey({650, 200}), 255);
    EXPECT_EQ(shownGrey({100, 200}), 0);
    w->itemAs<QCheckBox>(CMagnetDlg::kShow)->click();
    EXPECT_EQ(d.settings().MagnetData.Show, 0);
    EXPECT_EQ(shownGrey({650, 200}), 200);
}

TEST_F(EdgeSnappingTest, TheSettingsWindowOpensOnceAndIsNotMovedAgain) {
    open();
    QTest::mouseClick(dlg->item(idc::PanelToggle), Qt::LeftButton);
    QTest::mouseClick(dlg->item(idc::PanelToggle), Qt::LeftButton);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCursor::setPos(screen.center());
    const bool mouseMoves = QCursor::pos() == screen.center();
    CMagnetDlg* w = magnetWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), "Magnet setting");
    if (mouseMoves) {
        EXPECT_EQ(w->pos(), screen.center() - QPoint(200, 100));
    }
    EXPECT_FALSE(snapping()); // the right button does not toggle the box
    w->move(40, 50); // the operator puts it aside
    QTest::mouseClick(w->item(CMagnetDlg::kOk), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    QCursor::setPos(screen.center() + QPoint(100, 100));
    EXPECT_EQ(magnetWindow(), w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->pos(), QPoint(40, 50));
    EXPECT_EQ(dlg->findChildren<CMagnetDlg*>().size(), 1);
}

TEST_F(EdgeSnappingTest, SettingsWindowStoresEveryChangeAsTyped) {
    open();
    MagnetSettings& m = dlg->settings().MagnetData;
    m = {77, 4, 0, 2}; // TH, Size, Show, Vector as the settings file gave them
    QTest::mouseClick(dlg->item(idc::PanelToggle), Qt::LeftButton);
    QTest::mouseClick(dlg->item(idc::PanelToggle), Qt::LeftButton);
    CMagnetDlg* w = magnetWindow();
    ASSERT_NE(w, nullptr);
    auto* type = w->itemAs<QComboBox>(CMagnetDlg::kType);
    auto* size = w->itemAs<QLineEdit>(CMagnetDlg::kSize);
    auto* th = w->itemAs<QLineEdit>(CMagnetDlg::kThreshold);
    auto* slider = w->itemAs<QSlider>(CMagnetDlg::kSlider);
    auto* sizeArrows = w->itemAs<UpDown>(CMagnetDlg::kSizeArrows);
    auto* thArrows = w->itemAs<UpDown>(CMagnetDlg::kThresholdArrows);
    // Filled from the settings, nothing stored while filling.
    EXPECT_EQ(type->currentIndex(), 2);
    EXPECT_EQ(size->text(), "4");
    EXPECT_EQ(th->text(), "77");
    EXPECT_EQ(slider->value(), 77);
    EXPECT_EQ(slider->maximum(), 255);
    EXPECT_EQ(slider->tickInterval(), 32);
    EXPECT_EQ(sizeArrows->maximum(), 10);
    EXPECT_EQ(thArrows->value(), 77);
    EXPECT_EQ(type->itemText(1), "Edge white only");
    for (int id : {CMagnetDlg::kType, CMagnetDlg::kShow, CMagnetDlg::kSize, CMagnetDlg::kSizeArrows,
                   CMagnetDlg::kSlider, CMagnetDlg::kThreshold, CMagnetDlg::kThresholdArrows, CMagnetDlg::kOk})
        EXPECT_FALSE(w->item(id)->accessibleName().isEmpty()) << id;

    struct Typed {
        QLineEdit* edit;
        const char* text;
        int size, th, sliderAt;
    } typed[] = {
        {size, "7", 7, 77, 77},
        {size, "15", 15, 77, 77},   // beyond the arrows: stored as typed
        {size, "0", 0, 77, 77},     // below 1 too (the search still takes half-width 1)
        {size, "x", 0, 77, 77},     // not a number: nothing stored
        {th, "200", 0, 200, 200},
        {th, "300", 0, 300, 255},   // the slider stops at its end, the edit keeps 300
        {th, "-5", 0, -5, 0},
    };
    for (const Typed& t : typed) {
        t.edit->selectAll();
        QTest::keyClicks(t.edit, t.text);
        EXPECT_EQ(m.Size, t.size) << t.text;
        EXPECT_EQ(m.TH, t.th) << t.text;
        EXPECT_EQ(slider->value(), t.sliderAt) << t.text;
        EXPECT_EQ(t.edit->text(), t.text);
    }
    // The slider and the arrows write the edit, which stores.
    slider->setValue(96);
    EXPECT_EQ(th->text(), "96");
    EXPECT_EQ(m.TH, 96);
    QTest::mouseClick(thArrows->upButton(), Qt::LeftButton);
    EXPECT_EQ(m.TH, 97);
    EXPECT_EQ(slider->value(), 97);
    size->setText("3");
    QTest::mouseClick(sizeArrows->downButton(), Qt::LeftButton);
    EXPECT_EQ(size->text(), "2");
    EXPECT_EQ(m.Size, 2);
    type->setCurrentIndex(0);
    EXPECT_EQ(m.Vector, 0);
}

TEST_F(EdgeSnappingTest, JapaneseSettingsWindow) {
    g_bJapanese = true;
    open();
    QTest::mouseClick(dlg->item(idc::PanelToggle), Qt::LeftButton);
    QTest::mouseClick(dlg->item(idc::PanelToggle), Qt::LeftButton);
    CMagnetDlg* w = magnetWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), QString::fromUtf8("吸着設定"));
    auto* type = w->itemAs<QComboBox>(CMagnetDlg::kType);
    const char* rows[] = {"エッヂ検出", "エッヂ検出　白のみ", "エッヂ検出　黒のみ", "２値化"};
    ASSERT_EQ(type->count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(type->itemText(i), QString::fromUtf8(rows[i]));
    EXPECT_EQ(w->itemAs<QCheckBox>(CMagnetDlg::kShow)->text(), QString::fromUtf8("２値化画面"));
}

} // namespace
