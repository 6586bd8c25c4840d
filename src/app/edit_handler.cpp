#include "app/edit_handler.h"

#include "model/measure.h"
#include "view/direction_cursor.h"
#include "view/measure_editor.h"
#include "view/measure_tools.h"

EditHandler::EditHandler(CMeasureEditor& editor, const CMeasureTools& tools, CMeasureChain& measurements,
                         PictureSurface& surface, Environment environment, HitOptions hitOptions,
                         const int& showCenter)
    : m_editor(editor), m_tools(tools), m_measurements(measurements), m_surface(surface),
      m_environment(std::move(environment)), m_hitOptions(std::move(hitOptions)), m_showCenter(showCenter) {}

bool EditHandler::press(const PictureMouse& e) {
    if (!e.right() || !e.inside)
        return false;
    const MeasureHit hit = m_editor.BeginEdit(e.image, m_hitOptions());
    switch (hit.part) {
    case HitPart::Circumference:
        if (const int arrow = DirectionCursor(hit.record->center[static_cast<std::size_t>(hit.index)], e.image))
            m_surface.setCursorType(arrow);
        break;
    case HitPart::Point:
        m_surface.setCrossCursor(true);
        if (m_showCenter)
            m_surface.setCursorType(CursorCode::ThinCross);
        else
            m_surface.showSystemCursor(false);
        m_surface.invalidatePicture();
        break;
    case HitPart::Label: m_surface.setCursorType(CursorCode::Move); break;
    default: return false;
    }
    return true;
}

bool EditHandler::release(const PictureMouse& e) {
    // An edited polygon is counted again; the edit ends.
    if (e.right() && m_editor.EndEdit(m_tools.armed() == MeasureKind::Sui, m_environment(e.shift())))
        m_surface.invalidatePicture();
    return false;
}

bool EditHandler::move(const PictureMouse& e) {
    if (!m_editor.m_bEditDrag)
        return false;
    const EditStep step = m_editor.EditDrag(e.image, m_environment(e.shift()));
    if (step.cursor) {
        m_surface.setCursorType(step.cursor);
        if (step.cursor == CursorCode::Ring)
            m_surface.showSystemCursor(true); // the snapped point shows at once
    }
    if (step.crossCursor) {
        m_surface.setCrossCursor(true);
        if (m_showCenter)
            m_surface.setCursorType(CursorCode::ThinCross);
    }
    m_surface.invalidatePicture();
    return true;
}

bool EditHandler::hover(const PictureMouse& e) {
    const bool before = m_surface.crossCursor();
    const MeasureHit hit = e.inside ? HitTestMeasure(m_measurements, e.image, m_hitOptions()) : MeasureHit{};
    switch (hit.part) {
    case HitPart::Circumference: {
        const DPOINT& c = hit.record->center[static_cast<std::size_t>(hit.index)];
        if (const int arrow = DirectionCursor(c, e.image))
            m_surface.setCursorType(arrow);
        m_surface.setCrossCursor(false);
        break;
    }
    case HitPart::Point:
        m_surface.setCrossCursor(true);
        if (m_showCenter)
            m_surface.setCursorType(CursorCode::ThinCross);
        break;
    case HitPart::Label:
        m_surface.setCursorType(CursorCode::Move);
        m_surface.setCrossCursor(false);
        break;
    default:
        if (m_surface.cursorType() != CursorCode::Default)
            m_surface.setCursorType(CursorCode::Default);
        m_surface.setCrossCursor(false);
        break;
    }
    // The crosshair follows the mouse, and goes when it is off.
    if (m_surface.crossCursor() || before)
        m_surface.invalidatePicture();
    return true;
}
