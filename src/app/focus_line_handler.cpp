#include "app/focus_line_handler.h"

#include "settings/app_settings.h"
#include "view/direction_cursor.h"
#include "view/focus_line.h"

#include <cmath>

bool FocusLineHandler::press(const PictureMouse& e) {
    if (!e.right() || !e.inside)
        return false;
    const int cursor = FocusLinePress(m_color, e.image);
    if (!cursor)
        return false;
    m_surface.setCursorType(cursor);
    return true;
}

bool FocusLineHandler::release(const PictureMouse& e) {
    if (e.right() && m_color.focusflg == 2) {
        FocusLineRelease(m_color);
        m_surface.setCursorType(CursorCode::Default);
    }
    return false;
}

bool FocusLineHandler::move(const PictureMouse& e) {
    if (!FocusLineMove(m_color, e.image, e.inside))
        return false;
    m_surface.setCursorType(CursorCode::SizeVertical);
    m_surface.invalidatePicture();
    return true;
}

bool FocusLineHandler::hover(const PictureMouse& e) {
    if (m_color.focusflg != 1 || !e.inside || !(std::fabs(e.image.y - m_color.focuspos) < kFocusLineReach))
        return false;
    m_surface.setCursorType(CursorCode::SizeVertical);
    if (m_surface.crossCursor()) {
        m_surface.setCrossCursor(false);
        m_surface.invalidatePicture();
    }
    return true;
}
