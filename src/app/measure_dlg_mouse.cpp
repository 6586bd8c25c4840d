// The main window's mouse. Every event is offered to the features in a fixed order;
// the comments mark where each feature takes its turn. Positions are client pixels and
// the picture area is taken afresh for every event.
#include "app/measure_dlg.h"

#include "app/main_dialog_template.h"
#include "calib/calibration_set.h"
#include "calib/scale_bar.h"

#include "platform/clock.h"
#include "view/direction_cursor.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
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
                // 3. Otherwise BeginEdit: a hit on a finished measurement starts an edit,
                //    whatever tool is armed (the drag itself runs only without one).
                const DPOINT p = WindowToImage(m_mousePos);
                const MeasureHit hit = m_editor.BeginEdit(p, hitTestOptions());
                if (hit.part == HitPart::Circumference) {
                    if (const int arrow = DirectionCursor(hit.record->center[static_cast<std::size_t>(hit.index)], p))
                        setCursorType(arrow);
                } else if (hit.part == HitPart::Point) {
                    m_bCrossCursor = 1;
                    if (m_settings.color.CursorCrosshairs.ShowCenter)
                        setCursorType(CursorCode::ThinCross);
                    else
                        showSystemCursor(false);
                    invalidatePicture();
                } else if (hit.part == HitPart::Label) {
                    setCursorType(CursorCode::Move);
                }
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
        // 3. The second release of a double-click places no point.
        const bool second = m_tools.clicks.SecondHalf(
            GetTickCount(), m_mousePos.x(), m_mousePos.y(),
            static_cast<std::uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval()));
        // 4. The armed tool takes a new point, never on the press.
        if (m_tools.armed() && !second && pictureRect().contains(m_mousePos)) {
            const DPOINT raw = WindowToImage(m_mousePos);
            const DPOINT p = m_pictureHooks.snapToEdge ? m_pictureHooks.snapToEdge(raw) : raw;
            const bool shift = event->modifiers() & Qt::ShiftModifier;
            if (m_tools.AddPoint(p, toolEnvironment(shift)).filed)
                update(); // filed and armed again
            invalidatePicture();
        }
        // 5. A cross-line centre being captured with the mouse (cross lines).
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
        // 2. A SUI series ends: the next click starts a new base line.
        if (m_tools.EndSeries()) {
            update(); // armed again, with no points
            invalidatePicture();
        }
        // 3. EndEdit: an edited polygon is counted again; the edit ends.
        const bool shift = event->modifiers() & Qt::ShiftModifier;
        if (m_editor.EndEdit(m_tools.armed() == MeasureKind::Sui, toolEnvironment(shift)))
            invalidatePicture();
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
    // Its release places no point, even when the mouse slipped between the clicks.
    m_tools.clicks.DoubleClicked();
    // 1. ARIA closes its polygon, wherever the double-click happens; 2. other tools
    //    ignore it.
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (m_tools.CloseAria(toolEnvironment(shift))) {
        update();
        invalidatePicture();
    }
    // 3. The thumbnail strip opens the thumbnail under it (thumbnail strip).
}

void CMeasureDlg::mouseMoveEvent(QMouseEvent* event) {
    m_mousePos = event->position().toPoint();
    m_mouseSeen = true;
    const bool inside = pictureRect().contains(m_mousePos);
    // 1. An armed measuring tool takes every move first: cursor, crosshair, the
    //    figure in progress.
    if (m_tools.armed()) {
        toolMove(inside);
    } else if (m_bImageDrag) {
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
        } else if (m_editor.m_bEditDrag) {
            // ... cross-line points dragged or hovered (cross lines); the focus line within
            // 10 pixels (focus indicator); then the edit being dragged:
            const bool shift = event->modifiers() & Qt::ShiftModifier;
            const EditStep step = m_editor.EditDrag(WindowToImage(m_mousePos), toolEnvironment(shift));
            if (step.cursor) {
                setCursorType(step.cursor);
                if (step.cursor == CursorCode::Ring)
                    showSystemCursor(true); // the snapped point shows at once
            }
            if (step.crossCursor) {
                m_bCrossCursor = 1;
                if (m_settings.color.CursorCrosshairs.ShowCenter)
                    setCursorType(CursorCode::ThinCross);
            }
            invalidatePicture();
        } else {
            // ... otherwise hover feedback: focus-area handles (focus indicator), the
            // scale bar, then the finished measurements.
            if (inside && ScaleBarHit(bar, WindowToImage(m_mousePos))) {
                setCursorType(kCursorSizeAll);
                if (m_bCrossCursor) {
                    m_bCrossCursor = 0;
                    invalidatePicture();
                }
            } else {
                hoverMeasurements(inside);
            }
        }
    }
    // 4. The thumbnail strip's hover and drag-scrolling (thumbnail strip).
    // 5. Without the crosshair the system cursor shows.
    if (!m_bCrossCursor)
        showSystemCursor(true);
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
