#include "model/label_anchor.h"

#include "model/measure.h"

namespace {

DPOINT PointAt(const MEASURE& m, int i) {
    return i < PointsPresent(m) ? m.points[i] : DPOINT{};
}

DPOINT Midpoint(const DPOINT& a, const DPOINT& b) {
    return DPOINT{(a.x + b.x) / 2.0, (a.y + b.y) / 2.0};
}

DPOINT MeanOfPoints(const MEASURE& m, int n) {
    n = n < PointsPresent(m) ? n : PointsPresent(m);
    if (n <= 0)
        return DPOINT{};
    DPOINT sum;
    for (int i = 0; i < n; ++i) {
        sum.x += m.points[i].x;
        sum.y += m.points[i].y;
    }
    return DPOINT{sum.x / n, sum.y / n};
}

DPOINT BasePoint(const MEASURE& m, int slot) {
    switch (MeasureTool(m.kind)) {
    case MeasureKind::Line:
        return slot == 1 ? PointAt(m, 0) : Midpoint(PointAt(m, 0), PointAt(m, 1));
    case MeasureKind::Aria:
        return MeanOfPoints(m, m.pointCount);
    case MeasureKind::Circle:
        return m.center[0];
    case MeasureKind::Circle2:
        switch (slot) {
        case 1: return m.center[1];
        case 2: return Midpoint(m.center[0], m.center[1]);
        case 3: return DPOINT{m.center[0].x, m.center[0].y + 20.0};
        default: return m.center[0];
        }
    case MeasureKind::Sui: {
        // The foot is stored after the points in use.
        const DPOINT foot = m.points.size() > 3 ? m.points[3] : DPOINT{};
        return Midpoint(PointAt(m, 2), foot);
    }
    case MeasureKind::Angle:
        return MeanOfPoints(m, 3);
    default:
        return DPOINT{};
    }
}

} // namespace

DPOINT LabelAnchor(const MEASURE& m, int slot) {
    DPOINT p = BasePoint(m, slot);
    if (slot >= 0 && slot < static_cast<int>(m.labelOffset.size())) {
        p.x += m.labelOffset[static_cast<std::size_t>(slot)].dx;
        p.y += m.labelOffset[static_cast<std::size_t>(slot)].dy;
    }
    return p;
}
