#include "app/scale_bar_handler.h"

#include "calib/scale_bar.h"
#include "view/direction_cursor.h"

bool ScaleBarHandler::press(const PictureMouse& e) {
    if (!e.left() || !e.inside || !ScaleBarGrab(m_bar, e.image))
        return false;
    m_surface.setCursorType(CursorCode::SizeAll);
    return true;
}

bool ScaleBarHandler::release(const PictureMouse& e) {
    if (e.left() && m_bar.dragging) {
        ScaleBarRelease(m_bar);
        m_surface.setCursorType(CursorCode::Default);
    }
    return false;
}

bool ScaleBarHandler::move(const PictureMouse& e) {
    if (!m_bar.dragging)
        return false;
    if (e.inside) {
        ScaleBarDrag(m_bar, e.image);
        m_surface.setCursorType(CursorCode::SizeAll);
        m_surface.invalidatePicture();
    } else {
        ScaleBarRelease(m_bar);
        m_surface.setCursorType(CursorCode::Default);
    }
    return true;
}

bool ScaleBarHandler::hover(const PictureMouse& e) {
    if (!e.inside || !ScaleBarHit(m_bar, e.image))
        return false;
    m_surface.setCursorType(CursorCode::SizeAll);
    if (m_surface.crossCursor()) {
        m_surface.setCrossCursor(false);
        m_surface.invalidatePicture();
    }
    return true;
}
