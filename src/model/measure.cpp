#include "model/measure.h"

#include <algorithm>

std::int32_t MeasureTool(std::int32_t kind) {
    if (kind >= MeasureKind::Line && kind <= MeasureKind::Angle)
        return kind;
    if (kind <= -MeasureKind::Line && kind >= -MeasureKind::Angle)
        return -kind;
    return MeasureKind::None;
}

std::int32_t PointsNeeded(std::int32_t kind) {
    switch (MeasureTool(kind)) {
    case MeasureKind::Line: return 2;
    case MeasureKind::Aria: return 3;
    case MeasureKind::Circle: return 3;
    case MeasureKind::Circle2: return 6;
    case MeasureKind::Sui: return 3;
    case MeasureKind::Angle: return 3;
    default: return 0;
    }
}

std::int32_t PointsPresent(const MEASURE& m) {
    return std::clamp(m.pointCount, std::int32_t{0}, m.points.size());
}
