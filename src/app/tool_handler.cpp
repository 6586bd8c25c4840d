#include "app/tool_handler.h"

#include "platform/clock.h"
#include "view/direction_cursor.h"
#include "view/measure_tools.h"

#include <QGuiApplication>
#include <QStyleHints>

ToolHandler::ToolHandler(CMeasureTools& tools, PictureSurface& surface, Environment environment,
                         const int& showCenter)
    : m_tools(tools), m_surface(surface), m_environment(std::move(environment)), m_showCenter(showCenter) {}

void ToolHandler::changed(bool filed) {
    if (filed)
        m_surface.refreshWindow(); // filed and armed again: the lamps
    m_surface.invalidatePicture();
}

bool ToolHandler::release(const PictureMouse& e) {
    if (e.left()) {
        // Every left release is remembered; the second of a double-click places no point.
        const auto interval = static_cast<std::uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
        const bool second = m_tools.clicks.SecondHalf(GetTickCount(), e.client.x(), e.client.y(), interval);
        if (m_tools.armed() && !second && e.inside) {
            const ToolEnvironment env = m_environment(e.shift());
            changed(m_tools.AddPoint(Snapped(env, e.image), env).filed != 0);
        }
    } else if (e.right() && m_tools.EndSeries()) {
        changed(true); // armed again, with no points: the next click starts a new base line
    }
    return false;
}

bool ToolHandler::doubleClick(const PictureMouse& e) {
    if (!e.left())
        return false;
    // Its release places no point, even when the mouse slipped between the clicks.
    m_tools.clicks.DoubleClicked();
    // ARIA closes its polygon wherever the double-click happens; other tools ignore it.
    if (m_tools.CloseAria(m_environment(e.shift())))
        changed(true);
    return false;
}

bool ToolHandler::move(const PictureMouse& e) {
    if (!m_tools.armed())
        return false;
    const bool showCenter = m_showCenter != 0;
    const DPOINT p = Snapped(m_environment(e.shift()), e.image);
    const bool snapped = !(p == e.image);
    if (snapped)
        m_surface.setCursorType(e.inside ? CursorCode::Ring : CursorCode::Default);
    else if (showCenter)
        m_surface.setCursorType(e.inside ? CursorCode::ThinCross : CursorCode::Default);
    m_surface.setCrossCursor(e.inside);
    // Without ShowCenter the crosshair alone marks the spot; the ring of a snapped
    // point stays visible.
    m_surface.showSystemCursor(!(e.inside && !showCenter && !snapped));
    m_surface.invalidatePicture();
    return true;
}
