#include "app/cross_line_handler.h"

#include "view/cross_line_model.h"
#include "view/cross_line_set_dlg.h"
#include "view/direction_cursor.h"

bool CrossLineHandler::press(const PictureMouse& e) {
    if (!e.right() || !e.inside)
        return false;
    const int cursor = m_drag.press(m_model, e.image, m_window.windowState());
    if (!m_drag.dragging())
        return false;
    if (cursor)
        m_surface.setCursorType(cursor);
    return true;
}

bool CrossLineHandler::release(const PictureMouse& e) {
    if (e.right() && m_drag.dragging()) {
        m_drag.release(m_model);
        m_surface.setCursorType(CursorCode::Default);
    } else if (e.left()) {
        const CircleClickResult r = ApplyCircleClick(m_model, e.image, e.inside, m_snap ? m_snap() : Snap{});
        if (r.taken) {
            if (r.completed)
                m_window.form().setMessage({});
            m_window.refresh();
            emit m_window.entriesChanged();
        }
    }
    return false;
}

bool CrossLineHandler::move(const PictureMouse& e) {
    if (!m_drag.dragging())
        return false;
    if (m_drag.move(m_model, e.image, e.inside)) {
        m_window.refresh();
        m_surface.invalidatePicture();
    } else {
        m_surface.setCursorType(CursorCode::Default); // left the picture: the drag ended
    }
    return true;
}

bool CrossLineHandler::hover(const PictureMouse&) {
    // A circle with two clicks follows the mouse through its third point.
    for (const CROSSLINE& c : m_model.list(CrossLineModel::kSecond))
        if (c.Mode == 2) {
            m_surface.invalidatePicture();
            break;
        }
    return false;
}
