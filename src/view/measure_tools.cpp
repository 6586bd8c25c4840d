#include "view/measure_tools.h"

#include "calib/calibration.h"
#include "model/compute_values.h"
#include "model/measure.h"
#include "model/measure_chain.h"
#include "view/constrain_to_step.h"

#include <utility>

CMeasureTools::CMeasureTools(MEASURE& working, CMeasureChain& chain)
    : m_Measure(working), m_MeasureChain(chain) {}

void CMeasureTools::ResetTool(int tool) {
    const int t = MeasureTool(tool) == tool ? tool : MeasureKind::None;
    m_Measure.kind = t;
    m_Measure.pointCount = 0;
    m_Measure.unit = 0;
    m_Measure.points.Clear();
    if (t != MeasureKind::None)
        m_Measure.points.Grow(kInitialPoints, 0); // on failure the first point grows it
    m_Measure.value = {};
    m_Measure.center = {};
    m_Measure.radius = {};
    m_Measure.labelOffset = {};
}

int CMeasureTools::armed() const {
    return m_Measure.kind > 0 ? MeasureTool(m_Measure.kind) : MeasureKind::None;
}

bool CMeasureTools::appendPoint(const DPOINT& p) {
    CPointArray& pts = m_Measure.points;
    if (m_Measure.pointCount < 0 || m_Measure.pointCount > pts.size())
        return false; // a record in this state was never made by the tools
    if (m_Measure.pointCount == pts.size()) {
        const std::int32_t by = pts.size() + m_Measure.pointCount;
        if (!pts.Grow(by > 0 ? by : kInitialPoints, pts.size()))
            return false; // no room: the click is not taken, nothing else changes
    }
    pts[m_Measure.pointCount] = p;
    ++m_Measure.pointCount;
    return true;
}

bool CMeasureTools::file(const ToolEnvironment& env) {
    const int tool = armed();
    const CALIBRATION& cal = CalibrationOf(env);
    ComputeValues(m_Measure, cal, env.angleBaseLine, PictureOf(env));
    m_Measure.kind = -tool;
    m_Measure.unit = cal.unit;
    const bool added = m_MeasureChain.AddNode(&m_Measure) != 0;
    if (added && m_rows.addRowsOfCurrent)
        m_rows.addRowsOfCurrent();
    ResetTool(tool);
    return added;
}

bool CMeasureTools::filePerpendicular(const ToolEnvironment& env) {
    const int n = m_Measure.pointCount;
    MEASURE record;
    record.kind = -MeasureKind::Sui;
    const DPOINT pts[3] = {m_Measure.points[0], m_Measure.points[1], m_Measure.points[n - 1]};
    if (!record.points.Write(0, pts, 3))
        return false;
    record.pointCount = 3;
    const CALIBRATION& cal = CalibrationOf(env);
    ComputeValues(record, cal, env.angleBaseLine, PictureOf(env)); // the foot becomes point 3
    record.unit = cal.unit;
    if (m_MeasureChain.AddNode(&record) == 0)
        return false;
    if (m_rows.addRowsOfCurrent)
        m_rows.addRowsOfCurrent();
    return true;
}

ToolStep CMeasureTools::AddPoint(const DPOINT& p, const ToolEnvironment& env) {
    ToolStep step;
    const int tool = armed();
    if (tool == MeasureKind::None || !appendPoint(p))
        return step;
    step.placed = true;
    const int n = m_Measure.pointCount;
    CPointArray& pts = m_Measure.points;
    switch (tool) {
    case MeasureKind::Line:
        if (n == 2) {
            if (env.shift)
                pts[1] = ConstrainToStep(pts[0], pts[1], env.angleStep, StepVariant::Line);
            step.filed = file(env) ? 1 : 0;
        }
        break;
    case MeasureKind::Circle:
    case MeasureKind::Angle:
        if (n == 3)
            step.filed = file(env) ? 1 : 0;
        break;
    case MeasureKind::Circle2:
        if (n == 6)
            step.filed = file(env) ? 1 : 0;
        break;
    case MeasureKind::Sui:
        if (n == 2 && env.shift)
            pts[1] = ConstrainToStep(pts[0], pts[1], env.angleStep, StepVariant::Sui);
        if (n >= 3)
            step.filed = filePerpendicular(env) ? 1 : 0;
        break;
    default: // ARIA: the polygon is closed by a double-click
        break;
    }
    return step;
}

bool CMeasureTools::CloseAria(const ToolEnvironment& env) {
    if (armed() != MeasureKind::Aria)
        return false;
    return file(env);
}

bool CMeasureTools::EndSeries() {
    if (armed() != MeasureKind::Sui)
        return false;
    ResetTool(0);
    ResetTool(MeasureKind::Sui);
    return true;
}
