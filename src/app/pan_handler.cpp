#include "app/pan_handler.h"

#include "view/direction_cursor.h"

bool PanHandler::press(const PictureMouse& e) {
    // With a tool armed the moves go to the tool instead; its points come on releases.
    if (!e.left() || !e.inside)
        return false;
    m_bImageDrag = 1;
    m_ImageDragOrigin = m_view.PanAnchor(e.client.x(), e.client.y());
    return true;
}

bool PanHandler::release(const PictureMouse& e) {
    if (e.left())
        m_bImageDrag = 0;
    return false;
}

bool PanHandler::move(const PictureMouse& e) {
    if (!m_bImageDrag)
        return false;
    if (!e.inside) {
        m_bImageDrag = 0; // leaving the picture ends panning
        return true;
    }
    m_view.PanTo(m_ImageDragOrigin, e.client.x(), e.client.y(), m_geometry());
    m_surface.invalidatePicture();
    m_surface.setCursorType(CursorCode::Hand);
    return true;
}
