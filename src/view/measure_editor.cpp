#include "view/measure_editor.h"

#include "calib/calibration.h"
#include "model/compute_values.h"
#include "model/geometry.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "view/constrain_to_step.h"
#include "view/direction_cursor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// A label offset is whole pixels, truncated toward zero.
std::int32_t WholeOffset(double v) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (!std::isfinite(v))
        return 0;
    return static_cast<std::int32_t>(std::trunc(std::clamp(v, lo, hi)));
}

int CirclesOf(const MEASURE& m) { return std::min(PointsPresent(m) / 3, 2); }

} // namespace

void CMeasureEditor::clear() {
    m_bEditDrag = 0;
    m_EditPart = 0;
    m_EditIndex = 0;
    m_pEditMeasure = nullptr;
}

void CMeasureEditor::rewrite(const MEASURE* m) const {
    if (m_rows.rewriteRowsOf)
        m_rows.rewriteRowsOf(m);
}

MeasureHit CMeasureEditor::BeginEdit(const DPOINT& p, const HitTestOptions& options) {
    clear();
    const MeasureHit hit = HitTestMeasure(m_MeasureChain, p, options);
    if (!hit)
        return hit;
    MEASURE& m = *hit.record;
    m_pEditMeasure = &m;
    m_EditIndex = hit.index;
    m_EditPart = hit.part;
    m_bEditDrag = 1;
    const auto i = static_cast<std::size_t>(hit.index);
    if (hit.part == HitPart::Label)
        m_EditGrab = {p.x - m.labelOffset[i].dx, p.y - m.labelOffset[i].dy};
    if (hit.part == HitPart::Point && m.kind == -MeasureKind::Circle)
        m_EditStart = m.center[i];
    return hit;
}

bool CMeasureEditor::dragLabel(MEASURE& m, const DPOINT& p) {
    const auto i = static_cast<std::size_t>(m_EditIndex);
    if (i >= m.labelOffset.size())
        return false;
    // The label keeps the grab offset; it does not jump to the mouse. Nothing else
    // changes.
    m.labelOffset[i] = {WholeOffset(p.x - m_EditGrab.x), WholeOffset(p.y - m_EditGrab.y)};
    return true;
}

bool CMeasureEditor::dragSuiBase(MEASURE& m, const DPOINT& p, const ToolEnvironment& env) {
    const int i = m_EditIndex;
    const DPOINT n = env.shift ? EditConstrain(p, m.points[1 - i], i == 0, env.angleStep, StepVariant::Sui) : p;
    const CALIBRATION& cal = CalibrationOf(env);
    // The perpendiculars measured later from the same base line follow it; earlier
    // records and other base lines stay.
    const DPOINT b0 = m.points[0];
    const DPOINT b1 = m.points[1];
    for (MEASURE* r = m.next; r; r = r->next) {
        if (r->kind != -MeasureKind::Sui || PointsPresent(*r) < 3 || !(r->points[0] == b0) ||
            !(r->points[1] == b1))
            continue;
        r->points[i] = n;
        ComputeValues(*r, cal, env.angleBaseLine, PictureOf(env));
        rewrite(r);
    }
    m.points[i] = n;
    ComputeValues(m, cal, env.angleBaseLine, PictureOf(env));
    rewrite(&m);
    return true;
}

bool CMeasureEditor::dragPoint(MEASURE& m, const DPOINT& p, const ToolEnvironment& env) {
    const int i = m_EditIndex;
    if (i < 0 || i >= PointsPresent(m))
        return false;
    const CALIBRATION& cal = CalibrationOf(env);
    switch (-m.kind) {
    case MeasureKind::Angle:
        if (i >= 3)
            return false;
        m.points[i] = p;
        m.value[0] = VertexAngle(m.points[0], m.points[1], m.points[2]);
        m.unit = cal.unit;
        rewrite(&m);
        return true;
    case MeasureKind::Line:
        if (i >= 2)
            return false;
        m.points[i] = env.shift ? EditConstrain(p, m.points[1 - i], i == 0, env.angleStep, StepVariant::Line) : p;
        ComputeValues(m, cal, env.angleBaseLine, PictureOf(env));
        rewrite(&m);
        return true;
    case MeasureKind::Sui:
        if (i >= 3)
            return false;
        if (i < 2)
            return dragSuiBase(m, p, env);
        m.points[2] = p;
        ComputeValues(m, cal, env.angleBaseLine, PictureOf(env));
        rewrite(&m);
        return true;
    case MeasureKind::Aria:
        m.points[i] = p; // the area is counted again at the release
        return true;
    default:
        return false;
    }
}

bool CMeasureEditor::dragCentre(MEASURE& m, const DPOINT& p, const ToolEnvironment& env) {
    const int i = m_EditIndex;
    if (i < 0 || i >= CirclesOf(m))
        return false;
    const auto k = static_cast<std::size_t>(i);
    if (m.kind == -MeasureKind::Circle) {
        m.center[k] = env.shift ? EditConstrain(p, m_EditStart, false, env.angleStep, StepVariant::Line) : p;
        return true; // the diameter stays
    }
    if (CirclesOf(m) < 2)
        return false;
    m.center[k] = env.shift ? EditConstrain(p, m.center[1 - k], i == 0, env.angleStep, StepVariant::Line) : p;
    const CALIBRATION& cal = CalibrationOf(env);
    m.value[2] = CalibratedLength(m.center[0], m.center[1], cal);
    m.value[3] = DirectionAngle(m.center[1], m.center[0], env.angleBaseLine);
    m.unit = cal.unit;
    rewrite(&m);
    return true;
}

bool CMeasureEditor::dragCircumference(MEASURE& m, const DPOINT& p, const ToolEnvironment& env) {
    const int i = m_EditIndex;
    if (i < 0 || i >= CirclesOf(m))
        return false;
    const auto k = static_cast<std::size_t>(i);
    const double r = std::hypot(p.x - m.center[k].x, p.y - m.center[k].y);
    if (!std::isfinite(r))
        return false;
    const CALIBRATION& cal = CalibrationOf(env);
    m.radius[k] = r;
    m.value[k] = CalibratedDiameter(r, cal);
    m.unit = cal.unit;
    rewrite(&m);
    return true;
}

EditStep CMeasureEditor::EditDrag(const DPOINT& p, const ToolEnvironment& env) {
    EditStep step;
    if (!m_bEditDrag)
        return step;
    if (!ChainHolds(m_MeasureChain, m_pEditMeasure)) {
        clear(); // the record left the list meanwhile
        return step;
    }
    MEASURE& m = *m_pEditMeasure;
    const bool circle = m.kind == -MeasureKind::Circle || m.kind == -MeasureKind::Circle2;
    switch (m_EditPart) {
    case HitPart::Label:
        step.changed = dragLabel(m, p);
        step.cursor = CursorCode::Move;
        return step;
    case HitPart::Circumference:
        if (!circle)
            return step;
        step.changed = dragCircumference(m, p, env);
        step.cursor = DirectionCursor(m.center[static_cast<std::size_t>(std::clamp(m_EditIndex, 0, 1))], p);
        return step;
    case HitPart::Point: {
        const DPOINT q = Snapped(env, p);
        step.snapped = !(q == p);
        step.changed = circle ? dragCentre(m, q, env) : dragPoint(m, q, env);
        if (step.snapped)
            step.cursor = CursorCode::Ring;
        else
            step.crossCursor = true;
        return step;
    }
    default:
        return step;
    }
}

bool CMeasureEditor::EndEdit(bool suiArmed, const ToolEnvironment& env) {
    bool repaint = false;
    if (!suiArmed && m_bEditDrag && ChainHolds(m_MeasureChain, m_pEditMeasure) &&
        m_pEditMeasure->kind == -MeasureKind::Aria) {
        MEASURE& m = *m_pEditMeasure;
        const CALIBRATION& cal = CalibrationOf(env);
        ComputeValues(m, cal, env.angleBaseLine, PictureOf(env));
        rewrite(&m);
        repaint = true;
    }
    clear();
    return repaint;
}
