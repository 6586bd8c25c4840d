// The calibration window, opened with CALIB from the main window.
#include "support/measure_dlg_fixture.h"

#include "calib/calib_chain.h"
#include "calib/calibration_set.h"

#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

using Cells = std::vector<std::string>;
namespace K = MeasureKind;

class CalibrationSetTest : public MeasureDlgFixture {
protected:
    CCalibrationSet& openCalib() {
        QTest::mouseClick(dlg->item(idc::Calib), Qt::LeftButton);
        return dlg->calibrationSet();
    }
    QLineEdit* edit(int id) { return qobject_cast<QLineEdit*>(dlg->calibrationSet().item(id)); }
    QComboBox* unitCombo() { return qobject_cast<QComboBox*>(dlg->calibrationSet().item(CCalibrationSet::kUnit)); }
    void click(int id) { QTest::mouseClick(dlg->calibrationSet().item(id), Qt::LeftButton); }
    // Typed as the operator does: the old text selected and replaced.
    void type(int id, const QString& text) {
        QLineEdit* e = edit(id);
        e->selectAll();
        QTest::keyClicks(e, text);
    }
};

TEST_F(CalibrationSetTest, OpensOnTheSelectedCalibrationWithItsValues) {
    open();
    CCalibrationSet& w = openCalib();
    ASSERT_TRUE(w.isOpen());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.windowTitle(), "Calibration value");
    EXPECT_EQ(w.record, dlg->calibrations().At(0));
    EXPECT_EQ(edit(CCalibrationSet::kName)->text(), "Data1");
    EXPECT_EQ(edit(CCalibrationSet::kX)->text(), "10");
    EXPECT_EQ(edit(CCalibrationSet::kY)->text(), "10");
    ASSERT_EQ(unitCombo()->count(), 3);
    EXPECT_EQ(unitCombo()->itemText(0), "cm");
    EXPECT_EQ(unitCombo()->itemText(2), "um");
    EXPECT_EQ(unitCombo()->currentText(), "mm");
    EXPECT_EQ(w.displayText(), "X = 0.050000, Y = 0.050000 [mm/pix]");
    EXPECT_TRUE(edit(CCalibrationSet::kDisplay)->isReadOnly());
    EXPECT_TRUE(w.item(CCalibrationSet::kAuto)->isEnabled());
    EXPECT_EQ(qobject_cast<QPushButton*>(w.item(CCalibrationSet::kCancel))->text(), "CANCEL");
    EXPECT_EQ(qobject_cast<QPushButton*>(w.item(CCalibrationSet::kReset))->text(), "Reset");
}

TEST_F(CalibrationSetTest, JapaneseCaptions) {
    g_bJapanese = true;
    open();
    CCalibrationSet& w = openCalib();
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("校正値"));
    EXPECT_EQ(edit(CCalibrationSet::kName)->text(), QString::fromUtf8("校正値1"));
    EXPECT_EQ(qobject_cast<QPushButton*>(w.item(CCalibrationSet::kCancel))->text(), QString::fromUtf8("ｷｬﾝｾﾙ"));
    EXPECT_EQ(qobject_cast<QPushButton*>(w.item(CCalibrationSet::kAuto))->text(), QString::fromUtf8("自動"));
    EXPECT_EQ(qobject_cast<QPushButton*>(w.item(CCalibrationSet::kReset))->text(), QString::fromUtf8("リセット"));
}

TEST_F(CalibrationSetTest, AutoOnAPictureWithoutATargetSaysErrorAndChangesNothing) {
    for (bool japanese : {false, true}) {
        g_bJapanese = japanese;
        open();
        CCalibrationSet& w = openCalib();
        const CALIBRATION before = *w.record;
        const QString shown = w.displayText();
        prompt = ScriptedPrompt();
        click(CCalibrationSet::kAuto); // a white picture: no dot
        ASSERT_EQ(prompt.asked().size(), 1u);
        EXPECT_EQ(prompt.asked()[0].text, japanese ? "エラー" : "Error");
        EXPECT_EQ(prompt.asked()[0].buttons, PromptButtons::Ok);
        EXPECT_EQ(w.record->left, before.left);
        EXPECT_EQ(w.record->bottom, before.bottom);
        EXPECT_EQ(w.displayText(), shown);
        EXPECT_TRUE(w.isOpen());
        click(CCalibrationSet::kCancel);
        dlg.reset();
    }
}

TEST_F(CalibrationSetTest, OkWithoutChangesStoresTenOverTwoHundred) {
    open();
    CALIBRATION& c = *dlg->calibrations().At(0);
    c.mpp = {0, 0};
    CCalibrationSet& w = openCalib();
    click(CCalibrationSet::kOk);
    EXPECT_FALSE(w.isOpen());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(c.mpp.x, 0.05);
    EXPECT_EQ(c.mpp.y, 0.05);
    EXPECT_EQ(c.name, "Data1");
    EXPECT_EQ(dlg->itemAs<QComboBox>(idc::CalibCombo)->itemText(0), "Data1");
}

TEST_F(CalibrationSetTest, TypingUpdatesTheFactorsShownAndOkAppliesThemToEveryResult) {
    open();
    measure(K::Line, {{0, 0}, {200, 0}});
    measure(K::Angle, {{10, 0}, {0, 0}, {0, -10}});
    openCalib();
    type(CCalibrationSet::kX, QStringLiteral("0.5"));
    unitCombo()->setCurrentIndex(0);
    EXPECT_EQ(dlg->calibrationSet().displayText(), "X = 0.002500, Y = 0.050000 [cm/pix]");
    type(CCalibrationSet::kY, QStringLiteral("abc")); // not a number: 0
    EXPECT_EQ(dlg->calibrationSet().displayText(), "X = 0.002500, Y = 0.000000 [cm/pix]");
    type(CCalibrationSet::kY, QStringLiteral("0.5"));
    // Nothing is stored while typing.
    EXPECT_EQ(dlg->calibrations().At(0)->length.x, 10);
    EXPECT_EQ(column(2), (Cells{"10.000", "0.0", "90.0"}));

    click(CCalibrationSet::kOk);
    const CALIBRATION& c = *dlg->calibrations().At(0);
    EXPECT_EQ(c.unit, 0);
    EXPECT_EQ(c.mpp.x, 0.5 / 200);
    // The rows follow once the window's closing message arrives.
    QCoreApplication::processEvents();
    EXPECT_EQ(column(2), (Cells{"0.50", "0.0", "90.0"}));
    EXPECT_EQ(column(3), (Cells{"cm", "degree", "degree"}));
    EXPECT_EQ(dlg->settings().m_ScaleData.unit, 0);
    EXPECT_EQ(dlg->settings().m_ScaleData.mpp.x, 0.0025);
}

TEST_F(CalibrationSetTest, RenamingRewritesTheComboRowInPlace) {
    open();
    auto* combo = dlg->itemAs<QComboBox>(idc::CalibCombo);
    combo->setCurrentIndex(4);
    openCalib();
    EXPECT_EQ(edit(CCalibrationSet::kName)->text(), "Data5");
    type(CCalibrationSet::kName, QStringLiteral("Stage micrometer"));
    click(CCalibrationSet::kOk);
    EXPECT_EQ(combo->count(), 20);
    EXPECT_EQ(combo->itemText(4), "Stage micrometer");
    EXPECT_EQ(combo->itemText(3), "Data4");
    EXPECT_EQ(combo->itemText(5), "Data6");
    EXPECT_EQ(combo->currentIndex(), 4);
    EXPECT_EQ(dlg->calibrations().At(4)->name, "Stage micrometer");
    // And it is kept for the next start.
    quit();
    open();
    EXPECT_EQ(dlg->itemAs<QComboBox>(idc::CalibCombo)->itemText(4), "Stage micrometer");
}

TEST_F(CalibrationSetTest, ANameLongerThan255CharactersIsCut) {
    open();
    openCalib();
    edit(CCalibrationSet::kName)->setText(QString(300, QChar(u'校')));
    click(CCalibrationSet::kOk);
    EXPECT_EQ(QString::fromStdString(dlg->calibrations().At(0)->name), QString(255, QChar(u'校')));
    EXPECT_EQ(dlg->itemAs<QComboBox>(idc::CalibCombo)->itemText(0).size(), 255);
}

TEST_F(CalibrationSetTest, CancelAfterResetKeepsTheResetValuesAndTheOldFactorUntilTheNextStart) {
    open();
    CALIBRATION& c = *dlg->calibrations().At(0);
    c.length = {3, 4};
    c.unit = 2;
    c.left = 50;
    c.right = 350;
    c.mpp = {0.01, 0.02};
    CCalibrationSet& w = openCalib();
    EXPECT_EQ(w.displayText(), "X = 0.010000, Y = 0.020000 [um/pix]");
    click(CCalibrationSet::kReset);
    EXPECT_EQ(c.length.x, 10);
    EXPECT_EQ(c.unit, 1);
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.right, 200);
    EXPECT_EQ(dlg->settings().m_CalibSet,
              (IntRect{10, 10, dlg->displayImage().width() - 10, dlg->displayImage().height() - 10}));
    EXPECT_EQ(edit(CCalibrationSet::kX)->text(), "10");
    EXPECT_EQ(unitCombo()->currentText(), "mm");
    EXPECT_EQ(w.displayText(), "X = 0.050000, Y = 0.050000 [mm/pix]");
    EXPECT_EQ(c.mpp.x, 0.01);

    click(CCalibrationSet::kCancel);
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(c.length.x, 10);
    EXPECT_EQ(c.right, 200);
    EXPECT_EQ(c.mpp.x, 0.01);
    EXPECT_EQ(c.mpp.y, 0.02);
    quit();
    open();
    EXPECT_EQ(dlg->calibrations().At(0)->mpp.x, 0.05);
    EXPECT_EQ(dlg->calibrations().At(0)->mpp.y, 0.05);
}

TEST_F(CalibrationSetTest, EscapeIsCancel) {
    open();
    CALIBRATION& c = *dlg->calibrations().At(0);
    CCalibrationSet& w = openCalib();
    type(CCalibrationSet::kX, QStringLiteral("20"));
    QTest::keyClick(edit(CCalibrationSet::kX), Qt::Key_Escape);
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(c.length.x, 10);
}

TEST_F(CalibrationSetTest, CalibWhileOpenChangesNothing) {
    open();
    CCalibrationSet& w = openCalib();
    type(CCalibrationSet::kX, QStringLiteral("7"));
    dlg->itemAs<QComboBox>(idc::CalibCombo)->setCurrentIndex(3);
    openCalib();
    EXPECT_EQ(w.record, dlg->calibrations().At(0));
    EXPECT_EQ(edit(CCalibrationSet::kX)->text(), "7");
    click(CCalibrationSet::kCancel);
    openCalib();
    EXPECT_EQ(w.record, dlg->calibrations().At(3));
    EXPECT_EQ(edit(CCalibrationSet::kX)->text(), "10");
}

TEST_F(CalibrationSetTest, ClosingPostsTheMessageWithOkOrCancel) {
    open();
    // Listens on the main window's queue.
    struct Filter : QObject {
        std::vector<int> seen;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == WM_CALIB_CLOSED)
                seen.push_back(static_cast<CalibClosedEvent*>(e)->wParam);
            return false;
        }
    } filter;
    dlg->installEventFilter(&filter);
    openCalib();
    click(CCalibrationSet::kOk);
    openCalib();
    click(CCalibrationSet::kCancel);
    EXPECT_TRUE(filter.seen.empty()); // posted, not sent
    QCoreApplication::processEvents();
    EXPECT_EQ(filter.seen, (std::vector<int>{1, 2}));
    dlg->removeEventFilter(&filter);
}

TEST_F(CalibrationSetTest, OpensUpAndLeftOfTheMouse) {
    open();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QCursor::setPos(screen.center());
    if (QCursor::pos() != screen.center())
        GTEST_SKIP() << "this platform does not move the mouse";
    CCalibrationSet& w = openCalib();
    EXPECT_EQ(w.pos(), screen.center() - QPoint(300, 150));
    click(CCalibrationSet::kCancel);
    // Near the screen's corner it stays on the screen.
    QCursor::setPos(screen.topLeft() + QPoint(5, 5));
    openCalib();
    EXPECT_EQ(w.pos(), screen.topLeft());
}

TEST_F(CalibrationSetTest, RightButtonDragsStretchTheCrossAndUpdateTheFactorsShown) {
    open();
    CCalibrationSet& w = openCalib();
    const CALIBRATION& c = *w.record;
    EXPECT_EQ(w.rightButtonDown({200, 100}), CalibDragCursor::SizeHorizontal);
    const CalibDragStep step = w.mouseMove({215, 100}, true);
    EXPECT_TRUE(step.moved);
    EXPECT_EQ(c.left, -15);
    EXPECT_EQ(c.right, 215);
    EXPECT_EQ(w.displayText(), "X = 0.043478, Y = 0.050000 [mm/pix]");
    w.rightButtonUp();
    EXPECT_EQ(c.dragMode, 0);
    EXPECT_EQ(c.mpp.x, 0.05); // OK stores it
    click(CCalibrationSet::kOk);
    EXPECT_DOUBLE_EQ(c.mpp.x, 10.0 / 230);

    // A search-rectangle corner; nothing is held once the window is closed.
    openCalib();
    EXPECT_EQ(w.rightButtonDown({630, 470}), CalibDragCursor::SizeAll);
    w.mouseMove({600.7, 400.2}, true);
    EXPECT_EQ(dlg->settings().m_CalibSet, (IntRect{10, 10, 600, 400}));
    click(CCalibrationSet::kCancel);
    EXPECT_EQ(w.rightButtonDown({100, 100}), CalibDragCursor::None);
    EXPECT_FALSE(w.mouseMove({120, 100}, true).moved);
}

} // namespace
