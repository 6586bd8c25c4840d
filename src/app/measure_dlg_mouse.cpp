// The main window's mouse. Every event is offered to the features in a fixed order;
// the comments mark where each feature takes its turn. Positions are client pixels and
// the picture area is taken afresh for every event.
#include "app/measure_dlg.h"

#include "app/main_dialog_template.h"
#include "calib/calibration_set.h"
#include "calib/scale_bar.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {

constexpr int kCursorHand = 3;
constexpr int kCursorVertical = 7;
constexpr int kCursorHorizontal = 9;
constexpr int kCursorSizeAll = 10;

int CursorFor(CalibDragCursor c) {
    switch (c) {
    case CalibDragCursor::SizeAll: return kCursorSizeAll;
    case CalibDragCursor::SizeVertical: return kCursorVertical;
    case CalibDragCursor::SizeHorizontal: return kCursorHorizontal;
    default: return 0;
    }
}

} // namespace

void CMeasureDlg::mousePressEvent(QMouseEvent* event) {
    m_mousePos = event->position().toPoint();
    m_mouseSeen = true;
    const bool inside = pictureRect().contains(m_mousePos);
    if (event->button() == Qt::LeftButton) {
        if (inside) {
            // 1. The scale bar takes a press on it, and the press does nothing else.
            if (ScaleBarGrab(m_settings.m_ScaleData, WindowToImage(m_mousePos))) {
                setCursorType(kCursorSizeAll);
                return;
            }
            // 2. A focus area being set up takes the press here (focus indicator).
            // 3. Otherwise the press starts panning; with a measuring tool armed the moves
            //    go to the tool instead, and points are placed on the release, never here.
            m_bImageDrag = 1;
            m_ImageDragOrigin = m_view.PanAnchor(m_mousePos.x(), m_mousePos.y());
        }
        // 4. Then the thumbnail strip may take the press (thumbnail strip).
        return;
    }
    if (event->button() == Qt::RightButton) {
        // 1. Outside the picture only the thumbnail strip's menu (4.) applies.
        if (inside) {
            // 2. While the calibration window is open its reference cross and search
            //    rectangle may take the press; then measurements are not hit-tested.
            bool taken = false;
            if (m_CalibrationSet && m_CalibrationSet->isOpen()) {
                const CalibDragCursor c = m_CalibrationSet->rightButtonDown(WindowToImage(m_mousePos));
                taken = c != CalibDragCursor::None;
                if (taken)
                    setCursorType(CursorFor(c));
            }
            if (!taken) {
                // 3. Otherwise BeginEdit: a hit on a finished measurement starts an edit
                //    (measurement editing).
            }
        }
        // 4. Then the strip's menu (thumbnail strip), the cross lines (cross lines) and
        //    the focus line (focus indicator), in that order.
        return;
    }
    QDialog::mousePressEvent(event);
}

void CMeasureDlg::mouseReleaseEvent(QMouseEvent* event) {
    m_mousePos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // 1. Drags of the left button end: panning, the strip's drag, the scale bar.
        m_bImageDrag = 0;
        if (m_settings.m_ScaleData.dragging) {
            ScaleBarRelease(m_settings.m_ScaleData);
            setCursorType(0);
        }
        // 2. A focus area being dragged out is completed here (focus indicator).
        // 3. Double-click suppression and 4. the armed tool's new point (measuring
        //    tools), then 5. a cross-line centre being captured (cross lines).
        return;
    }
    if (event->button() == Qt::RightButton) {
        // 1. Drags of other features end: the calibration cross and rectangle here, then
        //    cross lines (cross lines), focus line and areas (focus indicator).
        if (m_CalibrationSet && m_CalibrationSet->isOpen() &&
            CalibDragCursorFor(*m_CalibrationSet->record, m_CalibrationSet->m_CalibCorner) !=
                CalibDragCursor::None) {
            m_CalibrationSet->rightButtonUp();
            setCursorType(0);
        }
        // 2. A SUI series ends (measuring tools); 3. EndEdit (measurement editing).
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void CMeasureDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click comes here instead of to mousePressEvent: it
    // neither grabs the scale bar nor starts panning.
    m_mousePos = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    // 1. ARIA closes its polygon, wherever the double-click happens (measuring tools);
    // 2. other tools ignore it (its release is suppressed); 3. the thumbnail strip opens
    //    the thumbnail under it (thumbnail strip).
}

void CMeasureDlg::mouseMoveEvent(QMouseEvent* event) {
    m_mousePos = event->position().toPoint();
    m_mouseSeen = true;
    const bool inside = pictureRect().contains(m_mousePos);
    // 1. An armed measuring tool (m_Measure.kind 1 ... 6) takes every move first:
    //    cursor, crosshair, the figure in progress (measuring tools).
    if (m_bImageDrag) {
        // 2. Panning.
        if (inside) {
            m_view.PanTo(m_ImageDragOrigin, m_mousePos.x(), m_mousePos.y(), viewGeometry());
            invalidatePicture();
            setCursorType(kCursorHand);
            return;
        }
        m_bImageDrag = 0; // leaving the picture ends panning
    } else {
        // 3. Offered in this order: focus areas being resized (focus indicator); the
        //    calibration rectangle's corner and the reference cross being dragged:
        ScaleData& bar = m_settings.m_ScaleData;
        const bool calibrating = m_CalibrationSet && m_CalibrationSet->isOpen() &&
                                 CalibDragCursorFor(*m_CalibrationSet->record,
                                                    m_CalibrationSet->m_CalibCorner) != CalibDragCursor::None;
        if (calibrating) {
            const CalibDragStep step = m_CalibrationSet->mouseMove(WindowToImage(m_mousePos), inside);
            if (step.moved)
                invalidatePicture();
            setCursorType(step.released ? 0
                                        : CursorFor(CalibDragCursorFor(*m_CalibrationSet->record,
                                                                       m_CalibrationSet->m_CalibCorner)));
        } else if (bar.dragging) {
            // ... then the scale bar being dragged:
            if (inside) {
                ScaleBarDrag(bar, WindowToImage(m_mousePos));
                setCursorType(kCursorSizeAll);
                invalidatePicture();
            } else {
                ScaleBarRelease(bar);
                setCursorType(0);
            }
        } else {
            // ... cross-line points dragged or hovered (cross lines); the focus line within
            // 10 pixels (focus indicator); EditDrag while m_bEditDrag (measurement
            // editing); otherwise hover feedback: focus-area handles (focus indicator),
            // the scale bar here, then HitTestMeasure (measurement editing).
            if (inside && ScaleBarHit(bar, WindowToImage(m_mousePos)))
                setCursorType(kCursorSizeAll);
            else if (cursorType() == kCursorSizeAll || cursorType() == kCursorHand)
                setCursorType(0);
        }
    }
    // 4. The thumbnail strip's hover and drag-scrolling (thumbnail strip).
    // 5. Without the crosshair the system cursor shows (measuring tools hide it).
}

void CMeasureDlg::wheelEvent(QWheelEvent* event) {
    // One magnification step per notch; fine-grained wheels and touchpads add up to one.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    if (notches == 0)
        return;
    m_wheelRemainder -= notches * 120;
    auto* combo = itemAs<QComboBox>(idc::ScreenScale);
    if (!combo || !item(idc::Picture))
        return;
    int row = m_view.m_Bai;
    for (int k = 0; k < (notches < 0 ? -notches : notches); ++k)
        row = ViewMapping::WheelRow(row, notches, combo->count() - 1);
    if (row == m_view.m_Bai)
        return;
    combo->setCurrentIndex(row);
    const QPointF pos = event->position();
    if (!pictureRect().contains(pos.toPoint())) {
        SetMagnification(row);
        return;
    }
    // Over the picture the image point under the cursor stays under it.
    m_view.ZoomAbout(row, viewGeometry(), pos.x(), pos.y());
    setFocus();
    layoutPicture();
    invalidatePicture();
}
