#pragma once
// The main window at x1 on a grey picture, driven with the mouse at positions computed
// from image pixels, on a clock the test drives.
#include "support/measure_dlg_fixture.h"

#include "platform/clock.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QTest>

#include <cmath>
#include <vector>

class MeasuringFixture : public MeasureDlgFixture {
protected:
    void SetUp() override {
        MeasureDlgFixture::SetUp();
        Clock::install(&clock);
    }
    void TearDown() override {
        MeasureDlgFixture::TearDown();
        Clock::install(nullptr);
    }

    // A 1280 x 1024 grey picture at x1, scrolled to its top-left corner, measured at
    // 0.01 mm per pixel.
    CMeasureDlg& openAtX1() {
        CMeasureDlg& d = open();
        d.resize(1500, 1200);
        d.displayImage().create(1280, 1024, 24);
        d.displayImage().fillRect(RGB(90, 90, 90));
        auto* combo = d.itemAs<QComboBox>(idc::ScreenScale);
        combo->setCurrentIndex(1);
        emit combo->activated(1);
        d.view().m_Bai_X = 0;
        d.view().m_Bai_Y = 0;
        CALIBRATION* c = d.selectedCalibration();
        c->mpp = {0.01, 0.01};
        c->unit = 1;
        d.ApplyCalibration();
        // Room for the picture up to (1250, 990) at x1.
        EXPECT_TRUE(d.pictureRect().contains(at({1250, 990})));
        return d;
    }

    QPoint at(const DPOINT& image) const {
        const DPOINT w = dlg->ImageToWindow(image);
        return {static_cast<int>(std::lround(w.x)), static_cast<int>(std::lround(w.y))};
    }

    void press(const DPOINT& p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(dlg.get(), b, m, at(p));
    }
    void release(const DPOINT& p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mouseRelease(dlg.get(), b, m, at(p));
    }
    // A click, 1 s after the last one: never half of a double-click.
    void click(const DPOINT& p, Qt::KeyboardModifiers m = {}) {
        clock.advance(1000);
        press(p, Qt::LeftButton, m);
        release(p, Qt::LeftButton, m);
    }
    void clickWindow(QPoint w) {
        clock.advance(1000);
        QTest::mousePress(dlg.get(), Qt::LeftButton, {}, w);
        QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, w);
    }
    // Press, release, the double-click and its release, 100 ms apart.
    void doubleClickWindow(QPoint w) {
        clock.advance(1000);
        QTest::mousePress(dlg.get(), Qt::LeftButton, {}, w);
        QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, w);
        clock.advance(100);
        QTest::mouseDClick(dlg.get(), Qt::LeftButton, {}, w);
        QTest::mouseRelease(dlg.get(), Qt::LeftButton, {}, w);
    }
    void move(const DPOINT& p, Qt::MouseButtons buttons = Qt::NoButton, Qt::KeyboardModifiers m = {}) {
        const QPoint w = at(p);
        QMouseEvent e(QEvent::MouseMove, QPointF(w), dlg->mapToGlobal(QPointF(w)), Qt::NoButton, buttons, m);
        QApplication::sendEvent(dlg.get(), &e);
    }
    // A right-button drag from `from` through `to`.
    void rightDrag(const DPOINT& from, std::vector<DPOINT> to, Qt::KeyboardModifiers m = {}) {
        press(from, Qt::RightButton, m);
        for (const DPOINT& p : to)
            move(p, Qt::RightButton, m);
        release(to.empty() ? from : to.back(), Qt::RightButton, m);
    }
    void arm(int id) { QTest::mouseClick(dlg->item(id), Qt::LeftButton); }
    // Labels are written by the paint; hit-testing them needs one.
    void paint() { dlg->item(idc::Picture)->repaint(); }

    MEASURE* record(int i) {
        return dlg->measurements().MoveTo(i) ? dlg->measurements().current : nullptr;
    }

    ManualClock clock{100000};
};

