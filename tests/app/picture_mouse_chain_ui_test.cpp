// The order in which the picture's handlers take the mouse, driven through the picture
// view itself, as a real mouse reaches it.
#include "measuring_fixture.h"

#include "calib/calibration_set.h"
#include "view/direction_cursor.h"

namespace {

class PictureMouseChainTest : public MeasuringFixture {
protected:
    // A mouse event on the picture view at the window position of image point p.
    void send(QEvent::Type type, const DPOINT& p, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QWidget* view = dlg->item(idc::Picture);
        const QPointF local = QPointF(at(p) - view->pos());
        QMouseEvent e(type, local, view->mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    }
    void viewPress(const DPOINT& p, Qt::MouseButton b) { send(QEvent::MouseButtonPress, p, b, b); }
    void viewRelease(const DPOINT& p, Qt::MouseButton b) { send(QEvent::MouseButtonRelease, p, b, Qt::NoButton); }
    void viewMove(const DPOINT& p, Qt::MouseButtons held) { send(QEvent::MouseMove, p, Qt::NoButton, held); }
};

TEST_F(PictureMouseChainTest, APressOnTheScaleBarDragsItAndDoesNotPan) {
    CMeasureDlg& d = openAtX1();
    ScaleData& bar = d.settings().m_ScaleData;
    bar.Visible = 1;
    bar.Pos = {700, 600};
    const ScaleData before = bar;
    viewPress({650, 600}, Qt::LeftButton);
    EXPECT_EQ(bar.dragging, 1);
    EXPECT_FALSE(d.panning());
    viewMove({610, 625}, Qt::LeftButton);
    EXPECT_EQ(bar.Pos.x, before.Pos.x - 40);
    EXPECT_EQ(bar.Pos.y, before.Pos.y + 25);
    EXPECT_EQ(d.view().m_Bai_X, 0); // the picture did not scroll
    viewRelease({610, 625}, Qt::LeftButton);
    EXPECT_EQ(bar.dragging, 0);
    // Elsewhere on the picture the same press pans.
    viewPress({100.5, 100.5}, Qt::LeftButton);
    EXPECT_TRUE(d.panning());
    viewRelease({100.5, 100.5}, Qt::LeftButton);
    EXPECT_FALSE(d.panning());
}

TEST_F(PictureMouseChainTest, WhileCalibratingARightPressOnTheCrossStartsNoEdit) {
    CMeasureDlg& d = openAtX1();
    CALIBRATION* c = d.selectedCalibration();
    const DPOINT centre{(c->left + c->right) / 2, (c->top + c->bottom) / 2};
    // A line whose end lies under the cross's centre.
    arm(idc::Line);
    click(centre);
    click({centre.x + 200, centre.y + 150});
    arm(idc::Line);
    ASSERT_EQ(d.measurements().GetCount(), 1);

    // Closed: the press edits the line's end.
    viewPress(centre, Qt::RightButton);
    EXPECT_EQ(d.editor().m_bEditDrag, 1);
    viewRelease(centre, Qt::RightButton);

    d.OnCalib();
    ASSERT_TRUE(d.calibrationSet().isOpen());
    const double left = c->left;
    viewPress(centre, Qt::RightButton);
    EXPECT_EQ(d.editor().m_bEditDrag, 0);
    EXPECT_EQ(d.cursorType(), CursorCode::SizeAll);
    viewMove({centre.x + 10, centre.y + 5}, Qt::RightButton);
    EXPECT_NEAR(c->left, left + 10, 1.0);
    EXPECT_EQ(record(0)->points[0].x, centre.x); // the line stayed
    viewRelease({centre.x + 10, centre.y + 5}, Qt::RightButton);
    d.calibrationSet().reject();
}

TEST_F(PictureMouseChainTest, TheSecondReleaseOfADoubleClickPlacesNoPoint) {
    CMeasureDlg& d = openAtX1();
    arm(idc::Line);
    const DPOINT p{300, 200};
    clock.advance(1000);
    viewPress(p, Qt::LeftButton);
    viewRelease(p, Qt::LeftButton);
    clock.advance(100);
    send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    // The mouse slipped a pixel between the clicks: still the double-click's release.
    viewRelease({p.x + 1, p.y}, Qt::LeftButton);
    EXPECT_EQ(d.workingMeasure().pointCount, 1);
    EXPECT_EQ(d.measurements().GetCount(), 0);
    // A later click completes the line.
    clock.advance(1000);
    viewPress({p.x + 100, p.y}, Qt::LeftButton);
    viewRelease({p.x + 100, p.y}, Qt::LeftButton);
    EXPECT_EQ(d.measurements().GetCount(), 1);
}

} // namespace
