#include "model/compute_values.h"

#include "calib/calibration.h"
#include "images/dib_image.h"
#include "model/geometry.h"
#include "model/measure.h"
#include "model/polygon_pixel_count.h"

#include <cmath>

namespace {

// Enough points for the record's kind, all inside the array. A polygon may be
// closed over any number of vertices; the count decides whether it has an area.
bool HasPoints(const MEASURE& m) {
    const std::int32_t tool = MeasureTool(m.kind);
    if (tool == MeasureKind::None)
        return false;
    const std::int32_t needed = tool == MeasureKind::Aria ? 0 : PointsNeeded(tool);
    return m.pointCount >= needed && m.pointCount <= m.points.size();
}

int ComputeArea(MEASURE& m, const CALIBRATION& cal, const CDibImage& picture) {
    const auto count = PolygonPixelCount(m.points.data(), m.pointCount, picture);
    if (!count) {
        // The area keeps its value, and with it the unit it was computed in,
        // or a kept 0.5 mm2 would read 0.5 um2. A record without an area yet
        // has nothing to mislabel and takes the calibration's unit.
        if (m.value[0] == 0.0 && m.value[1] == 0.0)
            m.unit = cal.unit;
        return 0;
    }
    const double area = static_cast<double>(*count) * cal.mpp.x * cal.mpp.y;
    m.value[0] = area;
    m.value[1] = area;
    m.unit = cal.unit;
    return 1;
}

// The foot goes into the element after the three points; the array grows when
// it has no room. Returns 0, changing nothing, when it cannot grow.
int ComputePerpendicular(MEASURE& m, const CALIBRATION& cal) {
    const std::int32_t footIndex = 3;
    if (m.points.size() <= footIndex && !m.points.Grow(footIndex + 1 - m.points.size(), m.points.size()))
        return 0;
    const LineCoeffs line = LineCoefficients(m.points[0], m.points[1]);
    const DPOINT foot = PerpendicularFoot(m.points[2], line.slope, line.intercept);
    m.points[footIndex] = foot;
    m.value[0] = CalibratedLength(m.points[2], foot, cal);
    m.unit = cal.unit;
    return 1;
}

void FitCircle(MEASURE& m, int circle, int firstPoint) {
    Circle c;
    if (CircleFrom3Points(m.points[firstPoint], m.points[firstPoint + 1], m.points[firstPoint + 2], c)) {
        m.center[circle] = c.center;
        m.radius[circle] = c.radius;
    }
}

} // namespace

double CalibratedLength(const DPOINT& a, const DPOINT& b, const CALIBRATION& cal) {
    const double dx = (a.x - b.x) * cal.mpp.x;
    const double dy = (a.y - b.y) * cal.mpp.y;
    return std::sqrt(dx * dx + dy * dy);
}

double CalibratedDiameter(double r, const CALIBRATION& cal) {
    return (r * cal.mpp.x + r * cal.mpp.y) * 0.5 * 2.0;
}

int ComputeValues(MEASURE& m, const CALIBRATION& cal, int baseLine, const CDibImage& picture) {
    if (!HasPoints(m))
        return 0;
    const CPointArray& p = m.points;
    switch (MeasureTool(m.kind)) {
    case MeasureKind::Line:
        m.value[0] = CalibratedLength(p[0], p[1], cal);
        m.value[1] = DirectionAngle(p[1], p[0], baseLine);
        break;
    case MeasureKind::Aria:
        return ComputeArea(m, cal, picture);
    case MeasureKind::Circle:
        FitCircle(m, 0, 0);
        m.value[0] = CalibratedDiameter(m.radius[0], cal);
        break;
    case MeasureKind::Circle2:
        FitCircle(m, 0, 0);
        FitCircle(m, 1, 3);
        m.value[0] = CalibratedDiameter(m.radius[0], cal);
        m.value[1] = CalibratedDiameter(m.radius[1], cal);
        m.value[2] = CalibratedLength(m.center[0], m.center[1], cal);
        m.value[3] = DirectionAngle(m.center[1], m.center[0], baseLine);
        break;
    case MeasureKind::Sui:
        return ComputePerpendicular(m, cal);
    case MeasureKind::Angle:
        m.value[0] = VertexAngle(p[0], p[1], p[2]);
        break;
    default:
        return 0;
    }
    m.unit = cal.unit;
    return 1;
}

int RecomputeForCalibration(MEASURE& m, const CALIBRATION& cal, const CDibImage& picture) {
    if (!HasPoints(m))
        return 0;
    switch (MeasureTool(m.kind)) {
    case MeasureKind::Line:
        m.value[0] = CalibratedLength(m.points[0], m.points[1], cal);
        break;
    case MeasureKind::Aria:
        return ComputeArea(m, cal, picture);
    case MeasureKind::Circle:
        m.value[0] = CalibratedDiameter(m.radius[0], cal);
        break;
    case MeasureKind::Circle2:
        m.value[0] = CalibratedDiameter(m.radius[0], cal);
        m.value[1] = CalibratedDiameter(m.radius[1], cal);
        m.value[2] = CalibratedLength(m.center[0], m.center[1], cal);
        break;
    case MeasureKind::Sui:
        return ComputePerpendicular(m, cal);
    case MeasureKind::Angle:
        break; // angles do not depend on the calibration
    default:
        return 0;
    }
    m.unit = cal.unit;
    return 1;
}
