// The main window's share of the picture's mouse: the handler chain, registered in the
// order each event is offered, and the window's own mouse events (outside the picture
// area) handed to the same chain. The wheel changes the magnification.
#include "app/measure_dlg.h"

#include "app/calibration_handler.h"
#include "app/cross_line_aid.h"
#include "app/focus_area_aid.h"
#include "app/focus_line_handler.h"
#include "app/edit_handler.h"
#include "app/main_dialog_template.h"
#include "app/pan_handler.h"
#include "app/picture_view.h"
#include "app/scale_bar_handler.h"
#include "app/tool_handler.h"

#include <QComboBox>
#include <QMouseEvent>
#include <QWheelEvent>

void CMeasureDlg::buildPictureMouse() {
    const int& showCenter = m_settings.color.CursorCrosshairs.ShowCenter;
    auto environment = [this](bool shift) { return toolEnvironment(shift); };
    m_tool = std::make_unique<ToolHandler>(m_tools, *this, environment, showCenter);
    m_scaleBar = std::make_unique<ScaleBarHandler>(m_settings.m_ScaleData, *this);
    m_calibration = std::make_unique<CalibrationHandler>(*m_CalibrationSet, *this);
    m_edit = std::make_unique<EditHandler>(m_editor, m_tools, m_MeasureChain, *this, environment,
                                           [this] { return hitTestOptions(); }, showCenter);
    m_pan = std::make_unique<PanHandler>(m_view, *this, [this] { return viewGeometry(); });

    // The order every event is offered in. The armed tool comes first: it takes every
    // move while armed and never a press or a release, so the cross lines after it see
    // every left release once the tool has placed its point (their circle clicks). The
    // aids come before the editing: a right press on a cross or the focus line drags
    // that, as the moves would go to it first anyway; elsewhere a measurement is edited.
    m_mouseChain.add(*m_tool);
    m_mouseChain.add(*m_scaleBar);
    m_mouseChain.add(*m_calibration);
    m_mouseChain.add(*m_focusAreas);
    m_mouseChain.add(m_crossLines->handler());
    m_mouseChain.add(*m_focusLine);
    m_mouseChain.add(*m_edit);
    m_mouseChain.add(*m_pan);
    m_picture->setMouseChain(&m_mouseChain);
}

void CMeasureDlg::offerMouse(PictureView::Event kind, QMouseEvent* event) {
    m_picture->offer(kind, event->position().toPoint(), event->button(), event->modifiers());
}

void CMeasureDlg::mousePressEvent(QMouseEvent* event) {
    offerMouse(PictureView::Event::Press, event);
}

void CMeasureDlg::mouseReleaseEvent(QMouseEvent* event) {
    offerMouse(PictureView::Event::Release, event);
}

void CMeasureDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    // ARIA closes wherever on the window the double-click happens.
    offerMouse(PictureView::Event::DoubleClick, event);
}

void CMeasureDlg::mouseMoveEvent(QMouseEvent* event) {
    offerMouse(PictureView::Event::Move, event);
}

void CMeasureDlg::wheelEvent(QWheelEvent* event) {
    // One magnification step per notch; fine-grained wheels and touchpads add up to one.
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / 120;
    if (notches == 0)
        return;
    m_wheelRemainder -= notches * 120;
    auto* combo = itemAs<QComboBox>(idc::ScreenScale);
    if (!combo)
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
