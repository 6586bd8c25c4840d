#include "app/calibration_handler.h"

#include "calib/calib_drag.h"
#include "calib/calibration_set.h"
#include "view/direction_cursor.h"

namespace {

int CursorFor(CalibDragCursor c) {
    switch (c) {
    case CalibDragCursor::SizeAll: return CursorCode::SizeAll;
    case CalibDragCursor::SizeVertical: return CursorCode::SizeVertical;
    case CalibDragCursor::SizeHorizontal: return CursorCode::SizeHorizontal;
    default: return CursorCode::Default;
    }
}

} // namespace

bool CalibrationHandler::dragging() const {
    return m_window.isOpen() &&
           CalibDragCursorFor(*m_window.record, m_window.m_CalibCorner) != CalibDragCursor::None;
}

bool CalibrationHandler::press(const PictureMouse& e) {
    if (!e.right() || !e.inside || !m_window.isOpen())
        return false;
    const CalibDragCursor c = m_window.rightButtonDown(e.image);
    if (c == CalibDragCursor::None)
        return false;
    m_surface.setCursorType(CursorFor(c));
    return true;
}

bool CalibrationHandler::release(const PictureMouse& e) {
    if (e.right() && dragging()) {
        m_window.rightButtonUp();
        m_surface.setCursorType(CursorCode::Default);
    }
    return false;
}

bool CalibrationHandler::move(const PictureMouse& e) {
    if (!dragging())
        return false;
    const CalibDragStep step = m_window.mouseMove(e.image, e.inside);
    if (step.moved)
        m_surface.invalidatePicture();
    m_surface.setCursorType(step.released ? CursorCode::Default
                                          : CursorFor(CalibDragCursorFor(*m_window.record, m_window.m_CalibCorner)));
    return true;
}
